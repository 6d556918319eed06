#pragma once
#include "document/coverdocument.h"

#include <functional>
#include <QObject>

class QUndoStack;

// The undo history of the open cover. A step keeps the whole document before and after a
// change: the document is a plain value whose pictures, textures and listings are shared,
// so a step costs little more than the values that changed. Windows report a step after
// they changed the document; undo and redo put the kept document back (its file name
// stays) and ask the window to show the side the step changed. Geaendert follows the
// save point: back at the state last saved or opened it is false, anywhere else true.
class DocumentHistory : public QObject {
    Q_OBJECT
public:
    static constexpr int Limit = 100; // steps kept; the oldest goes first

    explicit DocumentHistory(CoverDocument& document, QObject* parent = nullptr);
    ~DocumentHistory() override;

    // Shows side (0..3) of the document just put back, layout included.
    void setShowSide(std::function<void(int side)> showSide) { showSide_ = std::move(showSide); }

    // An empty history from the document as it is, which is the save point (New, Open).
    void reset();
    // The document was changed by the step named nameId (a string id, shown in the Edit
    // menu) on the current side. Typed text not yet recorded becomes a step of its own first.
    void record(int nameId);
    // Header, footer or margin text typed since the last step becomes one step (the field
    // lost the focus or Enter was pressed). Nothing when the texts are as they were.
    void commitTyping();
    // The document as it is now was saved.
    void setSaved();

    void undo();
    void redo();
    bool canUndo() const;
    bool canRedo() const;
    // The names (string ids) of the steps undo and redo would take back; 0 when none.
    int undoNameId() const;
    int redoNameId() const;
    int count() const;

Q_SIGNALS:
    void changed(); // after every step, undo, redo, save and reset

private:
    class Step;
    void push(const CoverDocument& after, int nameId, int side);
    void restore(const CoverDocument& state, int side);
    void finish();

    CoverDocument& doc_;
    CoverDocument current_; // the document as of the last step, undo or redo
    QUndoStack* stack_;
    std::function<void(int)> showSide_;
    bool restoring_ = false;
};
