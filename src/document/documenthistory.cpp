#include "document/documenthistory.h"
#include "document/documentstrings.h"

#include <QUndoStack>

class DocumentHistory::Step : public QUndoCommand {
public:
    Step(DocumentHistory& history, const CoverDocument& before, const CoverDocument& after,
         int nameId, int side)
        : history_(history), before_(before), after_(after), nameId_(nameId), side_(side) {}

    int nameId() const { return nameId_; }
    void undo() override { history_.restore(before_, side_); }
    void redo() override {
        if (pushed_) history_.restore(after_, side_);
        pushed_ = true; // pushing runs redo once; the document is already changed then
    }

private:
    DocumentHistory& history_;
    const CoverDocument before_;
    const CoverDocument after_;
    const int nameId_;
    const int side_;
    bool pushed_ = false;
};

DocumentHistory::DocumentHistory(CoverDocument& document, QObject* parent)
    : QObject(parent), doc_(document), current_(document), stack_(new QUndoStack(this)) {
    stack_->setUndoLimit(Limit);
}

DocumentHistory::~DocumentHistory() = default;

void DocumentHistory::reset() {
    stack_->clear();
    current_ = doc_;
    stack_->setClean();
    Q_EMIT changed();
}

void DocumentHistory::push(const CoverDocument& after, int nameId, int side) {
    stack_->push(new Step(*this, current_, after, nameId, side));
    current_ = after;
}

void DocumentHistory::commitTyping() {
    if (restoring_) return;
    int nameId = 0, side = doc_.AktSeite;
    for (int s = 0; s < CoverDocument::SideCount && !nameId; ++s) {
        if (doc_.KopfText[s] != current_.KopfText[s])
            nameId = StepKopfText, side = s;
        else if (doc_.FussText[s] != current_.FussText[s])
            nameId = StepFussText, side = s;
    }
    if (!nameId && doc_.RandText != current_.RandText) nameId = StepRandText;
    if (!nameId) return;
    // The three edits write through to the document; everything else is as in current_, so
    // the step ends at the typed texts, before any later change.
    CoverDocument typed = current_;
    typed.KopfText = doc_.KopfText;
    typed.FussText = doc_.FussText;
    typed.RandText = doc_.RandText;
    push(typed, nameId, side);
    finish();
}

void DocumentHistory::record(int nameId) {
    if (restoring_) return;
    commitTyping();
    push(doc_, nameId, doc_.AktSeite);
    finish();
}

void DocumentHistory::setSaved() {
    commitTyping();
    stack_->setClean();
    finish();
}

void DocumentHistory::restore(const CoverDocument& state, int side) {
    const QString fileName = doc_.DateiName;
    doc_ = state;
    doc_.DateiName = fileName;
    doc_.AktSeite = side;
    restoring_ = true; // the side switch must not record the panel's refill
    if (showSide_) showSide_(side);
    restoring_ = false;
    current_ = doc_; // with what the side switch loaded (the side's texture)
}

void DocumentHistory::undo() {
    commitTyping();
    if (!stack_->canUndo()) return;
    stack_->undo();
    finish();
}

void DocumentHistory::redo() {
    commitTyping();
    if (!stack_->canRedo()) return;
    stack_->redo();
    finish();
}

void DocumentHistory::finish() {
    doc_.Geaendert = !stack_->isClean();
    Q_EMIT changed();
}

bool DocumentHistory::canUndo() const {
    return stack_->canUndo();
}
bool DocumentHistory::canRedo() const {
    return stack_->canRedo();
}

int DocumentHistory::undoNameId() const {
    const auto* step = static_cast<const Step*>(stack_->command(stack_->index() - 1));
    return step ? step->nameId() : 0;
}

int DocumentHistory::redoNameId() const {
    const auto* step = static_cast<const Step*>(stack_->command(stack_->index()));
    return step ? step->nameId() : 0;
}

int DocumentHistory::count() const {
    return stack_->count();
}
