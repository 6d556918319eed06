#pragma once
#include "platform/printercalibration.h"
#include "render/layouts.h"
#include "render/recording.h"
#include "render/sheetmarks.h"

#include <QList>
#include <QPageLayout>
#include <QPageSize>

class CoverDocument;
class QPagedPaintDevice;
class QPainter;

// Puts recorded sheets on paper at true size: the canvas unit (0.1 mm) is mapped onto the
// device by its resolution, with the sheet's offset measured from the top-left corner of the
// device's printable area. Nothing is fitted to the page. Works for a printer and for a PDF.
class SheetPrinter {
public:
    // The drawing of one sheet, as printing records it (texts from the document), with its
    // bleed and crop marks.
    static Recording RecordSheet(const CoverDocument& document, const SheetLayout& sheet,
                                 const SheetMarks& marks = {});

    static QPageLayout::Orientation pageOrientation(SheetOrientation orientation);

    // Plays picture on painter's current page: offset in mm from the printable area's
    // top-left corner, one canvas unit = 0.1 mm at the device's resolution, then corrected
    // by the printer's calibration.
    static void PaintSheet(QPainter& painter, const Recording& picture, const QPoint& offset,
                           const PrinterCalibration& calibration = {});

    // Prints the sheets on device, one page each, every page in its sheet's orientation. The
    // device must not be painted on yet. Returns false when the device could not be opened
    // for painting.
    static bool PrintSheets(QPagedPaintDevice& device, const CoverDocument& document,
                            const QList<SheetLayout>& sheets, const SheetMarks& marks = {});

    // Writes the sheets as a PDF file at true size on paper of pageSize, whose printable
    // area is the whole page. All or nothing: an existing file is replaced only when the new
    // one is complete. Throws AppError naming the file.
    static void WriteSheetsPdf(const QString& path, const CoverDocument& document,
                               const QList<SheetLayout>& sheets, const QPageSize& pageSize,
                               const SheetMarks& marks = {});

    // Writes a recorded picture as a one-page PDF of sizeMm, the picture at offset mm from
    // the page's corner, at true size. Throws AppError naming the file.
    static void WritePicturePdf(const QString& path, const Recording& picture, const QSizeF& sizeMm,
                                const QPoint& offset);
};
