#include "render/printcommand.h"
#include "document/coverdocument.h"
#include "platform/apperror.h"
#include "platform/busycursor.h"
#include "platform/errorreport.h"
#include "platform/paths.h"
#include "platform/printer.h"
#include "platform/stringtable.h"
#include "render/calibrationdialog.h"
#include "render/calibrationsheet.h"
#include "render/druck.h"
#include "render/sheetprinter.h"

#include <QDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinter>

namespace {
constexpr int MsgAbgebrochen = 802; // "Druckaufbereitung wurde abgebrochen!"
constexpr int MsgOverwrite = 804;   // "existiert bereits! Überschreiben?"
constexpr int MsgDruckt = 805;      // "Druckaufbereitung... Abbruch mit ESC"
constexpr int MsgDruckLaeuft = 806; // "Die Druckaufbereitung läuft gerade!"
constexpr int StrSheetCut = 612;
constexpr int StrExportTitle = 617;
constexpr int StrExportFilter = 618;
constexpr int StrBadMeasurement = 631;
constexpr int StrCalibrationSaved = 632;

QString mm(double v) {
    return QString::number(v, 'f', 1);
}
} // namespace

const QString PrintCommand::JobTitle = QStringLiteral("tervelt' Zarvex! 2");

PrintCommand::PrintCommand(CoverDocument& document, Dialogs& dialogs, Printer& printer,
                           TDlgDruckauswahl& selection, CalibrationStore& calibrations,
                           PrintHost host)
    : doc_(document), dialogs_(dialogs), printer_(printer), selection_(selection),
      calibrations_(calibrations), host_(std::move(host)) {}

PrintCommand::~PrintCommand() {
    delete calibrationDialog_;
}

void PrintCommand::runPrint(const std::function<void()>& steps) {
    if (printer_.printing()) {
        dialogs_.message(MsgKind::Warning, MsgButtons::Ok, LadeText(MsgDruckLaeuft));
        return;
    }
    DruckAbbruch = false;
    warning_.clear();
    DruckLaeuft = true;
    host_.setDruckLaeuft(true);
    // The current side comes back on every path, before an error is reported.
    auto finish = [this] {
        DruckLaeuft = false;
        host_.setDruckLaeuft(false);
        host_.renderCurrentSide();
    };
    runGuarded(dialogs_, [&] {
        try {
            steps();
            host_.setStatusText(QString());
        } catch (...) {
            if (printer_.printing()) printer_.abort();
            host_.setStatusText(QString());
            finish();
            throw;
        }
        finish();
    });
    if (!warning_.isEmpty()) host_.setStatusText(warning_);
}

std::optional<QList<SheetLayout>> PrintCommand::chooseSheets() {
    const int layout = doc_.CoverLayout;
    PrintSelection chosen;
    if (layout == 0 || layout == 1) {
        selection_.CoverLayout = layout;
        if (dialogs_.execDialog(selection_) != QDialog::Accepted) return std::nullopt;
        chosen = selection_.selection();
    }
    return SheetsFor(layout, chosen);
}

void PrintCommand::BtnDruckenClick() {
    runPrint([this] {
        const std::optional<QList<SheetLayout>> sheets = chooseSheets();
        if (sheets) printSheets(*sheets);
    });
}

void PrintCommand::printSheets(const QList<SheetLayout>& sheets) {
    const PrinterCalibration calibration = calibrations_.load(printer_.printerName());
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        if (i > 0) printer_.processEvents(); // between the jobs
        if (DruckAbbruch) break;             // ESC skips the sheets still to come
        PrintSheet(sheets[i], calibration);
    }
}

void PrintCommand::PrintSheet(const SheetLayout& sheet, const PrinterCalibration& calibration) {
    host_.setStatusText(LadeText(MsgDruckt));
    BusyCursor busy;
    const Recording picture = SheetPrinter::RecordSheet(doc_, sheet);
    host_.setVorschaubild(picture);
    printRecording(picture, sheet.orientation, sheet.offset, calibration);
    // Checked once the job knows its orientation; shown when the command is over.
    if (warning_.isEmpty()) {
        printer_.setOrientation(SheetPrinter::pageOrientation(sheet.orientation));
        const QSizeF printable = printer_.pageLayout().paintRect(QPageLayout::Millimeter).size();
        warning_ = FitWarning(sheet, printable, calibration);
    }
}

void PrintCommand::printRecording(const Recording& picture, SheetOrientation orientation,
                                  const QPoint& offset, const PrinterCalibration& calibration) {
    printer_.setDocName(JobTitle);
    printer_.setOrientation(SheetPrinter::pageOrientation(orientation));
    QPainter& painter = printer_.beginDoc();
    // The job runs from here, so ESC between the recording and the replay cancels it.
    printer_.processEvents();
    if (!printer_.printing()) return; // aborted with ESC
    SheetPrinter::PaintSheet(painter, picture, offset, calibration);
    printer_.processEvents();
    if (!printer_.printing()) return;
    printer_.endDoc(); // hands the job to the spooler, handling events meanwhile
    host_.setStatusText(QString());
}

void PrintCommand::DruckenClick() {
    if (dialogs_.printDialog(printer_.device())) BtnDruckenClick();
}

void PrintCommand::Druckereinrichtung1Click() {
    dialogs_.printerSetupDialog(printer_.device());
}

bool PrintCommand::FormKeyDown(int key) {
    if (key != Qt::Key_Escape || !printer_.printing()) return false;
    printer_.abort();
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) &&
        QGuiApplication::overrideCursor())
        QGuiApplication::changeOverrideCursor(Qt::ArrowCursor);
    dialogs_.message(MsgKind::Information, MsgButtons::Ok, LadeText(MsgAbgebrochen));
    host_.setStatusText(QString());
    DruckAbbruch = true;
    return true;
}

QRectF PrintCommand::SheetExtent(const SheetLayout& sheet) {
    QRectF box;
    for (const SidePlacement& side : sheet.sides) {
        box |= QRectF(side.sideArea);
        const QPolygon& outline = OutlineGeometry(side.outline).polyline;
        const QRect r = outline.boundingRect(); // right/bottom are the last points
        box |= QRectF(QPointF(r.topLeft() + side.outlineOrigin),
                      QPointF(r.bottomRight() + side.outlineOrigin));
    }
    return box;
}

QString PrintCommand::FitWarning(const SheetLayout& sheet, const QSizeF& printable,
                                 const PrinterCalibration& c) {
    const QRectF extent = SheetExtent(sheet);
    const double right =
        c.offsetX / 10.0 + c.scaleX / 10000.0 * (sheet.offset.x() + extent.right());
    const double bottom =
        c.offsetY / 10.0 + c.scaleY / 10000.0 * (sheet.offset.y() + extent.bottom());
    const double slack = 0.05; // rounding of the printable area
    if (right <= printable.width() + slack && bottom <= printable.height() + slack) return {};
    return LadeTextArg(StrSheetCut, mm(right), mm(bottom), mm(printable.width()),
                       mm(printable.height()));
}

QPageSize PrintCommand::ExportPaper() const {
    const QPageSize paper = printer_.pageLayout().pageSize();
    return paper.id() == QPageSize::Letter ? QPageSize(QPageSize::Letter)
                                           : QPageSize(QPageSize::A4);
}

void PrintCommand::ExportPdfClick(const QString& directory, const QString& fileName) {
    if (printer_.printing()) { // the menu can be reached while a job is being sent
        dialogs_.message(MsgKind::Warning, MsgButtons::Ok, LadeText(MsgDruckLaeuft));
        return;
    }
    runGuarded(dialogs_, [&] {
        const std::optional<QList<SheetLayout>> sheets = chooseSheets();
        if (!sheets || sheets->isEmpty()) return;
        const FileDialogRequest request{LadeText(StrExportTitle), LadeText(StrExportFilter),
                                        directory, fileName, QStringLiteral("pdf")};
        const std::optional<QString> path = dialogs_.saveFile(request);
        if (!path || path->isEmpty()) return;
        if (QFileInfo::exists(*path)) {
            const QString text =
                fileNamePart(*path).toUpper() + QLatin1Char(' ') + LadeText(MsgOverwrite);
            if (dialogs_.message(MsgKind::Warning, MsgButtons::OkCancel, text) != MsgResult::Ok)
                return;
        }
        const QPageSize paper = ExportPaper();
        {
            BusyCursor busy;
            SheetPrinter::WriteSheetsPdf(*path, doc_, *sheets, paper);
        }
        QString warning;
        for (const SheetLayout& sheet : *sheets) {
            const QSizeF page = paper.size(QPageSize::Millimeter);
            const bool landscape = sheet.orientation == SheetOrientation::Landscape;
            warning = FitWarning(sheet, landscape ? page.transposed() : page);
            if (!warning.isEmpty()) break;
        }
        host_.setStatusText(warning);
    });
}

void PrintCommand::PrintCalibrationSheet() {
    host_.setStatusText(LadeText(MsgDruckt));
    BusyCursor busy;
    const Recording picture = RecordCalibrationSheet(printer_.printerName());
    printRecording(picture, SheetOrientation::Portrait, QPoint(0, 0), PrinterCalibration{});
}

void PrintCommand::MenuKalibrierenClick() {
    if (printer_.printing()) {
        dialogs_.message(MsgKind::Warning, MsgButtons::Ok, LadeText(MsgDruckLaeuft));
        return;
    }
    if (calibrationDialog_ && calibrationLanguage_ != LanguageOffset()) {
        delete calibrationDialog_; // made before the user switched the language
        calibrationDialog_ = nullptr;
    }
    if (!calibrationDialog_) {
        calibrationLanguage_ = LanguageOffset();
        calibrationDialog_ = new PrinterCalibrationDialog;
        calibrationDialog_->onPrint = [this] { runPrint([this] { PrintCalibrationSheet(); }); };
    }
    PrinterCalibrationDialog& dlg = *calibrationDialog_;
    const QString name = printer_.printerName();
    printer_.setOrientation(QPageLayout::Portrait);
    const QMarginsF margins = printer_.pageLayout().margins(QPageLayout::Millimeter);
    dlg.onReset = [&] {
        calibrations_.reset(name);
        dlg.setState(name, calibrations_.load(name), margins);
    };
    dlg.setState(name, calibrations_.load(name), margins);
    if (dialogs_.execDialog(dlg) != QDialog::Accepted) return;
    bool valid = false;
    const PrinterCalibration c =
        PrinterCalibration::fromMeasurement(dlg.measurement(), margins, &valid);
    if (!valid) {
        dialogs_.message(MsgKind::Warning, MsgButtons::Ok, LadeText(StrBadMeasurement));
        return;
    }
    runGuarded(dialogs_, [&] { calibrations_.save(name, c); });
    host_.setStatusText(LadeTextArg(StrCalibrationSaved, name));
}
