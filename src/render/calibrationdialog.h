#pragma once
#include "platform/printercalibration.h"

#include <functional>
#include <QDialog>

class QDoubleSpinBox;
class QLabel;
class QPushButton;

// Printer calibration: shows the stored correction of the printer, prints the calibration
// sheet and takes what the user measured on it. OK accepts the measurements.
class PrinterCalibrationDialog : public QDialog {
    Q_OBJECT
public:
    explicit PrinterCalibrationDialog(QWidget* parent = nullptr);

    QLabel* LabelDrucker = nullptr;
    QLabel* LabelKorrektur = nullptr;
    QPushButton* BtnMessbogen = nullptr;
    QPushButton* BtnZuruecksetzen = nullptr;
    QDoubleSpinBox* EditKreuzLinks = nullptr;
    QDoubleSpinBox* EditKreuzOben = nullptr;
    QDoubleSpinBox* EditLineal100 = nullptr;
    QDoubleSpinBox* EditLineal200 = nullptr;

    std::function<void()> onPrint;
    std::function<void()> onReset;

    // The printer's name and correction; the fields start at what a true printer measures.
    void setState(const QString& printerName, const PrinterCalibration& current,
                  const QMarginsF& marginsMm);
    PrinterCalibration::Measurement measurement() const;
};
