#include "render/sheetprinter.h"
#include "document/coverdocument.h"
#include "platform/apperror.h"
#include "platform/paths.h"
#include "platform/stringtable.h"
#include "platform/textcodec.h"
#include "render/recordingdevice.h"

#include <QBuffer>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace {
// Fine enough that rounding to device units stays far below the 0.05 mm a sheet may be off.
constexpr int PdfResolution = 1200;

// The PDF goes into memory first, so a failure never leaves half a file behind.
void writePdf(const QString& path, const QPageLayout& firstPage,
              const std::function<bool(QPdfWriter&)>& paint) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool ok = false;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(PdfResolution);
        writer.setCreator(QStringLiteral("Zarvex"));
        writer.setTitle(fileNamePart(path));
        writer.setPageLayout(firstPage);
        ok = paint(writer);
    }
    if (!ok || buffer.data().isEmpty())
        throw AppError(LadeTextArg(StrCannotWrite, path, QStringLiteral("PDF")));
    writeFileSafely(path, buffer.data());
}
} // namespace

Recording SheetPrinter::RecordSheet(const CoverDocument& document, const SheetLayout& sheet,
                                    const SheetMarks& marks) {
    return RecordDrawing([&](QPainter& canvas) {
        DrawBleed(canvas, document, sheet, marks.bleedMm);
        DrawSheet(canvas, document, sheet);
        if (marks.cropMarks) DrawCropMarks(canvas, sheet);
    });
}

QPageLayout::Orientation SheetPrinter::pageOrientation(SheetOrientation orientation) {
    return orientation == SheetOrientation::Landscape ? QPageLayout::Landscape
                                                      : QPageLayout::Portrait;
}

void SheetPrinter::PaintSheet(QPainter& painter, const Recording& picture, const QPoint& offset,
                              const PrinterCalibration& calibration) {
    const QPaintDevice* device = painter.device();
    painter.save();
    // The painter's origin is the printable area's top-left corner (a printer job puts it
    // there); 254 canvas units make an inch.
    painter.scale(device->logicalDpiX() / 254.0, device->logicalDpiY() / 254.0);
    painter.translate(calibration.offsetX, calibration.offsetY);
    painter.scale(calibration.scaleX / 10000.0, calibration.scaleY / 10000.0);
    painter.translate(offset.x() * 10, offset.y() * 10);
    picture.play(painter);
    painter.restore();
}

bool SheetPrinter::PrintSheets(QPagedPaintDevice& device, const CoverDocument& document,
                               const QList<SheetLayout>& sheets, const SheetMarks& marks) {
    if (sheets.isEmpty()) return true;
    // Recorded first, so a failure while drawing leaves the device untouched.
    QList<Recording> pictures;
    for (const SheetLayout& sheet : sheets)
        pictures.append(RecordSheet(document, sheet, marks));

    device.setPageOrientation(pageOrientation(sheets.first().orientation));
    QPainter painter;
    if (!painter.begin(&device)) return false;
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        if (i > 0) {
            device.setPageOrientation(pageOrientation(sheets[i].orientation));
            if (!device.newPage()) return false;
        }
        PaintSheet(painter, pictures[i], sheets[i].offset);
    }
    return painter.end();
}

void SheetPrinter::WriteSheetsPdf(const QString& path, const CoverDocument& document,
                                  const QList<SheetLayout>& sheets, const QPageSize& pageSize,
                                  const SheetMarks& marks) {
    const QPageLayout first(pageSize, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                            QPageLayout::Millimeter);
    writePdf(path, first,
             [&](QPdfWriter& writer) { return PrintSheets(writer, document, sheets, marks); });
}

void SheetPrinter::WritePicturePdf(const QString& path, const Recording& picture,
                                   const QSizeF& sizeMm, const QPoint& offset) {
    const QPageLayout page(
        QPageSize(sizeMm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    writePdf(path, page, [&](QPdfWriter& writer) {
        QPainter painter;
        if (!painter.begin(&writer)) return false;
        PaintSheet(painter, picture, offset);
        return painter.end();
    });
}
