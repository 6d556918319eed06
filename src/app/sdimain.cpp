#include "app/sdimain.h"
#include "app/about.h"
#include "app/lkzwahl.h"
#include "app/startup.h"
#include "content/bild.h"
#include "content/fmtrand.h"
#include "content/fmtueber.h"
#include "content/sidepanel.h"
#include "content/text.h"
#include "directory/folderdrop.h"
#include "directory/verzeich.h"
#include "document/documenthistory.h"
#include "document/documentstrings.h"
#include "platform/errorreport.h"
#include "platform/fontlist.h"
#include "platform/helptarget.h"
#include "platform/inifile.h"
#include "platform/interfacetext.h"
#include "platform/paths.h"
#include "platform/qtprinter.h"
#include "platform/stringtable.h"
#include "platform/toolkitlanguage.h"
#include "render/druck.h"
#include "render/layouts.h"
#include "render/previewbox.h"
#include "render/printcommand.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolButton>

namespace {
const QString kSection = QStringLiteral("EINSTELLUNGEN");
const QString kCoverFilter = QStringLiteral("CD-Cover (ZVX)|*.ZVX");
const QString kPictureFilter = QStringLiteral(
    "BMP, WMF, EMF, ICO, JPG|*.BMP;*.WMF;*.EMF;*.ICO;*.JPG;*.JPEG|Windows-Bitmap (BMP)|*.BMP|"
    "Windows MetaDatei (WMF)|*.WMF|Enhanced Windows MetaDatei (EMF)|*.EMF|"
    "Windows Icon Resource (ICO)|*.ICO|JPEG-Bitmap (JPG)|*.JPG;*.JPEG");
} // namespace

TSDIAppForm::TSDIAppForm(Dialogs& dialogs, QWidget* parent)
    : TSDIAppForm(dialogs, std::make_unique<QtPrinter>(), nullptr, parent) {}

TSDIAppForm::TSDIAppForm(Dialogs& dialogs, Printer& printer, QWidget* parent)
    : TSDIAppForm(dialogs, nullptr, &printer, parent) {}

TSDIAppForm::TSDIAppForm(Dialogs& dialogs, std::unique_ptr<Printer> own, Printer* printer,
                         QWidget* parent)
    : QMainWindow(parent), Dlgs(dialogs), ownPrinter_(std::move(own)),
      Drucker(printer ? *printer : *ownPrinter_) {
    setupUi(this);
    AskLanguage = [this] {
        TDlgSprache dlg(this);
        dlg.exec();
        return dlg.Sprachcode;
    };
    Commands = std::make_unique<DocumentCommands>(Doc, Dlgs, *this);
    History = new DocumentHistory(Doc, this);
    NewDocument = [this] { Commands->startUp(); };
    connect(ExitItem, &QAction::triggered, this, &TSDIAppForm::ExitItemClick);
    connectDocumentCommands();
    SetupPreview();
    FormCreate();
    SetupSidePanel(); // needs the font list of FormCreate
    AboutBox = new TAboutBox(Dlgs, VersionInfo, VersionOK, this);
    connectHelpMenu();
    SetupPrinting();
    SetupExtras();
    ComboCoverLayoutChange();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TSDIAppForm::~TSDIAppForm() {
    qApp->removeEventFilter(this);
}

void TSDIAppForm::FormCreate() {
    // The application's hint handler: entering a control shows its status text.
    qApp->installEventFilter(this);
    VersionOK = VersionInfo.read();
    if (VersionOK) setWindowTitle(VersionInfo.ProductName());
    ProgTitel = windowTitle();
    ProgDir = ::ProgDir(); // the executable's folder, letter case kept
    OpenDialog = {QString(), kCoverFilter, ProgSubDir(QStringLiteral("ZVX")),
                  QStringLiteral("*.zvx"), QStringLiteral("zvx")};
    SaveDialog = OpenDialog;
    OpenPictureDialog = {QString(), kPictureFilter, ProgSubDir(QStringLiteral("BILDER")), QString(),
                         QString()};
    ExeName = fileNamePart(QCoreApplication::applicationFilePath());
    if (ExeName.isEmpty()) ExeName = QStringLiteral("zarvex");
    IniName = IniNameFor(ExeName);
    IniDatei = std::make_unique<IniFile>(resolveCaseInsensitive(ProgDir + IniName));
    Sprache = IniDatei->readInteger(kSection, QStringLiteral("sprache"), 0);
    SchriftListe = ::SchriftListe();
    Zoom = 1.0;
    Vorlage = IniDatei->readString(kSection, QStringLiteral("vorlage"), QStringLiteral("ERROR"));
    Commands->setVorlage(Vorlage);
}

void TSDIAppForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow(); // before the window appears, so it never shows bare ids
    }
}

void TSDIAppForm::FormShow() {
    if (formShowDone_) return;
    formShowDone_ = true;
    Sprache = ChooseLanguage(Sprache, *IniDatei, AskLanguage);
    ApplyLanguage();
    FillTextureList();
    Bereit = true;
    DruckLaeuft = false;
    if (NewDocument) NewDocument();
}

void TSDIAppForm::ApplyLanguage() {
    const int offset = LanguageOffsetFor(Sprache);
    SetLanguageOffset(offset);
    ApplyToolkitLanguage(Sprache);
    UebersetzeOberflaeche(this, offset);
    ApplyInterfaceLanguage(offset); // the dialog windows that registered themselves
    OpenDialog.title = LadeText(351);
    SaveDialog.title = LadeText(352);
    OpenPictureDialog.title = LadeText(358);
    // Our own menu items: their status texts have no place in the table's id + 400 rule.
    MenuKalibrieren->setText(LadeText(613));
    MenuKalibrieren->setStatusTip(LadeText(614));
    MenuPdfExport->setText(LadeText(615));
    MenuPdfExport->setStatusTip(LadeText(616));
    UpdateExtrasLanguage();
}

void TSDIAppForm::FillTextureList() {
    Panel->FillTextureList();
}

void TSDIAppForm::ResetDocument() {
    Doc.resetFields(); // every field but the textures; the case layout stays
    UpdateCaption();
    MenuVorderAussen->setChecked(true);
    EditKopfzeile->clear();
    CheckKopfzeile->setChecked(true);
    EditFusszeile->clear();
    CheckFusszeile->setChecked(true);
    EditRandtext->clear();
    for (int s = 0; s < CoverDocument::SideCount; ++s)
        Doc.HgBild[s] = Picture();
    for (int s = 0; s < CoverDocument::SideCount; ++s)
        Doc.loadTexture(s); // a missing texture ends the reset here, Geaendert untouched
    Doc.Geaendert = false;
}

void TSDIAppForm::UpdateCaption() {
    setWindowTitle(CaptionFor(Doc.DateiName, ProgTitel));
}

void TSDIAppForm::FormActivate() {
    update();
    repaint();
}

void TSDIAppForm::ShowHint(const QString& hint) {
    // A control or menu item without a hint shows what the last command said, if anything.
    StatusBar->showMessage(hint.isEmpty() ? commandStatus_ : hint);
}

void TSDIAppForm::ExitItemClick() {
    close();
}

bool TSDIAppForm::FormCloseQuery() {
    return Commands->FormCloseQuery();
}

void TSDIAppForm::connectDocumentCommands() {
    DocumentCommands* c = Commands.get();
    connect(Neu1, &QAction::triggered, this, [c] { c->Neu1Click(); });
    connect(BtnNew, &QToolButton::clicked, this, [c] { c->Neu1Click(); });
    connect(ffnen1, &QAction::triggered, this, [c] { c->OpenItemClick(); });
    connect(BtnOpen, &QToolButton::clicked, this, [c] { c->OpenItemClick(); });
    connect(Speichern1, &QAction::triggered, this, [c] { c->SaveBtnClick(); });
    connect(SaveBtn, &QToolButton::clicked, this, [c] { c->SaveBtnClick(); });
    connect(Speichernunter1, &QAction::triggered, this, [c] { c->Speichernunter1Click(); });
}

void TSDIAppForm::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

void TSDIAppForm::replacePaintBox(QWidget* paintBox) {
    QWidget* old = ScrBoxSeitenVorschau->takeWidget();
    ScrBoxSeitenVorschau->setWidget(paintBox);
    PaintBoxVorschau = paintBox;
    delete old;
}

void TSDIAppForm::SetupPreview() {
    Vorschau = new PreviewBox;
    Vorschau->setDocument(&Doc);
    // The side panel's edits hold the current side's texts.
    Vorschau->setTextSource([this](int) {
        return SideTexts{EditKopfzeile->text(), EditFusszeile->text(), EditRandtext->text()};
    });
    replacePaintBox(Vorschau);
    connect(BtnZoomIn, &QToolButton::clicked, Vorschau, &PreviewBox::BtnZoomInClick);
    connect(MenuZoomIn, &QAction::triggered, Vorschau, &PreviewBox::BtnZoomInClick);
    connect(BtnZoomOut, &QToolButton::clicked, Vorschau, &PreviewBox::BtnZoomOutClick);
    connect(MenuZoomOut, &QAction::triggered, Vorschau, &PreviewBox::BtnZoomOutClick);
    connect(MenuAnsichtStandard, &QAction::triggered, Vorschau,
            &PreviewBox::MenuAnsichtStandardClick);
    connect(Vorschau, &PreviewBox::zoomChanged, this, &TSDIAppForm::UpdateZoomControls);
    UpdateZoomControls();
    connect(ComboCoverLayout, &QComboBox::currentIndexChanged, this,
            [this](int index) { Commands->ComboCoverLayoutChosen(index); });
}

void TSDIAppForm::UpdateZoomControls() {
    const ZoomState& z = Vorschau->zoomState();
    Zoom = z.Zoom;
    BtnZoomIn->setEnabled(z.zoomInEnabled);
    MenuZoomIn->setEnabled(z.zoomInEnabled);
    BtnZoomOut->setEnabled(z.zoomOutEnabled);
    MenuZoomOut->setEnabled(z.zoomOutEnabled);
    MenuAnsichtStandard->setEnabled(z.standardEnabled);
}

void TSDIAppForm::RenderSidePreview(int side) {
    Vorschau->setBereit(Bereit);
    Vorschau->preview().DruckLaeuft = DruckLaeuft;
    Vorschau->RenderSidePreview(side);
    // What the drawing had to cut, shown as the sheet-cut warning is; gone once mended.
    const QString fit = FitWarningsLine(Vorschau->preview().fitWarnings());
    if (!fit.isEmpty() || StatusBar->currentMessage() == FitShown) StatusBar->showMessage(fit);
    FitShown = fit;
}

void TSDIAppForm::ShowSide(int side) {
    Panel->ShowSide(side);
}

void TSDIAppForm::SetupSidePanel() {
    DlgFormatKopfFuss = new TDlgFormatKopfFuss(Dlgs, SchriftListe, this);
    DlgFormatRandtext = new TDlgFormatRandtext(Dlgs, SchriftListe, this);
    SidePanelWidgets w;
    w.LabelRandtext = LabelRandtext;
    w.EditRandtext = EditRandtext;
    w.BtnFormatRand = BtnFormatRand;
    w.CheckKopfzeile = CheckKopfzeile;
    w.EditKopfzeile = EditKopfzeile;
    w.BtnFormatKopf = BtnFormatKopf;
    w.CheckFusszeile = CheckFusszeile;
    w.EditFusszeile = EditFusszeile;
    w.BtnFormatFuss = BtnFormatFuss;
    w.RadioHgFarbe = RadioHgFarbe;
    w.RadioHgBild = RadioHgBild;
    w.PanelHgVorschau = PanelHgVorschau;
    w.ImgHgVorschau = ImgHgVorschau;
    w.BtnHintergrundfarbe = BtnHintergrundfarbe;
    w.ComboHgTextur = ComboHgTextur;
    w.BtnTexturHinzufuegen = BtnTexturHinzufuegen;
    w.sideButtons = sideButtons();
    w.sideMenuItems = sideMenuItems();
    w.MenuVerzeichnis = MenuVerzeichnis;
    w.MenuText = MenuText;
    w.MenuBild = MenuBild;
    w.ComboCoverLayout = ComboCoverLayout;
    SidePanelHost host;
    host.bereit = [this] { return Bereit; };
    host.setBereit = [this](bool ready) { Bereit = ready; };
    host.renderSidePreview = [this](int side) { RenderSidePreview(side); };
    host.openPictureDialog = [this] { return OpenPictureDialog; };
    host.recordStep = [this](int nameId) { History->record(nameId); };
    host.commitTyping = [this] { History->commitTyping(); };
    Panel = new SidePanel(w, Doc, Dlgs, host, *DlgFormatKopfFuss, *DlgFormatRandtext, this);
    DlgText = new TDlgText(Dlgs, SchriftListe, this);
    connect(BtnText, &QToolButton::clicked, this, &TSDIAppForm::BtnTextClick);
    connect(MenuText, &QAction::triggered, this, &TSDIAppForm::BtnTextClick);
    DlgBild = new TDlgBild(Dlgs, this);
    const auto bildClick = [this] {
        const bool changed = ::BtnBildClick(Doc, *DlgBild);
        UpdateContentChecks();
        if (changed) RenderSidePreview(Doc.AktSeite);
        if (changed) History->record(StepBild);
    };
    connect(MenuBild, &QAction::triggered, this, bildClick);
    connect(BtnBild, &QToolButton::clicked, this, bildClick);
    DlgVerzeichnis = new TDlgVerzeichnis(Dlgs, SchriftListe, this);
    connect(MenuVerzeichnis, &QAction::triggered, this, [this] { BtnVerzeichnisClick(); });
    connect(BtnVerzeichnis, &QToolButton::clicked, this, [this] { BtnVerzeichnisClick(); });
    setAcceptDrops(true); // a folder dropped here is read for the current side
}

void TSDIAppForm::BtnTextClick() {
    if (DlgText->BtnTextClick(Doc, {MenuVerzeichnis, MenuText, MenuBild},
                              [this](int side) { RenderSidePreview(side); }))
        History->record(StepText);
}

void TSDIAppForm::BtnVerzeichnisClick(const QString& readFolder) {
    const int side = Doc.AktSeite;
    const bool changed = DlgVerzeichnis->BtnVerzeichnisClick(Doc, readFolder);
    UpdateContentChecks();
    if (Doc.Inhalt[side] == 1) RenderSidePreview(side);
    if (changed) History->record(StepVerzeichnis);
}

void TSDIAppForm::UpdateContentChecks() {
    // Choosing a content item toggles its own check; the checks follow the side's content.
    const int inhalt = Doc.Inhalt[Doc.AktSeite];
    MenuVerzeichnis->setChecked(inhalt == 1);
    MenuText->setChecked(inhalt == 2);
    MenuBild->setChecked(inhalt == 3);
}

void TSDIAppForm::ComboCoverLayoutChange() {
    Commands->ComboCoverLayoutChange(ComboCoverLayout->currentIndex());
}

void TSDIAppForm::MenuVorderAussenClick() {
    ShowSide(0);
}

void TSDIAppForm::selectLayout(int index) {
    const QSignalBlocker block(ComboCoverLayout); // the reader runs the change itself
    ComboCoverLayout->setCurrentIndex(index);
}

void TSDIAppForm::showSidesInUse(const std::array<bool, 4>& inUse) {
    for (int s = 0; s < CoverDocument::SideCount; ++s) {
        sideMenuItems()[s]->setEnabled(inUse[s]);
        sideButtons()[s]->setVisible(inUse[s]);
    }
}

void TSDIAppForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

bool TSDIAppForm::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) { // a menu item is highlighted
        ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        if (const QString folder = DroppedFolder(drop->mimeData()); !folder.isEmpty()) {
            drop->acceptProposedAction();
            // After the drop has ended, so the file manager is not kept waiting.
            if (event->type() == QEvent::Drop)
                QTimer::singleShot(0, this, [this, folder] { BtnVerzeichnisClick(folder); });
            return true;
        }
    }
    return QMainWindow::event(event);
}

bool TSDIAppForm::eventFilter(QObject* watched, QEvent* event) {
    // The window sees keys before its controls.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this &&
        FormKeyDown(static_cast<QKeyEvent*>(event)->key()))
        return true;
    // Like the hint of a control that has none, an empty status text clears the bar.
    if (event->type() == QEvent::Enter && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        if (w->window() == this) ShowHint(w->statusTip());
    }
    return QMainWindow::eventFilter(watched, event);
}

void TSDIAppForm::connectHelpMenu() {
    connect(MenuHilfeTippsTricks, &QAction::triggered, this,
            &TSDIAppForm::MenuHilfeTippsTricksClick);
    connect(MenuHilfeHandbuch, &QAction::triggered, this, &TSDIAppForm::MenuOnlineHandbuch);
    connect(MenuHilfeAnleitungen, &QAction::triggered, this,
            &TSDIAppForm::MenuHilfeAnleitungenClick);
    connect(MenuHilfeHomepage, &QAction::triggered, this, &TSDIAppForm::MenuHilfeHomepageClick);
    connect(MenuHilfeEmail, &QAction::triggered, this, &TSDIAppForm::MenuHilfeEmailClick);
    connect(MenuHilfeInfo, &QAction::triggered, this, &TSDIAppForm::MenuHilfeInfoClick);
}

void TSDIAppForm::MenuHilfeTippsTricksClick() {
    OpenHelpTarget(Dlgs, HelpTarget::Faq, Sprache);
}

void TSDIAppForm::MenuOnlineHandbuch() {
    OpenHelpTarget(Dlgs, HelpTarget::Manual, Sprache);
}

void TSDIAppForm::MenuHilfeAnleitungenClick() {
    OpenHelpTarget(Dlgs, HelpTarget::Workshops, Sprache);
}

void TSDIAppForm::MenuHilfeHomepageClick() {
    OpenHelpTarget(Dlgs, HelpTarget::HomePage, Sprache);
}

void TSDIAppForm::MenuHilfeEmailClick() {
    OpenHelpTarget(Dlgs, HelpTarget::Feedback, Sprache);
}

void TSDIAppForm::MenuHilfeInfoClick() {
    AboutBox->exec();
}

void TSDIAppForm::SetupPrinting() {
    DlgDruckauswahl = new TDlgDruckauswahl(this);
    PrintHost host;
    host.setStatusText = [this](const QString& text) {
        commandStatus_ = text; // stays until the next command's, whatever hints come between
        StatusBar->showMessage(text);
    };
    host.setDruckLaeuft = [this](bool printing) {
        DruckLaeuft = printing;
        Vorschau->setDruckLaeuft(printing);
    };
    host.setVorschaubild = [this](const Recording& sheet) {
        Vorschau->preview().setVorschaubild(sheet);
    };
    host.renderCurrentSide = [this] { RenderSidePreview(Doc.AktSeite); };
    Drucken = std::make_unique<PrintCommand>(Doc, Dlgs, Drucker, *DlgDruckauswahl, Kalibrierung,
                                             std::move(host));
    MenuKalibrieren = new QAction(QStringLiteral("613"), this);
    MenuKalibrieren->setObjectName(QStringLiteral("MenuKalibrieren"));
    MenuPdfExport = new QAction(QStringLiteral("615"), this);
    MenuPdfExport->setObjectName(QStringLiteral("MenuPdfExport"));
    const QList<QAction*> items = FileMenu->actions();
    QAction* beforeExit = items.value(items.indexOf(ExitItem) - 1, ExitItem); // the separator
    FileMenu->insertActions(beforeExit, {MenuKalibrieren, MenuPdfExport});
    connect(BtnDrucken, &QToolButton::clicked, this, &TSDIAppForm::BtnDruckenClick);
    connect(MenuDrucken, &QAction::triggered, this, &TSDIAppForm::DruckenClick);
    connect(MenuDruckvorschau, &QAction::triggered, this,
            [this] { Drucken->DruckvorschauClick(); });
    connect(BtnDruckvorschau, &QToolButton::clicked, this,
            [this] { Drucken->DruckvorschauClick(); });
    connect(Druckereinrichtung1, &QAction::triggered, this, &TSDIAppForm::Druckereinrichtung1Click);
    connect(MenuKalibrieren, &QAction::triggered, this,
            [this] { Drucken->MenuKalibrierenClick(); });
    connect(MenuPdfExport, &QAction::triggered, this, [this] {
        const bool named = !Doc.DateiName.isEmpty() && QFileInfo::exists(Doc.DateiName);
        const QString dir =
            named ? directoryPart(Doc.DateiName) : ProgSubDir(QStringLiteral("ZVX"));
        const QString name =
            named ? QFileInfo(Doc.DateiName).completeBaseName() + QStringLiteral(".pdf")
                  : QString();
        Drucken->ExportPdfClick(dir, name);
    });
}

void TSDIAppForm::BtnDruckenClick() {
    Drucken->BtnDruckenClick();
}

void TSDIAppForm::DruckenClick() {
    Drucken->DruckenClick();
}

void TSDIAppForm::Druckereinrichtung1Click() {
    Drucken->Druckereinrichtung1Click();
}

bool TSDIAppForm::FormKeyDown(int key) {
    return Drucken && Drucken->FormKeyDown(key);
}
