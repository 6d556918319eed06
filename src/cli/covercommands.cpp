#include "cli/covercommands.h"
#include "cli/clidialogs.h"
#include "cli/clistrings.h"
#include "document/coverfile.h"
#include "document/documentstrings.h"
#include "platform/apperror.h"
#include "platform/stringtable.h"
#include "platform/textcodec.h"
#include "render/fitwarnings.h"
#include "render/recordingdevice.h"
#include "render/sheetprinter.h"
#include "render/sidepreview.h"

#include <cmath>
#include <QBuffer>
#include <QImage>
#include <QPainter>

namespace {
bool isPdf(const QString& path) {
    return path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive);
}
} // namespace

CoverDocument CoverCommands::loadCover(const QString& path, QTextStream& err) {
    CoverDocument doc;
    doc.reset();
    CoverFile::Loaded loaded;
    try {
        loaded = CoverFile::load(path, doc, CoverFile::Reader::ByFirstLine);
    } catch (const AppError& e) {
        // The window program's note that its open document stays does not apply here.
        const QString windowNote = LadeText(StrCoverBadLine).section(u'\n', 2);
        QString message = e.message();
        if (!windowNote.isEmpty() && message.endsWith(windowNote)) message.chop(windowNote.size());
        throw AppError(message.trimmed());
    }
    if (loaded.layout) {
        if (*loaded.layout >= 0 && *loaded.layout <= 3)
            doc.CoverLayout = quint8(*loaded.layout);
        else
            err << CliDialogs::oneLine(
                       LadeTextArg(StrCliUnknownLayout, path, QString::number(*loaded.layout)))
                << Qt::endl;
    }
    if (!loaded.notLoaded.isEmpty())
        err << CliDialogs::oneLine(path + QStringLiteral(": ") + LadeText(StrCoverNotLoaded) +
                                   u' ' + loaded.notLoaded.join(QStringLiteral("; ")))
            << Qt::endl;
    doc.DateiName = path;
    doc.Geaendert = false;
    return doc;
}

QList<SheetLayout> CoverCommands::chosenSheets(const CoverDocument& doc) const {
    const QList<SheetLayout> sheets = SheetsFor(doc.CoverLayout, o_.selection);
    if (sheets.isEmpty()) throw AppError(LadeTextArg(StrCliNothingToPrint, doc.DateiName));
    return sheets;
}

Recording CoverCommands::sideDrawing(const CoverDocument& doc) const {
    if (!SideExists(doc.CoverLayout, o_.side))
        throw AppError(LadeTextArg(StrCliNoSuchSide, doc.DateiName, QString::number(o_.side + 1),
                                   QString::number(doc.CoverLayout)));
    return RecordDrawing([&](QPainter& canvas) {
        DrawSingleSide(canvas, doc, o_.side, DocumentTexts(doc, o_.side), true);
    });
}

void CoverCommands::reportFit(const QList<FitWarning>& warnings) const {
    for (const FitWarning& w : warnings)
        err_ << FitWarningCliLine(w) << Qt::endl;
}

int CoverCommands::sheets() {
    const CoverDocument doc = loadCover(o_.inputs.value(0), err_);
    const QPageSize paper(o_.paper == QStringLiteral("letter") ? QPageSize::Letter : QPageSize::A4);
    FitCollector fit;
    SheetPrinter::WriteSheetsPdf(o_.output, doc, chosenSheets(doc), paper, o_.marks);
    reportFit(fit.warnings());
    return CliOk;
}

int CoverCommands::render() {
    const CoverDocument doc = loadCover(o_.inputs.value(0), err_);
    FitCollector fit;
    const Recording picture = sideDrawing(doc);
    reportFit(fit.warnings());
    if (isPdf(o_.output)) {
        // The page holds the drawing in whole millimetres plus a margin, so the outline (whose
        // pen reaches a little past its last millimetre) is never cut.
        const QRect bounds = SidePreview::shownBounds(picture);
        const double w = std::round(std::max(bounds.right(), 0) / 10.0) + 2 * PdfMargin;
        const double h = std::round(std::max(bounds.bottom(), 0) / 10.0) + 2 * PdfMargin;
        SheetPrinter::WritePicturePdf(o_.output, picture, QSizeF(w, h),
                                      QPoint(PdfMargin, PdfMargin));
        return CliOk;
    }
    // The preview's paint box: 2 x zoom pixels per millimetre, 10 pixels margin, white.
    QImage image(SidePreview::paintBoxSize(picture.boundingRect(), o_.zoom), QImage::Format_RGB32);
    {
        QPainter painter(&image);
        SidePreview::paintRecording(painter, picture, o_.zoom, image.rect());
    }
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    if (!image.save(&png, "PNG"))
        throw AppError(LadeTextArg(StrCannotWrite, o_.output, QStringLiteral("PNG")));
    writeFileSafely(o_.output, png.data());
    return CliOk;
}

int CoverCommands::dump() {
    const CoverDocument doc = loadCover(o_.inputs.value(0), err_);
    if (o_.side >= 0) {
        out_ << sideDrawing(doc).dump();
        return CliOk;
    }
    const QList<SheetLayout> sheets = chosenSheets(doc);
    if (o_.sheet >= sheets.size())
        throw AppError(LadeTextArg(StrCliNoSuchSheet, doc.DateiName, QString::number(o_.sheet + 1),
                                   QString::number(sheets.size())));
    out_ << SheetPrinter::RecordSheet(doc, sheets[o_.sheet]).dump();
    return CliOk;
}

int CoverCommands::convert() {
    const CoverDocument doc = loadCover(o_.inputs.value(0), err_);
    CoverFile::save(o_.inputs.value(1), doc);
    return CliOk;
}
