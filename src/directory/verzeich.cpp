#include "directory/verzeich.h"
#include "content/dialogpreview.h"
#include "directory/directorystrings.h"
#include "directory/diredit.h"
#include "directory/filter.h"
#include "platform/dialogs.h"
#include "platform/errorreport.h"
#include "platform/helptarget.h"
#include "platform/interfacetext.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>

namespace {
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
    setFixedSize(504, 471);

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
    DirectoryListBox = new QListWidget(this);
    DirectoryListBox->setObjectName(QStringLiteral("DirectoryListBox"));
    DirectoryListBox->setGeometry(344, 46, 156, 118);
    DirectoryListBox->setIconSize(QSize(16, 16));
    BtnLaden = button(this, "BtnLaden", 272, QRect(344, 167, 156, 25));
    BtnDirFilter = button(this, "BtnDirFilter", 255, QRect(344, 194, 156, 25));

    RadioTiefe = radioGroup(this, 261, 262, 8, 4, QRect(344, 222, 156, 62), TiefeItems);
    RadioKommentare = radioGroup(this, 273, 274, 3, 3, QRect(344, 288, 156, 42), KommentareItems);
    BtnLoeschen = button(this, "BtnLoeschen", 192, QRect(344, 336, 76, 26));
    BtnBearbeiten = button(this, "BtnBearbeiten", 193, QRect(424, 336, 76, 26));
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
    RegisterTranslatedWindow(this);
}

bool TDlgVerzeichnis::BtnVerzeichnisClick(CoverDocument& doc) {
    return Model.BtnVerzeichnisClick(doc, [this] { return exec() == QDialog::Accepted; });
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
}

void TDlgVerzeichnis::RenderDialogPreview() {
    PaintBoxVorschau->render([this](QPainter& canvas) { Model.drawPreview(canvas); });
    LabelSpielzeit->setText(Model.totalTimeText()); // every change of the listing is drawn
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
        auto* row = new QListWidgetItem(item.onPath ? open : closed,
                                        QString(2 * item.level, u' ') + item.name);
        row->setData(Qt::UserRole, item.path);
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
