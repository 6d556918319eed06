#include "content/fmtrand.h"
#include "content/dialogpreview.h"
#include "platform/interfacetext.h"
#include "render/layouts.h"
#include "render/primitives.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

TDlgFormatRandtext::TDlgFormatRandtext(Dialogs& dialogs, const QStringList& schriftListe,
                                       QWidget* parent)
    : FormatDialogBase(dialogs, schriftListe, 5, false, parent) {
    SetTextId(this, 240);
    setFixedSize(408, 307);
    // The preview is a tall strip at the left: the spine as it runs up the case.
    LabelVorschau->setGeometry(4, 2, 59, 16);
    PanelVorschau->setGeometry(4, 20, 59, 274);
    PaintBoxVorschau->setGeometry(1, 1, 57, 272);
    const int x = 72;
    LabelSchriftart->setGeometry(x, 6, 200, 16);
    ComboSchriftart->setGeometry(x, 22, 200, 24);
    LabelGroesse->setGeometry(x + 208, 6, 120, 16);
    ComboSchriftgroesse->setGeometry(x + 208, 22, 120, 24);
    BtnHintergrundfarbe->setGeometry(x, 54, 160, 26);
    BtnSchriftfarbe->setGeometry(x + 168, 54, 160, 26);
    GroupBox1->setGeometry(x, 86, 160, 80);
    CheckFett->setGeometry(10, 22, 144, 22);
    CheckKursiv->setGeometry(10, 46, 144, 22);
    RadioAusrichtung->setGeometry(x + 168, 86, 160, 102);
    const QList<QAbstractButton*> items = AusrichtungItems->buttons();
    for (int i = 0; i < items.size(); ++i)
        items[i]->setGeometry(10, 22 + 24 * i, 144, 22);
    Panel3->setGeometry(x, 196, 328, 62);
    LabelSchrift->setGeometry(2, 2, 324, 58);
    OKBtn->setGeometry(x + 162, 270, 80, 28);
    CancelBtn->setGeometry(x + 248, 270, 80, 28);
    RegisterTranslatedWindow(this);
}

FormatDialogBase::Fields TDlgFormatRandtext::fields() {
    return {&Format.Schriftart, &Format.Schriftfarbe, &Format.HgFarbe, &Format.Fett,
            &Format.Kursiv,     nullptr,              &Format.Ausrichtung, &Format.Groesse};
}

void TDlgFormatRandtext::beforeShow() {
    // The maxi-CD margin text has a fixed height; its stored size goes back unchanged.
    const bool sizes = CoverLayout != 2;
    LabelGroesse->setVisible(sizes);
    ComboSchriftgroesse->setVisible(sizes);
}

void TDlgFormatRandtext::RenderDialogPreview() {
    PaintBoxVorschau->render([&](QPainter& canvas) {
        switch (CoverLayout) {
        case 0:
        case 1:
            DrawSpineTexts(canvas, 0, 0, 10.0, 10.0, Beispieltext, Format);
            DrawOutline(canvas, Outline::BackInlay, 0, 0);
            break;
        case 2:
            DrawMaxiMarginText(canvas, 0, 0, 10.0, 10.0, Beispieltext, Format);
            DrawOutline(canvas, Outline::MaxiFront, 0, 0);
            break;
        default: // the paper case has no margin text
            break;
        }
    });
}
