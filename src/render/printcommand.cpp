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
#include "render/printpreview.h"
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
constexpr int StrMarksCut = 751;

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
    delete previewDialog_;
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
        runGuarded(dialogs_, [this] { selection_.marksChoice().save(); });
    }
    marks_ = selection_.marksChoice().marks(); // the last choice, also without the dialog
    return SheetsFor(layout, chosen);
}

void PrintCommand::BtnDruckenClick() {
    runPrint([this] {
        const std::optional<QList<SheetLayout>> sheets = chooseSheets();
        if (sheets) printSheets(printer_, *sheets);
    });
}

void PrintCommand::printSheets(Printer& target, const QList<SheetLayout>& sheets) {
    const PrinterCalibration calibration = calibrations_.load(printer_.printerName());
    printJob(target, sheets.size(), calibration, [&](qsizetype i) {
        const Recording picture = SheetPrinter::RecordSheet(doc_, sheets[i], marks_);
        if (&target == &printer_) host_.setVorschaubild(picture);
        return JobPage{picture, sheets[i].orientation, sheets[i].offset, &sheets[i]};
    });
}

void PrintCommand::printJob(Printer& target, qsizetype count, const PrinterCalibration& calibration,
                            const std::function<JobPage(qsizetype)>& page) {
    target.setDocName(JobTitle);
    QPainter* painter = nullptr;
    for (qsizetype i = 0; i < count; ++i) {
        if (i > 0) {
            target.processEvents(); // between the pages
            // ESC dropped the job, and with it the sheets still to come.
            if (DruckAbbruch || !target.printing()) return;
        }
        host_.setStatusText(LadeText(MsgDruckt));
        BusyCursor busy;
        const JobPage p = page(i);
        target.setOrientation(SheetPrinter::pageOrientation(p.orientation));
        if (i == 0)
            painter = &target.beginDoc();
        else
            target.newPage();
        // The job runs from here, so ESC between the recording and the replay cancels it.
        target.processEvents();
        if (!target.printing()) return;
        SheetPrinter::PaintSheet(*painter, p.picture, p.offset, calibration);
        // Shown when the command is over.
        if (warning_.isEmpty() && p.sheet) {
            const QSizeF printable = target.pageLayout().paintRect(QPageLayout::Millimeter).size();
            warning_ = FitWarning(*p.sheet, printable, calibration, marks_);
        }
    }
    target.processEvents();
    if (!target.printing()) return;
    target.endDoc(); // hands the job to the spooler, handling events meanwhile
    host_.setStatusText(QString());
}

void PrintCommand::DruckenClick() {
    if (dialogs_.printDialog(printer_.device())) BtnDruckenClick();
}

void PrintCommand::Druckereinrichtung1Click() {
    dialogs_.printerSetupDialog(printer_.device());
}

void PrintCommand::DruckvorschauClick() {
    if (printer_.printing()) {
        dialogs_.message(MsgKind::Warning, MsgButtons::Ok, LadeText(MsgDruckLaeuft));
        return;
    }
    runGuarded(dialogs_, [&] {
        const std::optional<QList<SheetLayout>> sheets = chooseSheets();
        if (!sheets || sheets->isEmpty()) return;
        PreviewPrinter pages(printer_);
        DruckAbbruch = false;
        warning_.clear();
        printSheets(pages, *sheets);
        host_.setStatusText(warning_);
        if (!previewDialog_) previewDialog_ = new PrintPreviewDialog;
        previewDialog_->setPages(pages.pages(), printer_.printerName());
        if (dialogs_.execDialog(*previewDialog_) != QDialog::Accepted) return;
        runPrint([&] { printSheets(printer_, *sheets); });
    });
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
                                 const PrinterCalibration& c, const SheetMarks& marks) {
    // The box on paper, mm from the printable area's corner.
    auto placed = [&](const QRectF& extent) {
        const QPointF o = sheet.offset;
        return QRectF(QPointF(c.offsetX / 10.0 + c.scaleX / 10000.0 * (o.x() + extent.left()),
                              c.offsetY / 10.0 + c.scaleY / 10000.0 * (o.y() + extent.top())),
                      QPointF(c.offsetX / 10.0 + c.scaleX / 10000.0 * (o.x() + extent.right()),
                              c.offsetY / 10.0 + c.scaleY / 10000.0 * (o.y() + extent.bottom())));
    };
    const double slack = 0.05; // rounding of the printable area
    const QRectF area = QRectF(QPointF(0, 0), printable).adjusted(-slack, -slack, slack, slack);
    const QRectF box = placed(SheetExtent(sheet));
    if (!area.contains(box))
        return LadeTextArg(StrSheetCut, mm(box.right()), mm(box.bottom()), mm(printable.width()),
                           mm(printable.height()));
    const QRectF marked = MarksExtent(sheet, marks);
    if (!marked.isEmpty() && !area.contains(placed(marked))) return LadeText(StrMarksCut);
    return {};
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
            SheetPrinter::WriteSheetsPdf(*path, doc_, *sheets, paper, marks_);
        }
        QString warning;
        for (const SheetLayout& sheet : *sheets) {
            const QSizeF page = paper.size(QPageSize::Millimeter);
            const bool landscape = sheet.orientation == SheetOrientation::Landscape;
            warning = FitWarning(sheet, landscape ? page.transposed() : page, {}, marks_);
            if (!warning.isEmpty()) break;
        }
        host_.setStatusText(warning);
    });
}

void PrintCommand::PrintCalibrationSheet() {
    printJob(printer_, 1, PrinterCalibration{}, [this](qsizetype) {
        return JobPage{RecordCalibrationSheet(printer_.printerName()), SheetOrientation::Portrait,
                       QPoint(0, 0), nullptr};
    });
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
