#pragma once
#include "content/picturedialoglogic.h"

#include <functional>
#include <QDialog>

class CoverDocument;
class DialogPreview;
class QButtonGroup;
class QFrame;
class QGroupBox;
class QPushButton;

// The picture dialog of a picture side: load, paste, delete, size mode and alignment, with
// the side's preview. The work is done by PictureDialogLogic (Logic); the widgets only show
// its state. A picture file dropped onto the preview loads as the load button does.
class TDlgBild : public QDialog {
    Q_OBJECT
public:
    explicit TDlgBild(Dialogs& dialogs, QWidget* parent = nullptr);

    PictureDialogLogic Logic;

    QFrame* PanelVorschau = nullptr;
    DialogPreview* PaintBoxVorschau = nullptr;
    QGroupBox* RadioBildmasse = nullptr;
    QButtonGroup* BildmasseItems = nullptr;
    QGroupBox* RadioAusrichtung = nullptr;
    QButtonGroup* AusrichtungItems = nullptr;
    QPushButton* BtnLaden = nullptr;
    QPushButton* BtnSpeichern = nullptr; // never visible: the save step after a paste
    QPushButton* BtnEinfuegen = nullptr;
    QPushButton* BtnLoeschen = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;

    // Shows the dialog modally and returns its result (1 OK, 2 Cancel); tests replace it.
    std::function<int()> Execute;

    // FormShow runs at every show; tests may call the handlers on a dialog not shown.
    void FormShow();
    void FormClose();
    void BtnLadenClick();
    void BtnEinfuegenClick();
    void BtnSpeichernClick();
    void BtnLoeschenClick();
    void RadioBildmasseClick();
    void RadioAusrichtungClick();
    void OKBtnClick();
    void CancelBtnClick();
    void HelpBtnClick();
    void RenderDialogPreview();
    // A file dropped onto the preview.
    void DropFile(const QString& path);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updatePasteButton();
    void updateControls();
    Dialogs& dialogs_;
    bool open_ = false;
};

// The main window's picture command for the current side: hands the side's picture and
// formats to the dialog and, when it ends with OK, makes the side a picture side with the
// dialog's picture and placement and marks the document modified. Returns true then; the
// side's other content stays in the document.
bool BtnBildClick(CoverDocument& document, TDlgBild& dialog);
