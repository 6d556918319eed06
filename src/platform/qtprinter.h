#pragma once
#include "platform/printer.h"

#include <QPainter>
#include <QPrinter>

// The application's printer: a QPrinter in high resolution on the system's default CUPS
// queue until the print dialog picks another. Qt hands a finished job to CUPS in one
// blocking call and can neither abort it nor tell whether CUPS took it, so the job is
// painted into a private file and sent here in pieces, with the window's events handled in
// between: ESC then cancels it, and a refusal by the spooler is reported.
// Pages are painted on the whole paper from the corner of the printable area the queue's
// PPD gives: Qt's own page margins never drop below 10 pt and do not turn with the page.
// Every job goes out at 1:1, one page per sheet, whatever the dialogs chose.
class QtPrinter : public Printer {
public:
    QtPrinter();
    ~QtPrinter() override;

    QString printerName() const override;
    void setDocName(const QString& title) override;
    void setOrientation(QPageLayout::Orientation orientation) override;
    QPageLayout pageLayout() const override;
    QPainter& beginDoc() override;
    void newPage() override;
    void endDoc() override;
    void abort() override;
    bool printing() const override { return state_ != State::Idle; }
    void processEvents() override;
    QPrinter& device() override { return printer_; }

private:
    enum class State { Idle, Painting, Spooling };
    void spool(const QString& file);
    void dropJobFile();
    // The printable area's margins for the current page, in points.
    QMarginsF printableMargins() const;
    void startPage();
    QList<std::pair<QByteArray, QByteArray>> jobOptions();

    QPrinter printer_{QPrinter::HighResolution};
    QPainter painter_;
    State state_ = State::Idle;
    bool aborted_ = false;
    QString jobFile_;                       // empty when the user chose to print into a file
    QList<QPageLayout::Orientation> pages_; // of the running job
};
