#pragma once

#include <QString>

class Dialogs;

// The pages and web address the Help menu, the content dialogs' Help buttons and the About
// box open. Each has an English and a German string-table entry.
enum class HelpTarget { Faq, Manual, Workshops, Feedback, Contact, HomePage };

// The page path (read-only program data, see ProgDataDir, + stored relative path, '\' turned into
// '/') or the web address of a target; German when sprache is 49. The home page is the help's
// start page while the product has no web site.
QString HelpTargetLocation(HelpTarget target, int sprache);
// Hands the target to the desktop through the dialog interface. A missing page or browser
// shows nothing.
void OpenHelpTarget(Dialogs& dialogs, HelpTarget target, int sprache);
// The same in the language the interface runs in.
void OpenHelpTarget(Dialogs& dialogs, HelpTarget target);
