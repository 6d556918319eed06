#include "content/bild.h"
#include "content/contentstrings.h"
#include "content/dialogpreview.h"
#include "document/coverdocument.h"
#include "platform/errorreport.h"
#include "platform/helptarget.h"
#include "platform/interfacetext.h"
#include "platform/stringtable.h"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QGroupBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>

namespace {
constexpr int TitleLoad = 358;

QGroupBox* radioGroup(QWidget* parent, int titleId, int firstItemId, int items,
                      QButtonGroup*& group) {
    auto* box = new QGroupBox(parent);
    SetTextId(box, titleId);
    MarkItemList(box);
    group = new QButtonGroup(box);
    for (int i = 0; i < items; ++i) {
        auto* r = new QRadioButton(QString::number(firstItemId + i), box);
        r->setGeometry(10, 22 + 24 * i, 126, 22);
        group->addButton(r, i);
    }
    return box;
}

// The first local file a drag carries.
QString droppedFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls()) return {};
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return {};
}
} // namespace

TDlgBild::TDlgBild(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), Logic(dialogs), dialogs_(dialogs) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    SetTextId(this, 180);
    setFixedSize(504, 393);
    PanelVorschau = new QFrame(this);
    PanelVorschau->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanelVorschau->setGeometry(8, 8, 336, 336);
    PaintBoxVorschau = new DialogPreview(PanelVorschau);
    PaintBoxVorschau->setGeometry(2, 2, 332, 332);
    PaintBoxVorschau->setFitToBox(true); // the maxi-CD and paper case sides are larger
    PaintBoxVorschau->setAcceptDrops(true);
    PaintBoxVorschau->installEventFilter(this);

    RadioBildmasse = radioGroup(this, 181, 182, 2, BildmasseItems);
    RadioBildmasse->setGeometry(352, 8, 144, 100);
    // Filling is ours; its text has an id of its own, not the one after "stretch".
    auto* fill = new QRadioButton(QString::number(StrFill), RadioBildmasse);
    fill->setGeometry(10, 70, 126, 22);
    BildmasseItems->addButton(fill, 2);
    BildmasseItems->button(1)->setChecked(true);
    RadioAusrichtung = radioGroup(this, 184, 185, 3, AusrichtungItems);
    RadioAusrichtung->setGeometry(352, 112, 144, 100);
    AusrichtungItems->button(2)->setChecked(true);

    const QStyle* st = style();
    BtnLaden = new QPushButton(st->standardIcon(QStyle::SP_DialogOpenButton), QString(), this);
    BtnLaden->setGeometry(352, 220, 144, 30);
    BtnLaden->setIconSize(QSize(22, 22));
    BtnSpeichern = new QPushButton(st->standardIcon(QStyle::SP_DialogSaveButton), QString(), this);
    BtnSpeichern->setVisible(false);
    BtnEinfuegen = new QPushButton(this);
    SetTextId(BtnEinfuegen, 191);
    BtnEinfuegen->setGeometry(352, 256, 144, 30);
    BtnLoeschen = new QPushButton(this);
    SetTextId(BtnLoeschen, 192);
    BtnLoeschen->setGeometry(352, 292, 144, 30);
    OKBtn =
        new QPushButton(st->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    OKBtn->setGeometry(196, 354, 96, 30);
    CancelBtn = new QPushButton(st->standardIcon(QStyle::SP_DialogCancelButton), QString(), this);
    SetTextId(CancelBtn, StrCancel);
    CancelBtn->setGeometry(298, 354, 96, 30);
    HelpBtn = new QPushButton(st->standardIcon(QStyle::SP_DialogHelpButton), QString(), this);
    SetTextId(HelpBtn, StrHelp);
    HelpBtn->setGeometry(400, 354, 96, 30);

    Execute = [this] { return exec(); };
    connect(BtnLaden, &QPushButton::clicked, this, &TDlgBild::BtnLadenClick);
    connect(BtnSpeichern, &QPushButton::clicked, this, &TDlgBild::BtnSpeichernClick);
    connect(BtnEinfuegen, &QPushButton::clicked, this, &TDlgBild::BtnEinfuegenClick);
    connect(BtnLoeschen, &QPushButton::clicked, this, &TDlgBild::BtnLoeschenClick);
    connect(BildmasseItems, &QButtonGroup::idClicked, this, &TDlgBild::RadioBildmasseClick);
    connect(AusrichtungItems, &QButtonGroup::idClicked, this, &TDlgBild::RadioAusrichtungClick);
    connect(OKBtn, &QPushButton::clicked, this, &TDlgBild::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TDlgBild::CancelBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, &TDlgBild::HelpBtnClick);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        if (open_) updatePasteButton();
    });
    RegisterTranslatedWindow(this);
}

void TDlgBild::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    FormShow();
}

void TDlgBild::FormShow() {
    open_ = true;
    Logic.begin();
    BtnLaden->setToolTip(LadeText(TitleLoad));
    {
        const QSignalBlocker b1(BildmasseItems), b2(AusrichtungItems);
        if (QAbstractButton* b = BildmasseItems->button(Logic.BildFormat.Bildmasse))
            b->setChecked(true);
        if (QAbstractButton* b = AusrichtungItems->button(Logic.BildFormat.Ausrichtung))
            b->setChecked(true);
    }
    updatePasteButton();
    updateControls();
    RenderDialogPreview();
}

void TDlgBild::updatePasteButton() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    BtnEinfuegen->setEnabled(mime && mime->hasImage());
}

void TDlgBild::updateControls() {
    RadioAusrichtung->setEnabled(Logic.ausrichtungEnabled());
    BtnLoeschen->setEnabled(!Logic.Bild.isNull());
}

void TDlgBild::RenderDialogPreview() {
    PaintBoxVorschau->setNote(Logic.pictureInfo());
    PaintBoxVorschau->render([this](QPainter& canvas) { Logic.drawPreview(canvas); });
}

void TDlgBild::BtnLadenClick() {
    runGuarded(dialogs_, [this] { Logic.BtnLadenClick(); });
    updateControls();
    RenderDialogPreview();
}

void TDlgBild::DropFile(const QString& path) {
    runGuarded(dialogs_, [&] { Logic.loadFile(path); });
    updateControls();
    RenderDialogPreview();
}

void TDlgBild::BtnEinfuegenClick() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (!mime || !mime->hasImage()) return;
    Logic.paste(qvariant_cast<QImage>(mime->imageData()));
    updateControls();
    RenderDialogPreview();
    BtnSpeichernClick(); // offer to keep the pasted picture as a file
}

void TDlgBild::BtnSpeichernClick() {
    runGuarded(dialogs_, [this] { Logic.BtnSpeichernClick(); });
}

void TDlgBild::BtnLoeschenClick() {
    Logic.BtnLoeschenClick();
    updateControls();
    RenderDialogPreview();
}

void TDlgBild::RadioBildmasseClick() {
    Logic.RadioBildmasseClick(BildmasseItems->checkedId());
    updateControls();
    RenderDialogPreview();
}

void TDlgBild::RadioAusrichtungClick() {
    Logic.RadioAusrichtungClick(AusrichtungItems->checkedId());
    RenderDialogPreview();
}

void TDlgBild::OKBtnClick() {
    Logic.OKBtnClick();
    done(1);
}

void TDlgBild::CancelBtnClick() {
    Logic.CancelBtnClick();
    done(2);
}

void TDlgBild::HelpBtnClick() {
    OpenHelpTarget(dialogs_, HelpTarget::Workshops);
}

void TDlgBild::FormClose() {
    open_ = false;
    PaintBoxVorschau->clear();
    Logic.FormClose();
}

void TDlgBild::done(int result) {
    FormClose(); // every way of closing: buttons, Escape, the window's close box
    QDialog::done(result);
}

bool TDlgBild::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PaintBoxVorschau) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* e = static_cast<QDragMoveEvent*>(event);
            if (!droppedFile(e->mimeData()).isEmpty()) e->acceptProposedAction();
            return true;
        }
        if (event->type() == QEvent::Drop) {
            auto* e = static_cast<QDropEvent*>(event);
            const QString path = droppedFile(e->mimeData());
            if (!path.isEmpty()) {
                e->acceptProposedAction();
                DropFile(path);
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool BtnBildClick(CoverDocument& doc, TDlgBild& dialog) {
    const int s = doc.AktSeite;
    PictureDialogLogic& d = dialog.Logic;
    d.Seite = quint8(s);
    d.CoverLayout = doc.CoverLayout;
    d.BildFormat = doc.BildFormat[s];
    d.KopfFormat = doc.KopfFormat[s];
    d.FussFormat = doc.FussFormat[s];
    d.HgFormat = doc.HgFormat[s];
    d.Bild = doc.Bild[s];
    d.HgBild = doc.HgBild[s];
    const bool ok = dialog.Execute() == 1;
    if (ok) {
        doc.Geaendert = true;
        doc.Inhalt[s] = 3;
        doc.BildFormat[s] = d.BildFormat;
        doc.Bild[s] = d.Bild;
    }
    d.release();
    return ok;
}
