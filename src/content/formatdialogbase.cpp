#include "content/formatdialogbase.h"
#include "content/contentstrings.h"
#include "content/dialogpreview.h"
#include "platform/colors.h"
#include "platform/dialogs.h"
#include "platform/interfacetext.h"
#include "render/primitives.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

FormatDialogBase::FormatDialogBase(Dialogs& dialogs, const QStringList& schriftListe, int sizeItems,
                                   bool underline, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    LabelSchriftart = new QLabel(this);
    SetTextId(LabelSchriftart, 243);
    ComboSchriftart = new QComboBox(this);
    QStringList fonts = schriftListe;
    fonts.sort(Qt::CaseInsensitive);
    ComboSchriftart->addItems(fonts);
    LabelGroesse = new QLabel(this);
    SetTextId(LabelGroesse, 242);
    ComboSchriftgroesse = new QComboBox(this);
    // The size items carry no text id: "  2 mm" .. "  9 mm", "10 mm" in both languages.
    for (int i = 0; i < sizeItems; ++i) {
        const int mm = i + 2;
        ComboSchriftgroesse->addItem((mm < 10 ? QStringLiteral("  ") : QString()) +
                                     QString::number(mm) + QStringLiteral(" mm"));
    }
    BtnHintergrundfarbe = new QPushButton(this);
    SetTextId(BtnHintergrundfarbe, 144);
    BtnSchriftfarbe = new QPushButton(this);
    SetTextId(BtnSchriftfarbe, 244);
    GroupBox1 = new QGroupBox(this);
    SetTextId(GroupBox1, 245);
    CheckFett = new QCheckBox(GroupBox1);
    SetTextId(CheckFett, 246);
    CheckKursiv = new QCheckBox(GroupBox1);
    SetTextId(CheckKursiv, 247);
    if (underline) {
        CheckUnterstrichen = new QCheckBox(GroupBox1);
        SetTextId(CheckUnterstrichen, 248);
    }
    RadioAusrichtung = new QGroupBox(this);
    SetTextId(RadioAusrichtung, 249);
    MarkItemList(RadioAusrichtung);
    AusrichtungItems = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* r = new QRadioButton(QString::number(250 + i), RadioAusrichtung);
        AusrichtungItems->addButton(r, i);
    }
    Panel3 = new QFrame(this);
    Panel3->setAutoFillBackground(true);
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // White by its palette: a style sheet would reach the sample label (a QFrame too) and
    // hide its background colour.
    QPalette white = Panel3->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel3->setPalette(white);
    LabelSchrift = new QLabel(QStringLiteral("Font."), Panel3);
    LabelSchrift->setAlignment(Qt::AlignCenter);
    LabelSchrift->setAutoFillBackground(true);
    LabelVorschau = new QLabel(this);
    SetTextId(LabelVorschau, 241);
    PanelVorschau = new QFrame(this);
    PanelVorschau->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PaintBoxVorschau = new DialogPreview(PanelVorschau);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(this);
    SetTextId(CancelBtn, StrCancel);

    connect(ComboSchriftart, &QComboBox::activated, this, &FormatDialogBase::ComboSchriftartChange);
    connect(ComboSchriftgroesse, &QComboBox::activated, this,
            &FormatDialogBase::ComboSchriftgroesseChange);
    connect(CheckFett, &QCheckBox::toggled, this, &FormatDialogBase::CheckFettClick);
    connect(CheckKursiv, &QCheckBox::toggled, this, &FormatDialogBase::CheckKursivClick);
    if (CheckUnterstrichen)
        connect(CheckUnterstrichen, &QCheckBox::toggled, this,
                &FormatDialogBase::CheckUnterstrichenClick);
    connect(AusrichtungItems, &QButtonGroup::idClicked, this,
            &FormatDialogBase::RadioAusrichtungClick);
    connect(BtnHintergrundfarbe, &QPushButton::clicked, this,
            &FormatDialogBase::BtnHintergrundfarbeClick);
    connect(BtnSchriftfarbe, &QPushButton::clicked, this, &FormatDialogBase::BtnSchriftfarbeClick);
    connect(OKBtn, &QPushButton::clicked, this, [this] { done(1); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { done(2); });
}

void FormatDialogBase::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void FormatDialogBase::closeEvent(QCloseEvent* event) {
    PaintBoxVorschau->clear();
    QDialog::closeEvent(event);
}

void FormatDialogBase::FormShow() {
    beforeShow();
    const Fields f = fields();
    if (Beispieltext.isEmpty()) Beispieltext = QStringLiteral("Vorschau");
    {
        // Filling the controls must not run their handlers: they would only re-render.
        const QSignalBlocker b1(ComboSchriftart), b2(CheckFett), b3(CheckKursiv),
            b4(AusrichtungItems), b5(ComboSchriftgroesse);
        const int font = ComboSchriftart->findText(*f.Schriftart, Qt::MatchFixedString);
        if (font >= 0) ComboSchriftart->setCurrentIndex(font); // otherwise the previous entry stays
        CheckFett->setChecked(*f.Fett == 1);
        CheckKursiv->setChecked(*f.Kursiv == 1);
        if (CheckUnterstrichen) {
            const QSignalBlocker b6(CheckUnterstrichen);
            CheckUnterstrichen->setChecked(*f.Unterstrichen == 1);
        }
        if (QAbstractButton* b = AusrichtungItems->button(*f.Ausrichtung)) {
            b->setChecked(true);
        } else {
            AusrichtungItems->setExclusive(false);
            for (QAbstractButton* r : AusrichtungItems->buttons())
                r->setChecked(false);
            AusrichtungItems->setExclusive(true);
        }
        ComboSchriftgroesse->setCurrentIndex(*f.Groesse < ComboSchriftgroesse->count() ? *f.Groesse
                                                                                       : -1);
    }
    RenderDialogPreview();
    updateSample();
}

void FormatDialogBase::updateSample() {
    const Fields f = fields();
    QPalette pal = LabelSchrift->palette();
    pal.setColor(QPalette::Window, colorFromRef(*f.HgFarbe));
    pal.setColor(QPalette::WindowText, colorFromRef(*f.Schriftfarbe));
    LabelSchrift->setPalette(pal);
    QFont font(ComboSchriftart->currentText());
    font.setPixelSize(24);
    font.setBold(*f.Fett == 1);
    font.setItalic(*f.Kursiv == 1);
    font.setUnderline(f.Unterstrichen && *f.Unterstrichen == 1);
    LabelSchrift->setFont(font);
}

void FormatDialogBase::ComboSchriftartChange() {
    *fields().Schriftart = ComboSchriftart->currentText();
    RenderDialogPreview();
    updateSample();
}

void FormatDialogBase::ComboSchriftgroesseChange() {
    *fields().Groesse = ComboSchriftgroesse->currentIndex();
    RenderDialogPreview();
}

void FormatDialogBase::CheckFettClick() {
    *fields().Fett = CheckFett->isChecked() ? 1 : 0;
    RenderDialogPreview();
    updateSample();
}

void FormatDialogBase::CheckKursivClick() {
    *fields().Kursiv = CheckKursiv->isChecked() ? 1 : 0;
    RenderDialogPreview();
    updateSample();
}

void FormatDialogBase::CheckUnterstrichenClick() {
    if (quint8* u = fields().Unterstrichen) *u = CheckUnterstrichen->isChecked() ? 1 : 0;
    RenderDialogPreview();
    updateSample();
}

void FormatDialogBase::RadioAusrichtungClick() {
    *fields().Ausrichtung = AusrichtungItems->checkedId();
    RenderDialogPreview();
}

void FormatDialogBase::BtnHintergrundfarbeClick() {
    qint32* colour = fields().HgFarbe;
    if (const std::optional<qint32> chosen = dialogs_.chooseColor(*colour)) *colour = *chosen;
    RenderDialogPreview();
    updateSample();
}

void FormatDialogBase::BtnSchriftfarbeClick() {
    qint32* colour = fields().Schriftfarbe;
    if (const std::optional<qint32> chosen = dialogs_.chooseColor(*colour)) *colour = *chosen;
    RenderDialogPreview();
    updateSample();
}
