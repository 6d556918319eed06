#pragma once
#include <QString>

class QObject;
class QWidget;

// Windows are designed with text ids instead of texts. A control carries its id as a tag;
// once per run the ids are replaced by the texts of the chosen language:
//   QLabel, QPushButton, QRadioButton, QCheckBox   text := text(id)
//   QToolButton                                    hint := text(id): tooltip | status tip
//   QAction (menu items and menus)                 text := text(id), status tip := text(id + 400)
//   QGroupBox                                      title := text(id)
//   QGroupBox marked as item list (radio group)    title, then every radio button inside whose
//                                                  text is a decimal id gets that id's text
//   QComboBox                                      every item whose text is a decimal id
//                                                  gets that id's text (tooltip untouched)
//   a tagged window                                window title := text(id)
void SetTextId(QObject* object, int id);
int TextId(const QObject* object);
// Marks a tagged QGroupBox as a radio group whose buttons hold ids as their texts.
void MarkItemList(QObject* groupBox);

// A hint "short|long": the short part is the tooltip, the long part the status text;
// a text without the bar is both.
QString ShortHint(const QString& hint);
QString LongHint(const QString& hint);

// Replaces the ids of one window (the window itself and everything below it).
void UebersetzeOberflaeche(QWidget* window, int offset);

// Windows register once their tagged controls exist (end of the constructor). Windows
// registered before the language is applied are translated then, in registration order;
// windows registered afterwards are translated at once.
void RegisterTranslatedWindow(QWidget* window);
// Applies the language to every registered window and remembers the offset. Runs at the
// main window's first show and again whenever the user switches the language: list items
// keep their designed ids, so every pass shows the texts of the language asked for.
void ApplyInterfaceLanguage(int offset);
bool InterfaceLanguageApplied();
