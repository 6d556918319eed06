#include "render/calibrationdialog.h"
#include "platform/stringtable.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QDoubleSpinBox* field(double lo, double hi, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(lo, hi);
    box->setDecimals(2); // the scale is kept in 0.01 % steps
    box->setSingleStep(0.1);
    box->setSuffix(QStringLiteral(" mm"));
    return box;
}

QString number(double v, int decimals) {
    return QLocale().toString(v, 'f', decimals);
}
} // namespace

// Texts are set here, not by tag: the window is made after the language is chosen.
PrinterCalibrationDialog::PrinterCalibrationDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DlgKalibrierung"));
    setWindowTitle(LadeText(620));
    auto* layout = new QVBoxLayout(this);
    LabelDrucker = new QLabel(this);
    LabelKorrektur = new QLabel(this);
    auto* hint = new QLabel(LadeText(624), this);
    hint->setWordWrap(true);
    BtnMessbogen = new QPushButton(LadeText(623), this);
    layout->addWidget(LabelDrucker);
    layout->addWidget(LabelKorrektur);
    layout->addWidget(hint);
    layout->addWidget(BtnMessbogen, 0, Qt::AlignLeft);
    auto* form = new QFormLayout;
    EditKreuzLinks = field(0, 100, this);
    EditKreuzOben = field(0, 100, this);
    EditLineal100 = field(50, 150, this);
    EditLineal200 = field(100, 300, this);
    form->addRow(LadeText(625), EditKreuzLinks);
    form->addRow(LadeText(626), EditKreuzOben);
    form->addRow(LadeText(627), EditLineal100);
    form->addRow(LadeText(628), EditLineal200);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    BtnZuruecksetzen = buttons->addButton(LadeText(629), QDialogButtonBox::ResetRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(BtnMessbogen, &QPushButton::clicked, this, [this] {
        if (onPrint) onPrint();
    });
    connect(BtnZuruecksetzen, &QPushButton::clicked, this, [this] {
        if (onReset) onReset();
    });
}

void PrinterCalibrationDialog::setState(const QString& printerName, const PrinterCalibration& c,
                                        const QMarginsF& margins) {
    LabelDrucker->setText(LadeTextArg(621, printerName));
    LabelKorrektur->setText(LadeTextArg(622, number(c.offsetX / 10.0, 1),
                                        number(c.offsetY / 10.0, 1), number(c.scaleX / 100.0, 2),
                                        number(c.scaleY / 100.0, 2)));
    EditKreuzLinks->setValue(margins.left() + PrinterCalibration::CrossAt);
    EditKreuzOben->setValue(margins.top() + PrinterCalibration::CrossAt);
    EditLineal100->setValue(PrinterCalibration::RulerX);
    EditLineal200->setValue(PrinterCalibration::RulerY);
}

PrinterCalibration::Measurement PrinterCalibrationDialog::measurement() const {
    return {EditKreuzLinks->value(), EditKreuzOben->value(), EditLineal100->value(),
            EditLineal200->value()};
}
