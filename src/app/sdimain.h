#pragma once
#include "app/sdimainui.h"
#include "document/coverdocument.h"
#include "document/documentcommands.h"
#include "document/documentview.h"
#include "platform/dialogs.h"
#include "platform/versioninfo.h"

#include <functional>
#include <memory>
#include <QMainWindow>
#include <QStringList>

class IniFile;
class PreviewBox;
class SidePanel;
class TDlgFormatKopfFuss;
class TDlgFormatRandtext;
class TDlgVerzeichnis;

// The main window. It owns the one cover document; the controls live in SdiMainUi.
// Handlers carry the program's names (control + event); commands that can fail run through
// runGuarded so their errors end in the standard error box.
class TSDIAppForm : public QMainWindow, public SdiMainUi, public DocumentView {
    Q_OBJECT
public:
    explicit TSDIAppForm(Dialogs& dialogs, QWidget* parent = nullptr);
    ~TSDIAppForm() override;

    CoverDocument& document() { return Doc; }
    const CoverDocument& document() const { return Doc; }
    Dialogs& dialogs() { return Dlgs; }
    // New, Open, Save, Save as, the close question and the case layout.
    DocumentCommands& commands() { return *Commands; }

    // Program-wide state of the window.
    bool Bereit = false;      // side panel filled, edits live
    double Zoom = 1.0;        // preview zoom, not stored
    bool DruckLaeuft = false; // a print job runs
    QString ProgDir;          // the program directory, ending in '/'
    QString ProgTitel;        // "Zarvex!" (product name of the version record)
    QString ExeName;
    QString IniName;
    int Sprache = 0;          // 0 not chosen, 49 German, other English
    QString Vorlage;          // template cover, relative to ProgDir
    QStringList SchriftListe; // fonts for the font choosers
    TKVVersionInfo VersionInfo;
    bool VersionOK = false;

    // The main window's file dialogs; titles are set when the language is applied.
    FileDialogRequest OpenDialog;
    FileDialogRequest SaveDialog;
    FileDialogRequest OpenPictureDialog;

    // Start-up. FormShow runs once, as the window is first shown (before it appears);
    // tests may call it directly.
    void FormShow();
    void FormActivate();
    void ShowHint(const QString& hint);
    void ExitItemClick();
    // Asked before the window closes; false keeps it open (the save question of a
    // modified document).
    bool FormCloseQuery();

    // Puts the document and the side panel's header, footer and margin controls to their
    // reset state and loads the textures. Throws AppError when a texture cannot be loaded.
    void ResetDocument();
    void UpdateCaption() override;
    // The document commands' view of the window: side 0, the layout list and side controls.
    void MenuVorderAussenClick() override;
    void selectLayout(int index) override;
    void showSidesInUse(const std::array<bool, 4>& inUse) override;
    // Fills ComboHgTextur from the textures folder.
    void FillTextureList();

    // The language question of the first start; tests replace it.
    std::function<int()> AskLanguage;
    // Called by FormShow after the reset to show the new document; the document commands
    // replace this with New (reset, template, side 0).
    std::function<void()> NewDocument;
    // Lets the preview widget take the place of the designed paint box.
    void replacePaintBox(QWidget* paintBox);

    // The page preview (PaintBoxVorschau) and its commands.
    PreviewBox* Vorschau = nullptr;
    // Draws side (0..3) afresh; nothing while Bereit is false or printing runs.
    void RenderSidePreview(int side);
    // The side switch: the side panel fills itself from the document and the side is drawn.
    void ShowSide(int side);
    // The side panel and the format dialogs it opens (created once, live as long as the window).
    SidePanel* Panel = nullptr;
    TDlgFormatKopfFuss* DlgFormatKopfFuss = nullptr;
    TDlgFormatRandtext* DlgFormatRandtext = nullptr;
    // The directory dialog (with its editor), created once.
    TDlgVerzeichnis* DlgVerzeichnis = nullptr;
    void BtnVerzeichnisClick();
    // The case layout list: sides of the layout, then side 0.
    void ComboCoverLayoutChange();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void ApplyLanguage();
    // Commands whose behaviour is not built yet stay visibly off.
    void disableUnbuiltCommands();
    void connectDocumentCommands();
    void SetupPreview();
    void SetupSidePanel();
    void UpdateZoomControls();

    Dialogs& Dlgs;
    CoverDocument Doc;
    std::unique_ptr<DocumentCommands> Commands;
    std::unique_ptr<IniFile> IniDatei;
    bool shown_ = false;
    bool formShowDone_ = false;
};
