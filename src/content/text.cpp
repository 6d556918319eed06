#include "content/text.h"
#include "content/contentstrings.h"
#include "content/dialogpreview.h"
#include "content/txtedit.h"
#include "document/coverdocument.h"
#include "platform/busycursor.h"
#include "platform/dialogs.h"
#include "platform/errorreport.h"
#include "platform/glyphs.h"
#include "platform/helptarget.h"
#include "platform/interfacetext.h"
#include "render/canvasfont.h"
#include "render/dialogside.h"
#include "render/primitives.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>

namespace {
constexpr int kSizeItems = 28; // 3 .. 30 mm

// The size items: "  3 mm" .. "  9 mm", "10 mm" .. "30 mm", in both languages.
QString sizeItem(int mm) {
    return mm < 10 ? QStringLiteral("  %1 mm").arg(mm) : QStringLiteral("%1 mm").arg(mm);
}
} // namespace

TDlgText::TDlgText(Dialogs& dialogs, const QStringList& schriftListe, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), files_(dialogs) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    SetTextId(this, 196);
    setFixedSize(504, 393);

    PaintBoxVorschau = new DialogPreview(this);
    PaintBoxVorschau->setGeometry(0, 0, 336, 336);
    PaintBoxVorschau->setFitToBox(true); // the maxi-CD and paper case sides are larger

    constexpr int x = 344, w = 152;
    ComboSchriftart = new QComboBox(this);
    QStringList fonts = schriftListe;
    fonts.sort(Qt::CaseInsensitive);
    ComboSchriftart->addItems(fonts);
    ComboSchriftart->setGeometry(x, 6, w, 24);
    ComboSchriftgroesse = new QComboBox(this);
    for (int i = 0; i < kSizeItems; ++i)
        ComboSchriftgroesse->addItem(sizeItem(i + 3));
    ComboSchriftgroesse->setGeometry(x, 36, w, 24);
    BtnSchriftfarbe = new QPushButton(this);
    SetTextId(BtnSchriftfarbe, 244);
    BtnSchriftfarbe->setGeometry(x, 66, w, 26);
    GroupBox1 = new QGroupBox(this);
    SetTextId(GroupBox1, 245);
    GroupBox1->setGeometry(x, 98, w, 72);
    CheckFett = new QCheckBox(GroupBox1);
    SetTextId(CheckFett, 246);
    CheckFett->setGeometry(10, 20, w - 16, 22);
    CheckKursiv = new QCheckBox(GroupBox1);
    SetTextId(CheckKursiv, 247);
    CheckKursiv->setGeometry(10, 44, w - 16, 22);
    RadioAusrichtung = new QGroupBox(this);
    SetTextId(RadioAusrichtung, 249);
    MarkItemList(RadioAusrichtung);
    RadioAusrichtung->setGeometry(x, 176, w, 96);
    AusrichtungItems = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* r = new QRadioButton(QString::number(250 + i), RadioAusrichtung);
        r->setGeometry(10, 20 + 24 * i, w - 16, 22);
        AusrichtungItems->addButton(r, i);
    }
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    OKBtn->setGeometry(x, 290, w, 28);
    CancelBtn = new QPushButton(this);
    SetTextId(CancelBtn, StrCancel);
    CancelBtn->setGeometry(x, 324, w, 28);
    HelpBtn = new QPushButton(this);
    SetTextId(HelpBtn, StrHelp);
    HelpBtn->setGeometry(x, 358, w, 28);

    // Below the preview: file buttons, delete, edit and the font sample.
    BtnLaden = new QToolButton(this);
    BtnLaden->setIcon(editGlyph(EditGlyph::Load));
    BtnLaden->setIconSize(QSize(21, 21));
    SetTextId(BtnLaden, 353);
    BtnLaden->setGeometry(4, 350, 32, 32);
    BtnSpeichern = new QToolButton(this);
    BtnSpeichern->setIcon(editGlyph(EditGlyph::Save));
    BtnSpeichern->setIconSize(QSize(21, 21));
    SetTextId(BtnSpeichern, 354);
    BtnSpeichern->setGeometry(40, 350, 32, 32);
    BtnLoeschen = new QPushButton(this);
    SetTextId(BtnLoeschen, 192);
    BtnLoeschen->setGeometry(80, 352, 76, 28);
    BtnBearbeiten = new QPushButton(this);
    SetTextId(BtnBearbeiten, 193);
    BtnBearbeiten->setGeometry(160, 352, 92, 28);
    Panel3 = new QFrame(this);
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel3->setGeometry(258, 342, 78, 48);
    LabelSchrift = new QLabel(QStringLiteral("Font."), Panel3);
    LabelSchrift->setAlignment(Qt::AlignCenter);
    LabelSchrift->setGeometry(2, 2, 74, 44);
    QFont sample = LabelSchrift->font();
    sample.setPixelSize(24);
    sample.setBold(true);
    LabelSchrift->setFont(sample);

    DlgTextEditor = new TDlgTextEditor(this);

    connect(ComboSchriftart, &QComboBox::activated, this, &TDlgText::ComboSchriftartChange);
    connect(ComboSchriftgroesse, &QComboBox::activated, this, &TDlgText::ComboSchriftgroesseChange);
    connect(BtnSchriftfarbe, &QPushButton::clicked, this, &TDlgText::BtnSchriftfarbeClick);
    connect(CheckFett, &QCheckBox::toggled, this, &TDlgText::CheckFettClick);
    connect(CheckKursiv, &QCheckBox::toggled, this, &TDlgText::CheckKursivClick);
    connect(AusrichtungItems, &QButtonGroup::idClicked, this, &TDlgText::RadioAusrichtungClick);
    connect(BtnLaden, &QToolButton::clicked, this, &TDlgText::BtnLadenClick);
    connect(BtnSpeichern, &QToolButton::clicked, this, &TDlgText::BtnSpeichernClick);
    connect(BtnLoeschen, &QPushButton::clicked, this, &TDlgText::BtnLoeschenClick);
    connect(BtnBearbeiten, &QPushButton::clicked, this, &TDlgText::BtnBearbeitenClick);
    connect(HelpBtn, &QPushButton::clicked, this, &TDlgText::HelpBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, [this] { done(1); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { done(2); });
    RegisterTranslatedWindow(this);
}

bool TDlgText::BtnTextClick(CoverDocument& doc, const ContentMenuItems& menu,
                            const std::function<void(int side)>& renderSidePreview) {
    Text.clear();
    const int s = doc.AktSeite;
    Seite = quint8(s);
    CoverLayout = doc.CoverLayout;
    Text = doc.TextInhalt[s];
    Format = doc.TextFormat[s];
    KopfFormat = doc.KopfFormat[s];
    FussFormat = doc.FussFormat[s];
    HgBild = doc.HgBild[s];
    HgFormat = doc.HgFormat[s];
    if (exec() != 1) {
        // The menu item toggled its own check when chosen; the checks follow the side again.
        if (menu.MenuVerzeichnis) menu.MenuVerzeichnis->setChecked(doc.Inhalt[s] == 1);
        if (menu.MenuText) menu.MenuText->setChecked(doc.Inhalt[s] == 2);
        if (menu.MenuBild) menu.MenuBild->setChecked(doc.Inhalt[s] == 3);
        return false;
    }
    doc.Geaendert = true;
    if (menu.MenuVerzeichnis) menu.MenuVerzeichnis->setChecked(false);
    if (menu.MenuText) menu.MenuText->setChecked(true);
    if (menu.MenuBild) menu.MenuBild->setChecked(false);
    doc.Inhalt[s] = 2;
    doc.TextInhalt[s] = Text;
    doc.TextFormat[s] = Format;
    if (renderSidePreview) renderSidePreview(s);
    return true;
}

void TDlgText::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TDlgText::hideEvent(QHideEvent* event) {
    FormClose();
    QDialog::hideEvent(event);
}

void TDlgText::FormShow() {
    PaintBoxVorschau->clear();
    {
        // Filling the controls must not run their handlers: they would only re-render.
        const QSignalBlocker b1(ComboSchriftart), b2(CheckFett), b3(CheckKursiv),
            b4(AusrichtungItems), b5(ComboSchriftgroesse);
        const int font = ComboSchriftart->findText(Format.Schriftart, Qt::MatchFixedString);
        if (font >= 0) ComboSchriftart->setCurrentIndex(font); // otherwise the previous stays
        CheckFett->setChecked(Format.Fett == 1);
        CheckKursiv->setChecked(Format.Kursiv == 1);
        if (QAbstractButton* b = AusrichtungItems->button(Format.Ausrichtung)) {
            b->setChecked(true);
        } else {
            AusrichtungItems->setExclusive(false);
            for (QAbstractButton* r : AusrichtungItems->buttons())
                r->setChecked(false);
            AusrichtungItems->setExclusive(true);
        }
        ComboSchriftgroesse->setCurrentIndex(
            Format.Groesse >= 0 && Format.Groesse < kSizeItems ? Format.Groesse : -1);
    }
    RenderDialogPreview();
    updateSample();
    updateFileButtons();
    BtnBearbeiten->setEnabled(true);
}

void TDlgText::FormClose() {
    PaintBoxVorschau->clear();
}

void TDlgText::RenderDialogPreview() {
    const std::optional<SidePlacement> placement = DialogSidePlacement(CoverLayout, Seite);
    PaintBoxVorschau->render([&](QPainter& canvas) {
        if (!placement) return;
        DrawDialogSide(canvas, *placement, HgBild, HgFormat, KopfFormat, FussFormat,
                       [&](QPainter& c, const SidePlacement& p) {
                           const QRect& a = p.contentArea;
                           DrawTextBlock(c, a.x(), a.y(), 10.0, 10.0, Text, Format, a.width(),
                                         a.height(), KopfFormat, FussFormat);
                       });
    });
}

void TDlgText::updateSample() {
    QFont font = LabelSchrift->font();
    font.setFamily(ComboSchriftart->currentText());
    const FontStyle style = FontStyleFromFlags(Format.Fett, Format.Kursiv, 0);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    LabelSchrift->setFont(font);
}

void TDlgText::updateFileButtons() {
    const bool any = !Text.isEmpty();
    BtnSpeichern->setEnabled(any);
    BtnLoeschen->setEnabled(any);
}

void TDlgText::ComboSchriftartChange() {
    Format.Schriftart = ComboSchriftart->currentText();
    RenderDialogPreview();
    updateSample();
}

void TDlgText::ComboSchriftgroesseChange() {
    Format.Groesse = ComboSchriftgroesse->currentIndex();
    RenderDialogPreview();
}

void TDlgText::RadioAusrichtungClick() {
    Format.Ausrichtung = AusrichtungItems->checkedId();
    RenderDialogPreview();
}

void TDlgText::CheckFettClick() {
    Format.Fett = CheckFett->isChecked() ? 1 : 0;
    RenderDialogPreview();
    updateSample();
}

void TDlgText::CheckKursivClick() {
    Format.Kursiv = CheckKursiv->isChecked() ? 1 : 0;
    RenderDialogPreview();
    updateSample();
}

void TDlgText::BtnSchriftfarbeClick() {
    if (const std::optional<qint32> chosen = dialogs_.chooseColor(Format.Schriftfarbe))
        Format.Schriftfarbe = *chosen;
    RenderDialogPreview();
}

void TDlgText::BtnLoeschenClick() {
    Text.clear();
    updateFileButtons();
    RenderDialogPreview();
}

void TDlgText::BtnLadenClick() {
    runGuarded(dialogs_, [this] {
        if (!files_.BtnLadenClick(Text)) return;
        updateFileButtons();
        RenderDialogPreview();
    });
}

void TDlgText::BtnSpeichernClick() {
    runGuarded(dialogs_, [this] { files_.BtnSpeichernClick(Text); });
}

void TDlgText::BtnBearbeitenClick() {
    {
        BusyCursor busy;
        DlgTextEditor->SetText(Text);
        // The editor shows the text at 2 x (mm + 7) pixels cell height.
        const QString face = ComboSchriftart->currentText();
        const FontStyle style = FontStyleFromFlags(Format.Fett, Format.Kursiv, 0);
        const int cell = 2 * (ComboSchriftgroesse->currentIndex() + 3 + 7);
        QFont font(face);
        font.setBold(style.bold);
        font.setItalic(style.italic);
        font.setPixelSize(
            std::max(1, qRound(cell / CanvasFont::cellPerEm(face, style.bold, style.italic))));
        DlgTextEditor->MemoTextEditor->setFont(font);
    }
    DlgTextEditor->exec();
    Text = DlgTextEditor->Text();
    updateFileButtons();
    RenderDialogPreview();
}

void TDlgText::HelpBtnClick() {
    OpenHelpTarget(dialogs_, HelpTarget::Workshops);
}
