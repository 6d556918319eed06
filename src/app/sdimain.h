#pragma once
#include "app/sdimainui.h"
#include "document/coverdocument.h"
#include "document/documentcommands.h"
#include "document/documentview.h"
#include "platform/dialogs.h"
#include "platform/printercalibration.h"
#include "platform/versioninfo.h"

#include <functional>
#include <memory>
#include <QMainWindow>
#include <QStringList>

class CoverDrop;
class DocumentHistory;
class HistoryActions;
class IniFile;
class LanguageSwitch;
class PreviewBox;
class PrintCommand;
class Printer;
class QAction;
class RecentFiles;
class SidePanel;
class TAboutBox;
class TDlgBild;
class TDlgFormatKopfFuss;
class TDlgFormatRandtext;
class TDlgText;
class TDlgDruckauswahl;
class TDlgVerzeichnis;

// The main window. It owns the one cover document; the controls live in SdiMainUi.
// Handlers carry the program's names (control + event); commands that can fail run through
// runGuarded so their errors end in the standard error box.
class TSDIAppForm : public QMainWindow, public SdiMainUi, public DocumentView {
    Q_OBJECT
public:
    // Prints on the application's printer (the system's default queue).
    explicit TSDIAppForm(Dialogs& dialogs, QWidget* parent = nullptr);
    TSDIAppForm(Dialogs& dialogs, Printer& printer, QWidget* parent = nullptr);
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
    // The text dialog (created once) and the text button and menu item that open it.
    TDlgText* DlgText = nullptr;
    void BtnTextClick();
    // The picture dialog of Edit > Picture... and the picture tool button.
    TDlgBild* DlgBild = nullptr;
    // The directory dialog (with its editor), created once; readFolder (a folder dropped
    // onto the window) is read as the dialog opens.
    TDlgVerzeichnis* DlgVerzeichnis = nullptr;
    void BtnVerzeichnisClick(const QString& readFolder = QString());
    // The case layout list: sides of the layout, then side 0.
    void ComboCoverLayoutChange();

    // The Help menu: the help pages and the home page in the language of Sprache.
    void MenuHilfeTippsTricksClick();
    void MenuOnlineHandbuch(); // the manual item, which is not shown
    void MenuHilfeAnleitungenClick();
    void MenuHilfeHomepageClick();
    void MenuHilfeEmailClick();
    void MenuHilfeInfoClick();
    TAboutBox* AboutBox = nullptr;
    // Printing: the selection dialog (made once), the print commands and our own File menu
    // items for printer calibration and the PDF export.
    TDlgDruckauswahl* DlgDruckauswahl = nullptr;
    QAction* MenuKalibrieren = nullptr;
    QAction* MenuPdfExport = nullptr;
    PrintCommand& printing() { return *Drucken; }
    void BtnDruckenClick();
    void DruckenClick();
    void Druckereinrichtung1Click();
    // ESC while a print job runs cancels it; true when the key was taken.
    bool FormKeyDown(int key);

    // Undo and redo of the document (Edit menu), the recent covers (File menu), the
    // language (View menu) and covers dropped onto the window: sdimainextras.cpp.
    DocumentHistory* History = nullptr;
    HistoryActions* HistoryItems = nullptr;
    RecentFiles* Recent = nullptr;
    LanguageSwitch* Languages = nullptr;
    CoverDrop* Drop = nullptr;
    // Applies sprache (49 German, 44 English) to every window at once and stores it.
    void SwitchLanguage(int sprache);
    // A recent or dropped cover: the save question, then Open without its dialog. A file
    // that no longer exists is taken off the recent list with a message.
    void OpenCoverFile(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TSDIAppForm(Dialogs& dialogs, std::unique_ptr<Printer> own, Printer* printer, QWidget* parent);
    void FormCreate();
    void ApplyLanguage();
    // The content menu checks after a content dialog: those of the current side.
    void UpdateContentChecks();
    void connectDocumentCommands();
    void connectHelpMenu();
    void SetupPreview();
    void SetupSidePanel();
    void UpdateZoomControls();
    void SetupPrinting();
    void SetupExtras();
    void UpdateExtrasLanguage();
    // After undo or redo: the layout of the document put back, then side.
    void ShowRestoredSide(int side);

    Dialogs& Dlgs;
    CoverDocument Doc;
    std::unique_ptr<DocumentCommands> Commands;
    std::unique_ptr<IniFile> IniDatei;
    std::unique_ptr<Printer> ownPrinter_;
    Printer& Drucker;
    CalibrationStore Kalibrierung;
    std::unique_ptr<PrintCommand> Drucken;
    QString FitShown; // the cut-content warnings last put in the status bar
    bool shown_ = false;
    bool formShowDone_ = false;
    QString commandStatus_; // the status text the last command set
};
