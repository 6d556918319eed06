#pragma once
#include "platform/dialogs.h"
#include "platform/printercalibration.h"
#include "render/layouts.h"
#include "render/recording.h"
#include "render/sheetmarks.h"

#include <functional>
#include <optional>
#include <QPageSize>
#include <QRectF>

class CalibrationStore;
class CoverDocument;
class Printer;
class PrinterCalibrationDialog;
class PrintPreviewDialog;
class TDlgDruckauswahl;

// What printing needs from the main window.
struct PrintHost {
    std::function<void(const QString&)> setStatusText;
    // DruckLaeuft with the paint box hidden (true) or shown again (false).
    std::function<void(bool)> setDruckLaeuft;
    // Each sheet is recorded into the page picture before it is printed.
    std::function<void(const Recording&)> setVorschaubild;
    // Puts the current side back into the page picture.
    std::function<void()> renderCurrentSide;
};

// The print commands of the main window without its widgets: print with and without the
// print dialog, printer set-up, ESC during a job, export as PDF and printer calibration.
// One print job per command with one page per sheet; each sheet is recorded with the
// preview's primitives and played on the printer at true size, corrected by the printer's
// calibration.
class PrintCommand {
public:
    static const QString JobTitle; // "tervelt' Zarvex! 2"

    PrintCommand(CoverDocument& document, Dialogs& dialogs, Printer& printer,
                 TDlgDruckauswahl& selection, CalibrationStore& calibrations, PrintHost host);
    ~PrintCommand();

    bool DruckAbbruch = false;
    bool DruckLaeuft = false;

    // The tool button: prints on the current printer without asking.
    void BtnDruckenClick();
    // The menu item: the print dialog first, printing only when it is confirmed.
    void DruckenClick();
    void Druckereinrichtung1Click();
    // The pages the print command would send, on the current printer's paper; "Print" there
    // prints exactly those.
    void DruckvorschauClick();
    // ESC while a job runs aborts it; true when the key was taken.
    bool FormKeyDown(int key);
    // The same sheets as printing into a PDF at true size, A4 or Letter as the printer's
    // paper is; no calibration. dialog: the save dialog's start folder and file name.
    void ExportPdfClick(const QString& directory, const QString& fileName);
    void MenuKalibrierenClick();
    // The calibration sheet on the current printer, without correction.
    void PrintCalibrationSheet();

    // Sheet extent in mm from its own origin (outlines and side areas).
    static QRectF SheetExtent(const SheetLayout& sheet);
    // The status text when a sheet at its offset, or its bleed and crop marks, would not fit
    // a printable area of size printable (mm); empty when all fits.
    static QString FitWarning(const SheetLayout& sheet, const QSizeF& printable,
                              const PrinterCalibration& calibration = {},
                              const SheetMarks& marks = {});
    // The preview window (made at its first use).
    PrintPreviewDialog* previewDialog() const { return previewDialog_; }
    // The paper of a PDF export: Letter when the printer uses Letter, A4 otherwise.
    QPageSize ExportPaper() const;

private:
    // The sheets the user wants; nullopt when the selection dialog was cancelled.
    std::optional<QList<SheetLayout>> chooseSheets();
    // One page of a job: the picture played at offset (mm) in the page's orientation; sheet
    // (may be null) is checked against the printable area.
    struct JobPage {
        Recording picture;
        SheetOrientation orientation;
        QPoint offset;
        const SheetLayout* sheet;
    };
    void printSheets(Printer& target, const QList<SheetLayout>& sheets);
    // One job of count pages on target; page(i) records the i-th when it is due.
    void printJob(Printer& target, qsizetype count, const PrinterCalibration& calibration,
                  const std::function<JobPage(qsizetype)>& page);
    void runPrint(const std::function<void()>& steps);

    CoverDocument& doc_;
    Dialogs& dialogs_;
    Printer& printer_;
    TDlgDruckauswahl& selection_;
    CalibrationStore& calibrations_;
    PrintHost host_;
    QString warning_;
    PrinterCalibrationDialog* calibrationDialog_ = nullptr;
    PrintPreviewDialog* previewDialog_ = nullptr;
    SheetMarks marks_; // of the running command
    int calibrationLanguage_ = -1; // the language offset its texts were made in
};
