#include "directory/verzeich.h"
#include "content/dialogpreview.h"
#include "directory/directorystrings.h"
#include "directory/diredit.h"
#include "directory/filter.h"
#include "directory/folderdrop.h"
#include "directory/folderlistbox.h"
#include "platform/dialogs.h"
#include "platform/errorreport.h"
#include "platform/helptarget.h"
#include "platform/interfacetext.h"
#include "platform/stringtable.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>

namespace {
const char* const KeyGeometry = "DirectoryDialog/geometry";
constexpr QSize DesignedSize(504, 471); // the smallest size: everything fits
constexpr QSize FirstSize(640, 560);    // room for the folder list before any is remembered

QPushButton* button(QWidget* parent, const char* name, int textId, QRect at) {
    auto* b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    if (textId) SetTextId(b, textId);
    b->setGeometry(at);
    return b;
}

// A radio group whose items carry text ids, in columns.
QGroupBox* radioGroup(QWidget* parent, int titleId, int firstItem, int items, int columns, QRect at,
                      QButtonGroup*& group) {
    auto* box = new QGroupBox(parent);
    SetTextId(box, titleId);
    MarkItemList(box);
    box->setGeometry(at);
    group = new QButtonGroup(box);
    const int w = (at.width() - 8) / columns;
    for (int i = 0; i < items; ++i) {
        auto* r = new QRadioButton(QString::number(firstItem + i), box);
        r->setGeometry(6 + (i % columns) * w, 18 + (i / columns) * 20, w, 20);
        group->addButton(r, i);
    }
    return box;
}

void checkItem(QButtonGroup* group, int id) {
    if (QAbstractButton* b = group->button(id)) {
        b->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons())
        b->setChecked(false);
    group->setExclusive(true);
}
} // namespace

TDlgVerzeichnis::TDlgVerzeichnis(Dialogs& dialogs, const QStringList& schriftListe, QWidget* parent)
    : QDialog(parent), Model(dialogs), dialogs_(dialogs) {
    setObjectName(QStringLiteral("DlgVerzeichnis"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    SetTextId(this, 270);
    setSizeGripEnabled(true);
    setMinimumSize(DesignedSize);
    setAcceptDrops(true); // a folder dropped from the file manager

    PanelVorschau = new QFrame(this);
    PanelVorschau->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanelVorschau->setGeometry(4, 4, 336, 336);
    PaintBoxVorschau = new DialogPreview(PanelVorschau);
    PaintBoxVorschau->setGeometry(1, 1, 334, 334);
    PaintBoxVorschau->setFitToBox(true); // the maxi-CD and paper case sides are larger

    // The start folder: drive, folders, filter and reading.
    LabelStart = new QLabel(this);
    SetTextId(LabelStart, 271);
    LabelStart->setGeometry(346, 2, 154, 16);
    DriveComboBox = new QComboBox(this);
    DriveComboBox->setObjectName(QStringLiteral("DriveComboBox"));
    DriveComboBox->setGeometry(344, 18, 156, 24);
    EditOrt = new QLineEdit(this);
    EditOrt->setObjectName(QStringLiteral("EditOrt"));
    EditOrt->setAcceptDrops(false); // a dropped folder goes to the dialog
    EditOrt->installEventFilter(this);
    // Return with the completion list open reaches the field without the filter.
    connect(EditOrt, &QLineEdit::returnPressed, this, &TDlgVerzeichnis::EditOrtReturn);
    BtnOrdnerWaehlen = new QToolButton(this);
    BtnOrdnerWaehlen->setObjectName(QStringLiteral("BtnOrdnerWaehlen"));
    BtnOrdnerWaehlen->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    SetTextId(BtnOrdnerWaehlen, StrDirChooseFolder);
    DirectoryListBox = new FolderListBox(this);
    DirectoryListBox->setObjectName(QStringLiteral("DirectoryListBox"));
    DirectoryListBox->setIconSize(QSize(16, 16));
    BtnLaden = button(this, "BtnLaden", 272, QRect(344, 167, 156, 25));
    BtnDirFilter = button(this, "BtnDirFilter", 255, QRect(344, 194, 156, 25));

    RadioTiefe = radioGroup(this, 261, 262, 8, 4, QRect(344, 222, 156, 62), TiefeItems);
    RadioKommentare = radioGroup(this, 273, 274, 3, 3, QRect(344, 288, 156, 42), KommentareItems);
    BtnLoeschen = button(this, "BtnLoeschen", 192, QRect(344, 336, 76, 26));
    BtnBearbeiten = button(this, "BtnBearbeiten", 193, QRect(424, 336, 76, 26));
    LabelFilter = new QLabel(this);
    LabelFilter->setObjectName(QStringLiteral("LabelFilter"));
    OpenBtn = button(this, "OpenBtn", 0, QRect(344, 380, 48, 28));
    OpenBtn->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    OpenBtn->setToolTip(QStringLiteral("VMK"));
    SaveBtn = button(this, "SaveBtn", 0, QRect(398, 380, 48, 28));
    SaveBtn->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    SaveBtn->setToolTip(QStringLiteral("VMK, TXT, HTM"));
    HelpBtn = button(this, "HelpBtn", StrDirHelp, QRect(452, 380, 48, 28));
    OKBtn = button(this, "OKBtn", 0, QRect(344, 414, 76, 28));
    OKBtn->setText(QStringLiteral("OK"));
    OKBtn->setDefault(true);
    CancelBtn = button(this, "CancelBtn", StrDirCancel, QRect(424, 414, 76, 28));

    // Below the preview: the start-directory line, font, size and colour, the sample.
    CheckStartVerzeichnis = new QCheckBox(this);
    CheckStartVerzeichnis->setObjectName(QStringLiteral("CheckStartVerzeichnis"));
    CheckStartVerzeichnis->setGeometry(6, 346, 18, 20);
    LabelStartVerzeichnis = new QLabel(this);
    LabelStartVerzeichnis->setObjectName(QStringLiteral("LabelStartVerzeichnis"));
    LabelStartVerzeichnis->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    LabelStartVerzeichnis->setGeometry(26, 344, 314, 24);
    LabelStartVerzeichnis->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ComboSchriftart = new QComboBox(this);
    ComboSchriftart->setObjectName(QStringLiteral("ComboSchriftart"));
    QStringList fonts = schriftListe;
    fonts.sort(Qt::CaseInsensitive);
    ComboSchriftart->addItems(fonts);
    ComboSchriftart->setGeometry(4, 374, 156, 26);
    ComboSchriftgroesse = new QComboBox(this);
    ComboSchriftgroesse->setObjectName(QStringLiteral("ComboSchriftgroesse"));
    for (int i = 0; i < 5; ++i)
        ComboSchriftgroesse->addItem(QStringLiteral("%1 mm").arg(i + 2, 3));
    ComboSchriftgroesse->setGeometry(164, 374, 74, 26);
    BtnSchriftfarbe = button(this, "BtnSchriftfarbe", 244, QRect(242, 374, 98, 26));
    Panel3 = new QFrame(this);
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel3->setStyleSheet(QStringLiteral("QFrame { background: white; }"));
    Panel3->setGeometry(4, 406, 336, 37);
    LabelSchrift = new QLabel(QStringLiteral("Font."), Panel3);
    LabelSchrift->setAlignment(Qt::AlignCenter);
    LabelSchrift->setGeometry(2, 2, 332, 33);

    // Below everything: the audio option of a reading and the listing's total playing time.
    CheckAudioTags = new QCheckBox(this);
    CheckAudioTags->setObjectName(QStringLiteral("CheckAudioTags"));
    SetTextId(CheckAudioTags, StrAudioComments);
    CheckAudioTags->setGeometry(6, 447, 290, 20);
    LabelSpielzeit = new QLabel(this);
    LabelSpielzeit->setObjectName(QStringLiteral("LabelSpielzeit"));
    LabelSpielzeit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LabelSpielzeit->setGeometry(300, 447, 200, 20);

    DlgDirFilter = new TDlgDirFilter(this);
    DlgVerzEdit = new TDlgVerzEdit(this);
    showEditor = [](TDlgVerzEdit& editor) { editor.exec(); };

    connect(ComboSchriftart, &QComboBox::activated, this, &TDlgVerzeichnis::ComboSchriftartChange);
    connect(ComboSchriftgroesse, &QComboBox::activated, this,
            &TDlgVerzeichnis::ComboSchriftgroesseChange);
    connect(BtnSchriftfarbe, &QPushButton::clicked, this, &TDlgVerzeichnis::BtnSchriftfarbeClick);
    connect(TiefeItems, &QButtonGroup::idClicked, this, &TDlgVerzeichnis::RadioTiefeClick);
    connect(KommentareItems, &QButtonGroup::idClicked, this,
            &TDlgVerzeichnis::RadioKommentareClick);
    connect(CheckStartVerzeichnis, &QCheckBox::clicked, this,
            &TDlgVerzeichnis::CheckStartVerzeichnisClick);
    connect(DriveComboBox, &QComboBox::activated, this, &TDlgVerzeichnis::DriveComboBoxChange);
    connect(DirectoryListBox, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        DirectoryListBoxChange(item->data(Qt::UserRole).toString());
    });
    connect(DirectoryListBox, &FolderListBox::upRequested, this, &TDlgVerzeichnis::FolderUp);
    connect(BtnOrdnerWaehlen, &QToolButton::clicked, this, &TDlgVerzeichnis::BtnOrdnerWaehlenClick);
    auto* toLocation = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), this);
    connect(toLocation, &QShortcut::activated, this, [this] {
        EditOrt->setFocus(Qt::ShortcutFocusReason);
        EditOrt->selectAll();
    });
    connect(BtnDirFilter, &QPushButton::clicked, this, &TDlgVerzeichnis::BtnDirFilterClick);
    connect(CheckAudioTags, &QCheckBox::clicked, this, &TDlgVerzeichnis::CheckAudioTagsClick);
    connect(BtnLaden, &QPushButton::clicked, this, &TDlgVerzeichnis::BtnLadenClick);
    connect(OpenBtn, &QPushButton::clicked, this, &TDlgVerzeichnis::OpenBtnClick);
    connect(SaveBtn, &QPushButton::clicked, this, &TDlgVerzeichnis::SaveBtnClick);
    connect(BtnLoeschen, &QPushButton::clicked, this, &TDlgVerzeichnis::BtnLoeschenClick);
    connect(BtnBearbeiten, &QPushButton::clicked, this, &TDlgVerzeichnis::BtnBearbeitenClick);
    connect(HelpBtn, &QPushButton::clicked, this, &TDlgVerzeichnis::HelpBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    resize(FirstSize);
    restoreGeometry(QSettings(Model.settingsFile, QSettings::IniFormat)
                        .value(QLatin1String(KeyGeometry))
                        .toByteArray());
    layoutControls();
    RegisterTranslatedWindow(this);
}

// The designed places at the smallest size; more room goes to the preview (two thirds of
// the width, all of the height) and to the folder list (a third of the width, the height).
void TDlgVerzeichnis::layoutControls() {
    const int dx = std::max(0, width() - DesignedSize.width());
    const int dy = std::max(0, height() - DesignedSize.height());
    const int dl = dx * 2 / 3, left = 336 + dl;
    const int x = 344 + dl, w = 156 + dx - dl;
    PanelVorschau->setGeometry(4, 4, left, 336 + dy);
    PaintBoxVorschau->setGeometry(1, 1, left - 2, 334 + dy);
    CheckStartVerzeichnis->move(6, 346 + dy);
    LabelStartVerzeichnis->setGeometry(26, 344 + dy, left - 22, 24);
    ComboSchriftart->setGeometry(4, 374 + dy, 156 + dl, 26);
    ComboSchriftgroesse->move(164 + dl, 374 + dy);
    BtnSchriftfarbe->move(242 + dl, 374 + dy);
    Panel3->setGeometry(4, 406 + dy, left, 37);
    LabelSchrift->setGeometry(2, 2, left - 4, 33);

    LabelStart->setGeometry(x + 2, 2, w - 2, 16);
    DriveComboBox->setGeometry(x, 18, w, 24);
    EditOrt->setGeometry(x, 46, w - 26, 24);
    BtnOrdnerWaehlen->setGeometry(x + w - 24, 46, 24, 24);
    DirectoryListBox->setGeometry(x, 72, w, 92 + dy);
    BtnLaden->setGeometry(x, 167 + dy, w, 25);
    BtnDirFilter->setGeometry(x, 194 + dy, w, 25);
    RadioTiefe->move(x, 222 + dy);
    RadioKommentare->move(x, 288 + dy);
    BtnLoeschen->setGeometry(x, 336 + dy, w / 2 - 2, 26);
    BtnBearbeiten->setGeometry(x + w / 2 + 2, 336 + dy, w - w / 2 - 2, 26);
    LabelFilter->setGeometry(x + 2, 363 + dy, w - 2, 16);
    OpenBtn->move(x, 380 + dy);
    SaveBtn->move(x + 54, 380 + dy);
    HelpBtn->move(x + w - 48, 380 + dy);
    OKBtn->move(x, 414 + dy);
    CancelBtn->move(x + w - 76, 414 + dy);
    CheckAudioTags->setGeometry(6, 447 + dy, 290, 20);
    LabelSpielzeit->setGeometry(300 + dx, 447 + dy, 200, 20);
    fitPreview();
}

// 2 pixels per millimetre at the smallest size, larger when the box has room for it.
void TDlgVerzeichnis::fitPreview() {
    const QRect drawn = PaintBoxVorschau->picture().boundingRect();
    double scale = 0.2;
    if (drawn.right() > 0 && drawn.bottom() > 0)
        scale = std::max(scale, std::min((PaintBoxVorschau->width() - 20.0) / drawn.right(),
                                         (PaintBoxVorschau->height() - 20.0) / drawn.bottom()));
    PaintBoxVorschau->setScale(scale);
}

void TDlgVerzeichnis::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layoutControls();
}

void TDlgVerzeichnis::done(int result) {
    QSettings(Model.settingsFile, QSettings::IniFormat)
        .setValue(QLatin1String(KeyGeometry), saveGeometry());
    QDialog::done(result);
}

bool TDlgVerzeichnis::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EditOrt && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            EditOrtReturn();
            return true; // the location's Return reads; it does not close the dialog
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TDlgVerzeichnis::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFolder(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TDlgVerzeichnis::dropEvent(QDropEvent* event) {
    const QString folder = DroppedFolder(event->mimeData());
    if (folder.isEmpty()) return;
    event->acceptProposedAction();
    goAndRead(folder);
}

bool TDlgVerzeichnis::BtnVerzeichnisClick(CoverDocument& doc, const QString& readFolder) {
    pendingFolder_ = readFolder;
    const bool ok = Model.BtnVerzeichnisClick(doc, [this] { return exec() == QDialog::Accepted; });
    pendingFolder_.clear();
    return ok;
}

void TDlgVerzeichnis::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TDlgVerzeichnis::closeEvent(QCloseEvent* event) {
    PaintBoxVorschau->clear();
    QDialog::closeEvent(event);
}

void TDlgVerzeichnis::FormShow() {
    PaintBoxVorschau->clear();
    const TFormatVerzeichnis& f = Model.Format;
    {
        const QSignalBlocker b1(ComboSchriftart), b2(ComboSchriftgroesse);
        const int font = ComboSchriftart->findText(f.Schriftart, Qt::MatchFixedString);
        if (font >= 0) ComboSchriftart->setCurrentIndex(font); // else the selection stays
        ComboSchriftgroesse->setCurrentIndex(f.Groesse >= 0 && f.Groesse < 5 ? f.Groesse : -1);
    }
    Model.prepareShow();
    showDrives();
    showFolders();
    CheckStartVerzeichnis->setChecked(f.StartVerz == 1);
    CheckAudioTags->setChecked(Model.Filter.AudioComments);
    RenderDialogPreview();
    updateSample();
    checkItem(TiefeItems, f.Tiefe);
    checkItem(KommentareItems, f.Kommentare);
    showListingButtons();
    showFilterState();
    if (!EditOrt->completer()) {
        // Made at the first showing, so the program's start does not watch the file system.
        auto* folders = new QFileSystemModel(EditOrt);
        folders->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
        folders->setRootPath(QString());
        // The model reads a folder when asked for it: the one being typed in.
        connect(EditOrt, &QLineEdit::textEdited, folders,
                [folders](const QString& typed) { folders->index(QFileInfo(typed).path()); });
        auto* completer = new QCompleter(folders, EditOrt);
        completer->setCaseSensitivity(Qt::CaseSensitive);
        EditOrt->setCompleter(completer);
        EditOrt->setToolTip(LadeText(StrDirLocationHint));
    }
    if (!pendingFolder_.isEmpty() && goAndRead(std::exchange(pendingFolder_, QString())))
        OKBtn->setFocus(Qt::OtherFocusReason);
}

void TDlgVerzeichnis::showFilterState() {
    LabelFilter->setText(Model.filterState());
}

void TDlgVerzeichnis::EditOrtReturn() {
    if (goAndRead(EditOrt->text())) OKBtn->setFocus(Qt::OtherFocusReason); // Return again: OK
}

void TDlgVerzeichnis::BtnOrdnerWaehlenClick() {
    const std::optional<QString> folder =
        dialogs_.chooseFolder(LadeText(StrDirChooseFolder), Model.location());
    if (folder && goAndRead(*folder)) OKBtn->setFocus(Qt::OtherFocusReason);
}

void TDlgVerzeichnis::FolderUp() {
    runGuarded(dialogs_, [&] { Model.goUp(); });
    showFolders();
}

bool TDlgVerzeichnis::goAndRead(const QString& folder) {
    bool changed = false;
    runGuarded(dialogs_, [&] { changed = Model.goAndRead(folder); });
    showFolders();
    showListingButtons();
    if (changed) RenderDialogPreview();
    return changed;
}

void TDlgVerzeichnis::RenderDialogPreview() {
    PaintBoxVorschau->render([this](QPainter& canvas) { Model.drawPreview(canvas); });
    LabelSpielzeit->setText(Model.totalTimeText()); // every change of the listing is drawn
    fitPreview(); // the side may have changed
}

void TDlgVerzeichnis::updateSample() {
    QFont font(ComboSchriftart->currentText());
    font.setPixelSize(24);
    LabelSchrift->setFont(font);
}

void TDlgVerzeichnis::showDrives() {
    const QSignalBlocker block(DriveComboBox);
    DriveComboBox->clear();
    for (const DriveEntry& e : Model.Drives)
        DriveComboBox->addItem(e.displayText());
    DriveComboBox->setCurrentIndex(Model.DriveIndex);
}

void TDlgVerzeichnis::showFolders() {
    DirectoryListBox->clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    for (const FolderList::Item& item : Model.Folders.items()) {
        auto* row = new QListWidgetItem(item.onPath ? open : closed, item.name);
        row->setData(Qt::UserRole, item.path);
        row->setData(FolderListBox::LevelRole, item.level);
        row->setToolTip(item.path);
        DirectoryListBox->addItem(row);
    }
    if (Model.Folders.currentRow() >= 0) {
        DirectoryListBox->setCurrentRow(Model.Folders.currentRow());
        DirectoryListBox->scrollToItem(DirectoryListBox->currentItem(),
                                       QAbstractItemView::PositionAtTop);
    }
    DriveComboBox->setCurrentIndex(Model.DriveIndex);
    LabelStartVerzeichnis->setText(Model.StartLabel);
    EditOrt->setText(Model.location());
}

void TDlgVerzeichnis::showListingButtons() {
    BtnLoeschen->setEnabled(Model.ListingButtons);
    BtnBearbeiten->setEnabled(Model.ListingButtons);
    SaveBtn->setEnabled(Model.ListingButtons);
}

void TDlgVerzeichnis::ComboSchriftartChange() {
    Model.Format.Schriftart = ComboSchriftart->currentText();
    RenderDialogPreview();
    updateSample();
}

void TDlgVerzeichnis::ComboSchriftgroesseChange() {
    Model.Format.Groesse = ComboSchriftgroesse->currentIndex();
    RenderDialogPreview();
}

void TDlgVerzeichnis::BtnSchriftfarbeClick() {
    if (const std::optional<qint32> chosen = dialogs_.chooseColor(Model.Format.Schriftfarbe))
        Model.Format.Schriftfarbe = *chosen;
    RenderDialogPreview();
}

void TDlgVerzeichnis::RadioTiefeClick() {
    Model.Format.Tiefe = TiefeItems->checkedId(); // only the next reading needs it
}

void TDlgVerzeichnis::RadioKommentareClick() {
    Model.Format.Kommentare = KommentareItems->checkedId();
    RenderDialogPreview();
}

void TDlgVerzeichnis::CheckStartVerzeichnisClick() {
    Model.Format.StartVerz = CheckStartVerzeichnis->isChecked() ? 1 : 0;
    RenderDialogPreview();
}

void TDlgVerzeichnis::DriveComboBoxChange() {
    const bool chosen = Model.DriveComboBoxChange(DriveComboBox->currentIndex());
    showDrives();  // a disc image entry now names its image
    showFolders(); // also puts the box back when the drive could not be read
    if (chosen && Model.readsAtOnce()) BtnLadenClick();
}

void TDlgVerzeichnis::DirectoryListBoxChange(const QString& path) {
    runGuarded(dialogs_, [&] { Model.DirectoryListBoxChange(path); }); // a damaged image
    showFolders();
}

void TDlgVerzeichnis::BtnDirFilterClick() {
    DlgDirFilter->BtnDirFilterClick(Model.Filter);
    showFilterState();
}

void TDlgVerzeichnis::CheckAudioTagsClick() {
    Model.Filter.AudioComments = CheckAudioTags->isChecked(); // for the next reading
}

void TDlgVerzeichnis::BtnLadenClick() {
    bool changed = false;
    runGuarded(dialogs_, [&] { changed = Model.BtnLadenClick(); });
    LabelStartVerzeichnis->setText(Model.StartLabel);
    showListingButtons();
    if (changed) RenderDialogPreview();
}

void TDlgVerzeichnis::OpenBtnClick() {
    bool changed = false;
    runGuarded(dialogs_, [&] { changed = Model.OpenBtnClick(); });
    if (!changed) return;
    LabelStartVerzeichnis->setText(Model.StartLabel);
    showListingButtons();
    RenderDialogPreview();
}

void TDlgVerzeichnis::SaveBtnClick() {
    runGuarded(dialogs_, [&] { Model.SaveBtnClick(); });
}

void TDlgVerzeichnis::BtnLoeschenClick() {
    Model.BtnLoeschenClick();
    RenderDialogPreview();
    showListingButtons();
}

void TDlgVerzeichnis::BtnBearbeitenClick() {
    DlgVerzEdit->configure(Model.Format.Kommentare, Model.RowsPerColumn);
    DlgVerzEdit->setListing(&Model.Listing, Model.Format);
    showEditor(*DlgVerzEdit);
    RenderDialogPreview();
}

void TDlgVerzeichnis::HelpBtnClick() {
    OpenHelpTarget(dialogs_, HelpTarget::Workshops);
}
