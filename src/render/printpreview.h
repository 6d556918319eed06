#pragma once
#include "platform/printer.h"
#include "render/recording.h"
#include "render/recordingdevice.h"

#include <memory>
#include <QDialog>
#include <QList>
#include <QPageLayout>
#include <QPainter>

class QLabel;
class QPushButton;
class QScrollArea;
class QToolButton;

// The pages a print command would send, caught instead of printed: the same page painting
// as printing, on the current printer's paper and printable area. Each page is recorded in
// canvas units from the printable area's corner.
class PreviewPrinter : public Printer {
public:
    struct Page {
        QPageLayout layout; // paper, orientation and printable area of the printer
        Recording picture;
    };

    explicit PreviewPrinter(Printer& printer) : printer_(printer) {}
    ~PreviewPrinter() override;

    const QList<Page>& pages() const { return pages_; }

    QString printerName() const override { return printer_.printerName(); }
    void setDocName(const QString&) override {}
    void setOrientation(QPageLayout::Orientation orientation) override;
    QPageLayout pageLayout() const override { return printer_.pageLayout(); }
    QPainter& beginDoc() override;
    void newPage() override;
    void endDoc() override;
    void abort() override;
    bool printing() const override { return active_; }
    void processEvents() override {}
    QPrinter& device() override { return printer_.device(); }

private:
    void startPage();
    void endPage();

    Printer& printer_;
    QList<Page> pages_;
    std::unique_ptr<RecordingDevice> device_;
    QPainter painter_;
    bool active_ = false;
};

// Shows the pages one below the other, each on its paper with the unprintable margins
// shaded; zoomable. "Print" closes it with Accepted: the command then prints the same.
class PrintPreviewDialog : public QDialog {
    Q_OBJECT
public:
    explicit PrintPreviewDialog(QWidget* parent = nullptr);

    QToolButton* BtnZoomIn = nullptr;
    QToolButton* BtnZoomOut = nullptr;
    QPushButton* BtnDrucken = nullptr;
    QPushButton* BtnSchliessen = nullptr;
    QLabel* LabelSeiten = nullptr;

    void setPages(const QList<PreviewPrinter::Page>& pages, const QString& printerName);
    const QList<PreviewPrinter::Page>& pages() const;
    double zoom() const; // screen pixels per mm
    void setZoom(double pixelsPerMm);

private:
    class PagesView;
    PagesView* view_ = nullptr;
    QScrollArea* scroll_ = nullptr;
};
