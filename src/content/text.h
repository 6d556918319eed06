#pragma once
#include "content/textfilecommands.h"
#include "document/formats.h"
#include "platform/picture.h"

#include <functional>
#include <QDialog>
#include <QStringList>

class CoverDocument;
class DialogPreview;
class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QToolButton;
class TDlgTextEditor;

// The main window's content menu items, which the text dialog's OK checks and unchecks.
struct ContentMenuItems {
    QAction* MenuVerzeichnis = nullptr;
    QAction* MenuText = nullptr;
    QAction* MenuBild = nullptr;
};

// The text dialog: the free text of a side and its format, with a preview of the side. It
// works on copies; only BtnTextClick writes the result into the document, on OK. Created
// once with its editor window, both live as long as the main window.
class TDlgText : public QDialog {
    Q_OBJECT
public:
    TDlgText(Dialogs& dialogs, const QStringList& schriftListe, QWidget* parent = nullptr);

    // Copies of the side being edited; the last four are for the preview only.
    quint8 Seite = 0;
    int CoverLayout = 0;
    QString Text; // the working text, lines separated by CR LF
    TFormatText Format;
    TFormatUeberschrift KopfFormat;
    TFormatUeberschrift FussFormat;
    Picture HgBild;
    TFormatHintergrund HgFormat;

    DialogPreview* PaintBoxVorschau = nullptr;
    QComboBox* ComboSchriftart = nullptr;
    QComboBox* ComboSchriftgroesse = nullptr;
    QPushButton* BtnSchriftfarbe = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* CheckFett = nullptr;
    QCheckBox* CheckKursiv = nullptr;
    QGroupBox* RadioAusrichtung = nullptr;
    QButtonGroup* AusrichtungItems = nullptr;
    QFrame* Panel3 = nullptr;
    QLabel* LabelSchrift = nullptr;
    QToolButton* BtnLaden = nullptr;
    QToolButton* BtnSpeichern = nullptr;
    QPushButton* BtnLoeschen = nullptr;
    QPushButton* BtnBearbeiten = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    TDlgTextEditor* DlgTextEditor = nullptr;

    // The main window's text button and menu item: opens the dialog for the current side
    // and, on OK, makes the side a text side with the dialog's text and format. True on OK.
    bool BtnTextClick(CoverDocument& document, const ContentMenuItems& menu,
                      const std::function<void(int side)>& renderSidePreview);

    // FormShow runs at every show; tests may call it on a dialog that is not shown.
    void FormShow();
    void FormClose();
    void RenderDialogPreview();

    void ComboSchriftartChange();
    void ComboSchriftgroesseChange();
    void BtnSchriftfarbeClick();
    void CheckFettClick();
    void CheckKursivClick();
    void RadioAusrichtungClick();
    void BtnLadenClick();
    void BtnSpeichernClick();
    void BtnLoeschenClick();
    // Shows the editor modally; the working text becomes its text however it is closed.
    void BtnBearbeitenClick();
    void HelpBtnClick();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void updateFileButtons();
    void updateSample();

    Dialogs& dialogs_;
    TextFileCommands files_;
};
