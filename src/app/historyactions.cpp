#include "app/historyactions.h"
#include "document/documenthistory.h"
#include "document/documentstrings.h"
#include "platform/stringtable.h"

#include <QAction>
#include <QMenu>

HistoryActions::HistoryActions(DocumentHistory& history, QMenu* editMenu)
    : QObject(editMenu), history_(history) {
    MenuRueckgaengig = new QAction(editMenu);
    MenuRueckgaengig->setObjectName(QStringLiteral("MenuRueckgaengig"));
    MenuRueckgaengig->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    MenuWiederherstellen = new QAction(editMenu);
    MenuWiederherstellen->setObjectName(QStringLiteral("MenuWiederherstellen"));
    MenuWiederherstellen->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    QAction* first = editMenu->actions().value(0);
    editMenu->insertActions(first, {MenuRueckgaengig, MenuWiederherstellen});
    editMenu->insertSeparator(first);
    connect(MenuRueckgaengig, &QAction::triggered, &history_, &DocumentHistory::undo);
    connect(MenuWiederherstellen, &QAction::triggered, &history_, &DocumentHistory::redo);
    connect(&history_, &DocumentHistory::changed, this, &HistoryActions::update);
    // Opening the menu ends the typing in a field, so its text can be undone from there.
    connect(editMenu, &QMenu::aboutToShow, &history_, &DocumentHistory::commitTyping);
    update();
}

void HistoryActions::update() {
    const int undoName = history_.undoNameId();
    const int redoName = history_.redoNameId();
    MenuRueckgaengig->setText(undoName ? LadeTextArg(StrUndoStep, LadeText(undoName))
                                       : LadeText(StrUndo));
    MenuWiederherstellen->setText(redoName ? LadeTextArg(StrRedoStep, LadeText(redoName))
                                           : LadeText(StrRedo));
    MenuRueckgaengig->setStatusTip(LadeText(StrUndoHint));
    MenuWiederherstellen->setStatusTip(LadeText(StrRedoHint));
    MenuRueckgaengig->setEnabled(history_.canUndo());
    MenuWiederherstellen->setEnabled(history_.canRedo());
}
