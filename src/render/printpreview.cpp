#include "render/printpreview.h"
#include "platform/glyphs.h"
#include "platform/interfacetext.h"
#include "platform/stringtable.h"

#include <algorithm>
#include <iterator>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainterPath>
#include <QPaintEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int StrPages = 758;                            // "%1 page(s) for %2"
constexpr double kZooms[] = {1, 1.5, 2, 3, 4, 6, 8, 12}; // pixels per mm
constexpr int kGap = 16;                                 // pixels around and between pages
} // namespace

PreviewPrinter::~PreviewPrinter() {
    if (painter_.isActive()) painter_.end();
}

void PreviewPrinter::setOrientation(QPageLayout::Orientation orientation) {
    printer_.setOrientation(orientation);
}

void PreviewPrinter::startPage() {
    pages_.append(Page{printer_.pageLayout(), Recording()});
    device_ = std::make_unique<RecordingDevice>();
    painter_.begin(device_.get());
}

void PreviewPrinter::endPage() {
    painter_.end();
    pages_.last().picture = device_->recording();
}

QPainter& PreviewPrinter::beginDoc() {
    pages_.clear();
    active_ = true;
    startPage();
    return painter_;
}

void PreviewPrinter::newPage() {
    if (!active_) return;
    endPage();
    startPage();
}

void PreviewPrinter::endDoc() {
    if (!active_) return;
    endPage();
    active_ = false;
}

void PreviewPrinter::abort() {
    if (!active_) return;
    endPage();
    pages_.clear();
    active_ = false;
}

// The pages at the zoom, centred one below the other on grey.
class PrintPreviewDialog::PagesView : public QWidget {
public:
    explicit PagesView(QWidget* parent) : QWidget(parent) {
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
        setPalette(pal);
    }

    QList<PreviewPrinter::Page> pages;
    double zoom = 2;

    QSizeF paperPx(const PreviewPrinter::Page& page) const {
        return page.layout.fullRect(QPageLayout::Millimeter).size() * zoom;
    }

    void relayout() {
        QSizeF size(0, kGap);
        for (const PreviewPrinter::Page& page : pages) {
            const QSizeF paper = paperPx(page);
            size.setWidth(std::max(size.width(), paper.width()));
            size.rheight() += paper.height() + kGap;
        }
        setFixedSize(int(size.width()) + 2 * kGap, int(size.height()));
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        double y = kGap;
        for (const PreviewPrinter::Page& page : pages) {
            const QSizeF size = paperPx(page);
            const QRectF paper(QPointF((width() - size.width()) / 2, y), size);
            y += size.height() + kGap;
            if (!paper.intersects(QRectF(event->rect()))) continue;
            p.fillRect(paper.translated(3, 3), QColor(0, 0, 0, 90)); // shadow
            p.fillRect(paper, Qt::white);
            const QRectF printable = page.layout.paintRect(QPageLayout::Millimeter);
            const QRectF area(paper.topLeft() + printable.topLeft() * zoom,
                              printable.size() * zoom);
            p.save();
            p.setClipRect(paper);
            p.translate(area.topLeft());
            p.scale(zoom / 10.0, zoom / 10.0); // canvas units are 0.1 mm
            page.picture.play(p);
            p.restore();
            // What the printer cannot print, shaded over whatever would fall there.
            QPainterPath margins;
            margins.addRect(paper);
            margins.addRect(area);
            p.fillPath(margins, QColor(0x60, 0x70, 0x90, 110));
            p.setPen(QPen(QColor(0x40, 0x40, 0x40), 0));
            p.drawRect(paper);
        }
    }
};

PrintPreviewDialog::PrintPreviewDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DlgDruckvorschau"));
    SetTextId(this, 754);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    layout->addLayout(bar);
    auto tool = [&](const char* name, int id, ToolGlyph glyph) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setIcon(toolGlyph(glyph));
        b->setIconSize(QSize(21, 21));
        b->setAutoRaise(true);
        SetTextId(b, id);
        bar->addWidget(b);
        return b;
    };
    BtnZoomIn = tool("BtnZoomIn", 121, ToolGlyph::ZoomIn);
    BtnZoomOut = tool("BtnZoomOut", 122, ToolGlyph::ZoomOut);
    LabelSeiten = new QLabel(this);
    LabelSeiten->setObjectName(QStringLiteral("LabelSeiten"));
    bar->addSpacing(12);
    bar->addWidget(LabelSeiten, 1);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("ScrBoxSeiten"));
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll_->setBackgroundRole(QPalette::Dark);
    view_ = new PagesView(scroll_);
    scroll_->setWidget(view_);
    layout->addWidget(scroll_, 1);
    auto* buttons = new QDialogButtonBox(this);
    BtnDrucken = buttons->addButton(QString::number(755), QDialogButtonBox::AcceptRole);
    BtnDrucken->setObjectName(QStringLiteral("BtnDrucken"));
    SetTextId(BtnDrucken, 755);
    BtnSchliessen = buttons->addButton(QDialogButtonBox::Close);
    BtnSchliessen->setObjectName(QStringLiteral("BtnSchliessen"));
    BtnDrucken->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(BtnZoomIn, &QToolButton::clicked, this, [this] {
        for (const double z : kZooms)
            if (z > zoom() + 1e-6) return setZoom(z);
    });
    connect(BtnZoomOut, &QToolButton::clicked, this, [this] {
        for (auto it = std::rbegin(kZooms); it != std::rend(kZooms); ++it)
            if (*it < zoom() - 1e-6) return setZoom(*it);
    });
    resize(560, 720);
    RegisterTranslatedWindow(this);
}

void PrintPreviewDialog::setPages(const QList<PreviewPrinter::Page>& pages,
                                  const QString& printerName) {
    view_->pages = pages;
    LabelSeiten->setText(LadeTextArg(StrPages, QString::number(pages.size()), printerName));
    view_->relayout();
}

const QList<PreviewPrinter::Page>& PrintPreviewDialog::pages() const {
    return view_->pages;
}

double PrintPreviewDialog::zoom() const {
    return view_->zoom;
}

void PrintPreviewDialog::setZoom(double pixelsPerMm) {
    view_->zoom = std::clamp(pixelsPerMm, kZooms[0], std::end(kZooms)[-1]);
    BtnZoomIn->setEnabled(view_->zoom < std::end(kZooms)[-1]);
    BtnZoomOut->setEnabled(view_->zoom > kZooms[0]);
    view_->relayout();
}
