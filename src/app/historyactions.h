#pragma once
#include <QObject>

class DocumentHistory;
class QAction;
class QMenu;

// The Edit menu's Undo and Redo items at the top of the menu: named after the step they
// take back ("Undo header text"), disabled when there is none. Ctrl+Z undoes; Ctrl+Shift+Z
// and Ctrl+Y redo.
class HistoryActions : public QObject {
    Q_OBJECT
public:
    HistoryActions(DocumentHistory& history, QMenu* editMenu);

    QAction* MenuRueckgaengig = nullptr;
    QAction* MenuWiederherstellen = nullptr;

    // Texts, hints and states in the current language and for the current history.
    void update();

private:
    DocumentHistory& history_;
};
