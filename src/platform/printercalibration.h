#pragma once
#include <QMarginsF>
#include <QString>

// The correction of one printer: a position p (mm from the printable area's corner) is sent
// as offset + scale * p. Offsets in 0.1 mm, scales in 0.01 % (10000 is 100 %).
struct PrinterCalibration {
    int offsetX = 0;
    int offsetY = 0;
    int scaleX = 10000;
    int scaleY = 10000;

    bool isIdentity() const { return *this == PrinterCalibration{}; }
    bool operator==(const PrinterCalibration&) const = default;

    // What the calibration sheet showed, in mm as the user measured them on paper.
    struct Measurement {
        double crossLeft = 0; // cross from the left paper edge
        double crossTop = 0;  // cross from the top paper edge
        double ruler100 = 100;
        double ruler200 = 200;
    };
    // Where the cross sits on the calibration sheet, mm from the printable area's corner,
    // and the rulers' lengths (the 100 mm one across, the 200 mm one down).
    static constexpr double CrossAt = 10.0;
    static constexpr double RulerX = 100.0;
    static constexpr double RulerY = 200.0;

    // The correction that makes a sheet printed uncorrected (with the printable area's
    // margins as the printer reports them) come out as measured at true size. Nullopt-like:
    // valid is false when the numbers cannot come from the sheet (rulers off by more than
    // 10 %, the cross further than 50 mm from the edge).
    static PrinterCalibration fromMeasurement(const Measurement& m, const QMarginsF& marginsMm,
                                              bool* valid = nullptr);
};

// Corrections per printer name in the user's own settings (never the program's INI file).
class CalibrationStore {
public:
    // Default: the per-user settings file of the application ("zarvex/printers.conf").
    explicit CalibrationStore(QString settingsFile = QString());

    PrinterCalibration load(const QString& printerName) const;
    void save(const QString& printerName, const PrinterCalibration& calibration);
    void reset(const QString& printerName);
    QString fileName() const { return file_; }

private:
    QString file_;
};
