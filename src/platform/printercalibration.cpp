#include "platform/printercalibration.h"

#include <cmath>
#include <QSettings>
#include <QStandardPaths>

namespace {
constexpr int MinScale = 9000, MaxScale = 11000; // 90 % .. 110 %
constexpr int MaxOffset = 500;                   // 50 mm

// Printer names may hold '/' (instances); QSettings would take it as a group separator.
QString groupFor(const QString& printerName) {
    return QStringLiteral("printer-") + QString::fromLatin1(printerName.toUtf8().toHex());
}
} // namespace

PrinterCalibration PrinterCalibration::fromMeasurement(const Measurement& m,
                                                       const QMarginsF& margins, bool* valid) {
    // The printer puts a commanded position p at margin + e + k * p on paper.
    const double kx = m.ruler100 / RulerX, ky = m.ruler200 / RulerY;
    PrinterCalibration c;
    bool ok = kx > 0.9 && kx < 1.1 && ky > 0.9 && ky < 1.1;
    if (ok) {
        const double ex = m.crossLeft - margins.left() - CrossAt * kx;
        const double ey = m.crossTop - margins.top() - CrossAt * ky;
        // Sending offset + scale * p puts it at p: scale = 1 / k, offset = -e / k.
        c.scaleX = int(std::lround(10000.0 / kx));
        c.scaleY = int(std::lround(10000.0 / ky));
        c.offsetX = int(std::lround(-ex / kx * 10));
        c.offsetY = int(std::lround(-ey / ky * 10));
        ok = std::abs(c.offsetX) <= MaxOffset && std::abs(c.offsetY) <= MaxOffset;
    }
    if (valid) *valid = ok;
    return ok ? c : PrinterCalibration{};
}

CalibrationStore::CalibrationStore(QString settingsFile) : file_(std::move(settingsFile)) {
    if (file_.isEmpty())
        file_ = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                QStringLiteral("/zarvex/printers.conf");
}

PrinterCalibration CalibrationStore::load(const QString& printerName) const {
    QSettings s(file_, QSettings::IniFormat);
    s.beginGroup(groupFor(printerName));
    PrinterCalibration c;
    auto read = [&](const char* key, int fallback, int lo, int hi) {
        bool ok = false;
        const int v = s.value(QLatin1String(key), fallback).toInt(&ok);
        return ok && v >= lo && v <= hi ? v : fallback; // a hand-edited value out of range
    };
    c.offsetX = read("offsetX", 0, -MaxOffset, MaxOffset);
    c.offsetY = read("offsetY", 0, -MaxOffset, MaxOffset);
    c.scaleX = read("scaleX", 10000, MinScale, MaxScale);
    c.scaleY = read("scaleY", 10000, MinScale, MaxScale);
    return c;
}

void CalibrationStore::save(const QString& printerName, const PrinterCalibration& c) {
    QSettings s(file_, QSettings::IniFormat);
    s.beginGroup(groupFor(printerName));
    s.setValue(QStringLiteral("name"), printerName);
    s.setValue(QStringLiteral("offsetX"), c.offsetX);
    s.setValue(QStringLiteral("offsetY"), c.offsetY);
    s.setValue(QStringLiteral("scaleX"), c.scaleX);
    s.setValue(QStringLiteral("scaleY"), c.scaleY);
}

void CalibrationStore::reset(const QString& printerName) {
    QSettings s(file_, QSettings::IniFormat);
    s.remove(groupFor(printerName));
}
