#include "content/txtedit.h"
#include "platform/interfacetext.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TDlgTextEditor::TDlgTextEditor(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    SetTextId(this, 197);
    resize(600, 420);

    PopupMenu = new QMenu(this);
    MenuRueckgaengig = addItem(&TDlgTextEditor::MenuRueckgaengigClick, 950);
    MenuRueckgaengig->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z)); // the editor's own keys
    MenuWiederherstellen = addItem(&TDlgTextEditor::MenuWiederherstellenClick, 952);
    MenuWiederherstellen->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    PopupMenu->addSeparator();
    MenuNurLesen = addItem(&TDlgTextEditor::MenuNurLesenClick, 81);
    MenuNurLesen->setCheckable(true);
    PopupMenu->addSeparator();
    MenuAusschneiden = addItem(&TDlgTextEditor::MenuAusschneidenClick, 82);
    MenuKopieren = addItem(&TDlgTextEditor::MenuKopierenClick, 83);
    MenuEinfuegen = addItem(&TDlgTextEditor::MenuEinfuegenClick, 84);
    MenuLoeschen = addItem(&TDlgTextEditor::MenuLoeschenClick, 85);
    MenuAllesAuswaehlen = addItem(&TDlgTextEditor::MenuAllesAuswaehlenClick, 86);
    PopupMenu->addSeparator();
    MenuBeenden = addItem(&TDlgTextEditor::MenuBeendenClick, 87);
    MenuBeenden->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));
    addAction(MenuBeenden); // Alt+X also works while the menu is closed

    ToolBar = new QToolBar(this);
    ToolBar->setIconSize(QSize(21, 21));
    BtnNurLesen = addButton(&TDlgTextEditor::MenuNurLesenClick, 221, EditGlyph::ReadOnly);
    BtnEntriegeln = addButton(&TDlgTextEditor::MenuNurLesenClick, 222, EditGlyph::Unlock);
    ToolBar->addSeparator();
    BtnAusschneiden = addButton(&TDlgTextEditor::MenuAusschneidenClick, 225, EditGlyph::Cut);
    BtnKopieren = addButton(&TDlgTextEditor::MenuKopierenClick, 226, EditGlyph::Copy);
    BtnEinfuegen = addButton(&TDlgTextEditor::MenuEinfuegenClick, 227, EditGlyph::Paste);
    BtnLoeschen = addButton(&TDlgTextEditor::MenuLoeschenClick, 223, EditGlyph::Delete);
    BtnAllesAuswaehlen =
        addButton(&TDlgTextEditor::MenuAllesAuswaehlenClick, 224, EditGlyph::SelectAll);
    ToolBar->addSeparator();
    BtnSchliessen = addButton(&TDlgTextEditor::MenuBeendenClick, 0, EditGlyph::Close);
    BtnEntriegeln->setEnabled(false);

    MemoTextEditor = new QPlainTextEdit(this);
    MemoTextEditor->setTabChangesFocus(false); // the Tab key types a tab
    MemoTextEditor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoTextEditor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(MemoTextEditor, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu->popup(MemoTextEditor->viewport()->mapToGlobal(at));
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar);
    layout->addWidget(MemoTextEditor, 1);

    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &TDlgTextEditor::UpdatePaste);
    connect(MemoTextEditor, &QPlainTextEdit::undoAvailable, this, &TDlgTextEditor::UpdateUndo);
    connect(MemoTextEditor, &QPlainTextEdit::redoAvailable, this, &TDlgTextEditor::UpdateUndo);
    UpdateUndo();
    RegisterTranslatedWindow(this);
}

QAction* TDlgTextEditor::addItem(void (TDlgTextEditor::*handler)(), int textId) {
    auto* item = new QAction(this);
    SetTextId(item, textId);
    connect(item, &QAction::triggered, this, handler);
    PopupMenu->addAction(item);
    return item;
}

QToolButton* TDlgTextEditor::addButton(void (TDlgTextEditor::*handler)(), int hintId,
                                       EditGlyph glyph) {
    auto* button = new QToolButton(ToolBar);
    button->setAutoRaise(true);
    button->setIcon(editGlyph(glyph));
    if (hintId) SetTextId(button, hintId);
    connect(button, &QToolButton::clicked, this, handler);
    ToolBar->addWidget(button);
    return button;
}

void TDlgTextEditor::SetText(const QString& text) {
    // The editor separates lines by LF; the document by CR LF.
    QString lf = text;
    lf.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lf.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    MemoTextEditor->clear();
    MemoTextEditor->setPlainText(lf); // and forgets the typing of the last opening
    UpdateUndo();
}

QString TDlgTextEditor::Text() const {
    QString text = MemoTextEditor->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

void TDlgTextEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TDlgTextEditor::FormShow() {
    UpdatePaste();
    MemoTextEditor->setFocus();
}

void TDlgTextEditor::UpdatePaste() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const bool enabled = !nurLesen_ && data && data->hasText();
    BtnEinfuegen->setEnabled(enabled);
    MenuEinfuegen->setEnabled(enabled);
}

void TDlgTextEditor::UpdateUndo() {
    const QTextDocument* text = MemoTextEditor->document();
    MenuRueckgaengig->setEnabled(!nurLesen_ && text->isUndoAvailable());
    MenuWiederherstellen->setEnabled(!nurLesen_ && text->isRedoAvailable());
}

void TDlgTextEditor::MenuRueckgaengigClick() {
    if (!nurLesen_) MemoTextEditor->undo();
}

void TDlgTextEditor::MenuWiederherstellenClick() {
    if (!nurLesen_) MemoTextEditor->redo();
}

void TDlgTextEditor::MenuNurLesenClick() {
    nurLesen_ = !nurLesen_;
    MenuNurLesen->setChecked(nurLesen_);
    BtnNurLesen->setEnabled(!nurLesen_);
    BtnEntriegeln->setEnabled(nurLesen_);
    const QList<QWidget*> buttons = {BtnAusschneiden, BtnKopieren, BtnLoeschen, BtnAllesAuswaehlen};
    for (QWidget* b : buttons)
        b->setEnabled(!nurLesen_);
    for (QAction* a : {MenuAusschneiden, MenuKopieren, MenuLoeschen, MenuAllesAuswaehlen})
        a->setEnabled(!nurLesen_);
    UpdatePaste();
    MemoTextEditor->setReadOnly(nurLesen_);
    UpdateUndo();
}

// The commands are off while the text is read-only; the checks keep them so when called
// directly.
void TDlgTextEditor::MenuAusschneidenClick() {
    if (!nurLesen_) MemoTextEditor->cut();
}

void TDlgTextEditor::MenuKopierenClick() {
    if (nurLesen_) return;
    MemoTextEditor->copy();
    UpdatePaste();
}

void TDlgTextEditor::MenuEinfuegenClick() {
    if (!nurLesen_) MemoTextEditor->paste();
}

void TDlgTextEditor::MenuLoeschenClick() {
    if (nurLesen_) return;
    QTextCursor cursor = MemoTextEditor->textCursor();
    cursor.removeSelectedText(); // the clipboard keeps what it holds
    MemoTextEditor->setTextCursor(cursor);
}

void TDlgTextEditor::MenuAllesAuswaehlenClick() {
    if (!nurLesen_) MemoTextEditor->selectAll();
}

void TDlgTextEditor::MenuBeendenClick() {
    close();
}
