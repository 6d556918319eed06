#include "render/calibrationsheet.h"
#include "platform/printercalibration.h"
#include "platform/stringtable.h"
#include "render/recordingdevice.h"

#include <QPainter>

namespace {
constexpr int StrSheetTitle = 630;

void ruler(QPainter& p, QPoint origin, QPoint step, QPoint tick, int lengthMm) {
    p.drawLine(origin, origin + step * lengthMm);
    for (int i = 0; i <= lengthMm; ++i) {
        const int len = i % 10 == 0 ? 40 : i % 5 == 0 ? 25 : 15;
        const QPoint at = origin + step * i;
        p.drawLine(at, at + tick * len);
        if (i % 10 == 0 && i > 0)
            p.drawText(at + tick * 45 + QPoint(-20, 0) * (step.x() ? 1 : 0) +
                           QPoint(0, 15) * (step.y() ? 1 : 0),
                       QString::number(i));
    }
}
} // namespace

Recording RecordCalibrationSheet(const QString& printerName) {
    return RecordDrawing([&](QPainter& p) {
        p.setPen(QPen(Qt::black, 2));
        p.setBrush(Qt::NoBrush);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(30); // 3 mm
        p.setFont(font);
        const int c = int(PrinterCalibration::CrossAt * 10);
        const QPoint cross(c, c);
        // The cross reaches to the paper's corner side so it is found at a glance.
        p.drawLine(cross - QPoint(c - 10, 0), cross + QPoint(50, 0));
        p.drawLine(cross - QPoint(0, c - 10), cross + QPoint(0, 50));
        ruler(p, cross, QPoint(10, 0), QPoint(0, 1), int(PrinterCalibration::RulerX));
        ruler(p, cross, QPoint(0, 10), QPoint(1, 0), int(PrinterCalibration::RulerY));
        font.setPixelSize(40);
        p.setFont(font);
        p.drawText(QPoint(c + 150, c + 150), LadeTextArg(StrSheetTitle, printerName));
        p.drawText(QPoint(c + 150, c + 220), QStringLiteral("X: 100 mm, Y: 200 mm"));
    });
}
