#pragma once
#include "platform/glyphs.h"

#include <QDialog>
#include <QString>

class QAction;
class QMenu;
class QPlainTextEdit;
class QToolBar;
class QToolButton;

// The text editor window: a plain multi-line editor with clipboard commands and a read-only
// switch, on a tool bar and a pop-up menu. Created once; the read-only state stays between
// openings. The owner sets the text and font, shows it and takes Text() back however it was
// closed.
class TDlgTextEditor : public QDialog {
    Q_OBJECT
public:
    explicit TDlgTextEditor(QWidget* parent = nullptr);

    QToolBar* ToolBar = nullptr;
    QToolButton* BtnNurLesen = nullptr;
    QToolButton* BtnEntriegeln = nullptr;
    QToolButton* BtnAusschneiden = nullptr;
    QToolButton* BtnKopieren = nullptr;
    QToolButton* BtnEinfuegen = nullptr;
    QToolButton* BtnLoeschen = nullptr;
    QToolButton* BtnAllesAuswaehlen = nullptr;
    QToolButton* BtnSchliessen = nullptr;
    QPlainTextEdit* MemoTextEditor = nullptr;
    QMenu* PopupMenu = nullptr;
    QAction* MenuRueckgaengig = nullptr; // undo and redo of typing (Ctrl+Z, Ctrl+Shift+Z)
    QAction* MenuWiederherstellen = nullptr;
    QAction* MenuNurLesen = nullptr;
    QAction* MenuAusschneiden = nullptr;
    QAction* MenuKopieren = nullptr;
    QAction* MenuEinfuegen = nullptr;
    QAction* MenuLoeschen = nullptr;
    QAction* MenuAllesAuswaehlen = nullptr;
    QAction* MenuBeenden = nullptr;

    // The text with its lines separated by CR LF, as the document holds it.
    void SetText(const QString& text);
    QString Text() const;

    // FormShow runs at every show; tests may call it on a window that is not shown.
    void FormShow();
    void MenuRueckgaengigClick();
    void MenuWiederherstellenClick();
    void MenuNurLesenClick();
    void MenuAusschneidenClick();
    void MenuKopierenClick();
    void MenuEinfuegenClick();
    void MenuLoeschenClick();
    void MenuAllesAuswaehlenClick();
    void MenuBeendenClick();

    // Paste is offered exactly when the clipboard holds text and the text may be changed.
    void UpdatePaste();
    // Undo and redo are offered when there is typing to take back or repeat.
    void UpdateUndo();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QToolButton* addButton(void (TDlgTextEditor::*handler)(), int hintId, EditGlyph glyph);
    QAction* addItem(void (TDlgTextEditor::*handler)(), int textId);

    bool nurLesen_ = false;
};
