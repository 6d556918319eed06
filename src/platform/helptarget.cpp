#include "platform/helptarget.h"

#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/stringtable.h"

namespace {

struct TargetIds {
    int english;
    int german;
    bool page; // relative to the program directory; otherwise a web address
};

TargetIds idsOf(HelpTarget target) {
    switch (target) {
    case HelpTarget::Faq:
        return {65301, 65307, true};
    case HelpTarget::Manual:
        return {65302, 65308, true};
    case HelpTarget::Workshops:
        return {65303, 65309, true};
    case HelpTarget::Feedback:
        return {65304, 65310, true};
    case HelpTarget::Contact:
        return {65305, 65311, true};
    case HelpTarget::HomePage:
        return {65280, 65281, true}; // the help's start page while there is no web site
    }
    return {65303, 65309, true};
}

} // namespace

QString HelpTargetLocation(HelpTarget target, int sprache) {
    const TargetIds ids = idsOf(target);
    const QString entry = StringTableEntry(sprache == 49 ? ids.german : ids.english);
    if (!ids.page) return entry;
    // An installation whose folder names lost their letter case still finds its pages.
    return resolveCaseInsensitive(ProgDataDir() + normalizeSeparators(entry));
}

void OpenHelpTarget(Dialogs& dialogs, HelpTarget target, int sprache) {
    dialogs.openInBrowser(HelpTargetLocation(target, sprache));
}

void OpenHelpTarget(Dialogs& dialogs, HelpTarget target) {
    OpenHelpTarget(dialogs, target, LanguageOffset() == 0 ? 49 : 44);
}
