#pragma once
#include "directory/verzeichmodel.h"

#include <QDialog>
#include <QStringList>

class CoverDocument;
class DialogPreview;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class FolderListBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class TDlgDirFilter;
class TDlgVerzEdit;

// The directory dialog: drive and start folder, reading, listing files, font, size,
// colour, depth, comment columns and the start-directory line, with the side's preview.
// Created once at start-up; the logic is in VerzeichnisModel.
class TDlgVerzeichnis : public QDialog {
    Q_OBJECT
public:
    TDlgVerzeichnis(Dialogs& dialogs, const QStringList& schriftListe, QWidget* parent = nullptr);

    // Edits the current side's listing; true when the dialog closed with OK and the side
    // took the result (the caller checks the menu item and redraws the side). A readFolder
    // (a folder dropped onto the main window) is read as soon as the dialog shows.
    bool BtnVerzeichnisClick(CoverDocument& doc, const QString& readFolder = QString());

    // FormShow runs at every show; tests may call it on a dialog that is not shown.
    void FormShow();
    void RenderDialogPreview();

    void ComboSchriftartChange();
    void ComboSchriftgroesseChange();
    void BtnSchriftfarbeClick();
    void RadioTiefeClick();
    void RadioKommentareClick();
    void CheckStartVerzeichnisClick();
    void DriveComboBoxChange();
    void DirectoryListBoxChange(const QString& path);
    void BtnDirFilterClick();
    void CheckAudioTagsClick();
    void BtnLadenClick();
    void OpenBtnClick();
    void SaveBtnClick();
    void BtnLoeschenClick();
    void BtnBearbeitenClick();
    void HelpBtnClick();
    // The location field's Return: go to its folder, read it, and put the focus on OK.
    void EditOrtReturn();
    void BtnOrdnerWaehlenClick();   // "Choose folder…"
    void FolderUp();                // Backspace in the folder list
    void done(int result) override; // also keeps the size and place for the next run

    VerzeichnisModel Model;
    // How the editor is shown; tests replace it to work in the editor without a window.
    std::function<void(TDlgVerzEdit&)> showEditor;

    QFrame* PanelVorschau = nullptr;
    DialogPreview* PaintBoxVorschau = nullptr;
    QLabel* LabelStart = nullptr;
    QComboBox* DriveComboBox = nullptr;
    QLineEdit* EditOrt = nullptr; // the location field (Ctrl+L)
    QToolButton* BtnOrdnerWaehlen = nullptr;
    FolderListBox* DirectoryListBox = nullptr;
    QPushButton* BtnDirFilter = nullptr;
    QPushButton* BtnLaden = nullptr;
    QGroupBox* RadioTiefe = nullptr;
    QButtonGroup* TiefeItems = nullptr;
    QGroupBox* RadioKommentare = nullptr;
    QButtonGroup* KommentareItems = nullptr;
    QPushButton* BtnLoeschen = nullptr;
    QPushButton* BtnBearbeiten = nullptr;
    QLabel* LabelFilter = nullptr; // the reading filter's state
    QPushButton* OpenBtn = nullptr;
    QPushButton* SaveBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QCheckBox* CheckStartVerzeichnis = nullptr;
    QLabel* LabelStartVerzeichnis = nullptr;
    QComboBox* ComboSchriftart = nullptr;
    QComboBox* ComboSchriftgroesse = nullptr;
    QPushButton* BtnSchriftfarbe = nullptr;
    QFrame* Panel3 = nullptr;
    QLabel* LabelSchrift = nullptr;
    QCheckBox* CheckAudioTags = nullptr; // titles and playing times as comments
    QLabel* LabelSpielzeit = nullptr;    // total playing time of the listing
    TDlgDirFilter* DlgDirFilter = nullptr;
    TDlgVerzEdit* DlgVerzEdit = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void layoutControls();
    void fitPreview();
    void showFilterState();
    bool goAndRead(const QString& folder);
    void showDrives();
    void showFolders();
    void showListingButtons();
    void updateSample();
    Dialogs& dialogs_;
    QString pendingFolder_;
};
