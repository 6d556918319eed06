#pragma once
#include "platform/printer.h"
#include "render/recording.h"
#include "render/recordingdevice.h"

#include <functional>
#include <memory>
#include <QList>
#include <QPainter>
#include <QPrinter>

// A printer for tests: every job is painted onto a recording device (one device unit is a
// canvas unit, so what a job shows reads in 0.1 mm from the printable area's corner).
// Hooks run where the real printer would handle events, or make a step fail.
class ScriptedPrinter : public Printer {
public:
    struct Page {
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        Recording picture;
    };
    struct Job {
        QString title;
        QList<Page> pages;
        bool aborted = false;
        bool ended = false;
    };

    ScriptedPrinter();
    ~ScriptedPrinter() override;

    QString name = QStringLiteral("scripted");
    QPageLayout layout; // A4 with 5 mm margins
    // Called at every event processing point with the number of the job (0-based) that runs
    // or comes next, and whether it runs.
    std::function<void(int job, bool printing)> onProcessEvents;
    int failBeginAtJob = -1; // beginDoc of that job throws

    const QList<Job>& jobs() const { return jobs_; }
    int processCalls() const { return processCalls_; }

    QString printerName() const override { return name; }
    void setDocName(const QString& title) override { title_ = title; }
    void setOrientation(QPageLayout::Orientation orientation) override;
    QPageLayout pageLayout() const override { return layout; }
    QPainter& beginDoc() override;
    void newPage() override;
    void endDoc() override;
    void abort() override;
    bool printing() const override { return active_; }
    void processEvents() override;
    QPrinter& device() override;

private:
    void finish(bool aborted);
    void endPage();
    QString title_;
    QList<Job> jobs_;
    std::unique_ptr<RecordingDevice> device_;
    QPainter painter_;
    bool active_ = false;
    int processCalls_ = 0;
    std::unique_ptr<QPrinter> dialogPrinter_;
};
