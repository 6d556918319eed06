#include "content/fmtueber.h"
#include "content/dialogpreview.h"
#include "platform/interfacetext.h"
#include "render/primitives.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

TDlgFormatKopfFuss::TDlgFormatKopfFuss(Dialogs& dialogs, const QStringList& schriftListe,
                                       QWidget* parent)
    : FormatDialogBase(dialogs, schriftListe, 9, true, parent) {
    SetTextId(this, 260);
    setFixedSize(342, 375);
    LabelSchriftart->setGeometry(8, 6, 200, 16);
    ComboSchriftart->setGeometry(8, 22, 200, 24);
    LabelGroesse->setGeometry(216, 6, 118, 16);
    ComboSchriftgroesse->setGeometry(216, 22, 118, 24);
    BtnHintergrundfarbe->setGeometry(8, 54, 160, 26);
    BtnSchriftfarbe->setGeometry(174, 54, 160, 26);
    GroupBox1->setGeometry(8, 86, 160, 102);
    CheckFett->setGeometry(10, 22, 144, 22);
    CheckKursiv->setGeometry(10, 46, 144, 22);
    CheckUnterstrichen->setGeometry(10, 70, 144, 22);
    RadioAusrichtung->setGeometry(174, 86, 160, 102);
    const QList<QAbstractButton*> items = AusrichtungItems->buttons();
    for (int i = 0; i < items.size(); ++i)
        items[i]->setGeometry(10, 22 + 24 * i, 144, 22);
    Panel3->setGeometry(8, 196, 326, 62);
    LabelSchrift->setGeometry(2, 2, 322, 58);
    LabelVorschau->setGeometry(8, 264, 200, 16);
    PanelVorschau->setGeometry(4, 282, 334, 48);
    PaintBoxVorschau->setGeometry(1, 1, 332, 46);
    OKBtn->setGeometry(168, 340, 80, 28);
    CancelBtn->setGeometry(254, 340, 80, 28);
    RegisterTranslatedWindow(this);
}

FormatDialogBase::Fields TDlgFormatKopfFuss::fields() {
    return {&Format.Schriftart, &Format.Schriftfarbe, &Format.HgFarbe, &Format.Fett,
            &Format.Kursiv,     &Format.Unterstrichen, &Format.Ausrichtung, &Format.Groesse};
}

QRect TDlgFormatKopfFuss::BandPlacement(int seite, int coverLayout) {
    switch (seite) {
    case 0:
        if (coverLayout == 2)
            return {19, 2, 138, 0};
        return coverLayout == 3 ? QRect(0, 0, 125, 0) : QRect(0, 0, 120, 0);
    case 1:
        if (coverLayout == 2)
            return {0, 2, 122, 0};
        return coverLayout == 3 ? QRect(0, 0, 125, 0) : QRect(0, 0, 120, 0);
    case 2:
        return {6, 0, 138, 0};
    default:
        return {0, 0, 138, 0};
    }
}

void TDlgFormatKopfFuss::RenderDialogPreview() {
    const QRect at = BandPlacement(Seite, CoverLayout);
    PaintBoxVorschau->render([&](QPainter& canvas) {
        DrawHeaderBand(canvas, at.x(), at.y(), 10.0, 10.0, Beispieltext, Format, at.width());
    });
}
