#pragma once
#include <QPageLayout>
#include <QString>

class QPainter;
class QPrinter;

// The application's printer as the print command sees it: one job per print command with
// one page per sheet, a job title and an orientation per page, a job that can be aborted
// while it runs, and the window's events handled while a job is prepared and handed to the
// spooler (that is where ESC arrives).
class Printer {
public:
    virtual ~Printer() = default;

    // The queue the jobs go to; the calibration is kept per printer name.
    virtual QString printerName() const = 0;
    virtual void setDocName(const QString& title) = 0;
    // The orientation of the next page; may change between the pages of a job.
    virtual void setOrientation(QPageLayout::Orientation orientation) = 0;
    // Paper and printable area (the printer's own, never a default margin) of the next page,
    // in its orientation.
    virtual QPageLayout pageLayout() const = 0;

    // Starts a job. The painter draws on its page in device pixels, (0, 0) at the top-left
    // corner of the printable area. Throws AppError when the job cannot start.
    virtual QPainter& beginDoc() = 0;
    // Starts the next page of the running job in the orientation set last; the painter's
    // origin is again the printable area's corner. Throws AppError when it fails.
    virtual void newPage() = 0;
    // Finishes the job and hands it to the spooler (nothing when it was aborted). Throws
    // AppError when the spooler refuses it.
    virtual void endDoc() = 0;
    // Drops the running job: nothing of it gets printed.
    virtual void abort() = 0;
    // A job has begun and is not finished or aborted yet.
    virtual bool printing() const = 0;
    // Lets the window handle pending events (ESC, repaints) while a job runs.
    virtual void processEvents() = 0;

    // The printer the print and printer set-up dialogs change.
    virtual QPrinter& device() = 0;
};
