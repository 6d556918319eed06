#include "render/druck.h"
#include "platform/interfacetext.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TDlgDruckauswahl::TDlgDruckauswahl(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DlgDruckauswahl"));
    SetTextId(this, 230);
    auto* layout = new QVBoxLayout(this);
    auto box = [&](const char* name, int id, QBoxLayout* row = nullptr) {
        auto* check = new QCheckBox(QString::number(id), this);
        check->setObjectName(QLatin1String(name));
        check->setChecked(true);
        SetTextId(check, id);
        (row ? row : layout)->addWidget(check);
        return check;
    };
    CheckVorderseiten = box("CheckVorderseiten", 231);
    CheckVorderAussen = box("CheckVorderAussen", 233);
    CheckVorderInnen = box("CheckVorderInnen", 234);
    CheckRueckseite = box("CheckRueckseite", 232);
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    layout->addWidget(rule);
    const SheetMarksChoice marks = SheetMarksChoice::load();
    auto* bleedRow = new QHBoxLayout;
    layout->addLayout(bleedRow);
    CheckBeschnitt = box("CheckBeschnitt", 759, bleedRow);
    EditBeschnitt = new QDoubleSpinBox(this);
    EditBeschnitt->setObjectName(QStringLiteral("EditBeschnitt"));
    EditBeschnitt->setRange(0, SheetMarks::MaxBleedMm);
    EditBeschnitt->setDecimals(1);
    EditBeschnitt->setSingleStep(0.5);
    EditBeschnitt->setValue(marks.bleedMm);
    bleedRow->addWidget(EditBeschnitt);
    bleedRow->addStretch(1);
    CheckBeschnitt->setChecked(marks.bleedOn);
    EditBeschnitt->setEnabled(marks.bleedOn);
    connect(CheckBeschnitt, &QCheckBox::toggled, EditBeschnitt, &QWidget::setEnabled);
    CheckSchnittmarken = box("CheckSchnittmarken", 760);
    CheckSchnittmarken->setChecked(marks.cropMarks);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    OKBtn = buttons->button(QDialogButtonBox::Ok);
    CancelBtn = buttons->button(QDialogButtonBox::Cancel);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    OKBtn->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    RegisterTranslatedWindow(this);
}

void TDlgDruckauswahl::FormShow() {
    CheckVorderseiten->setVisible(CoverLayout == 1);
    CheckVorderAussen->setVisible(CoverLayout == 0);
    CheckVorderInnen->setVisible(CoverLayout == 0);
    CheckRueckseite->setVisible(true);
    adjustSize();
}

PrintSelection TDlgDruckauswahl::selection() const {
    return PrintSelection{CheckVorderseiten->isChecked(), CheckRueckseite->isChecked(),
                          CheckVorderAussen->isChecked(), CheckVorderInnen->isChecked()};
}

SheetMarksChoice TDlgDruckauswahl::marksChoice() const {
    return SheetMarksChoice{CheckBeschnitt->isChecked(), EditBeschnitt->value(),
                            CheckSchnittmarken->isChecked()};
}

void TDlgDruckauswahl::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}
