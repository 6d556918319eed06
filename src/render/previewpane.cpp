#include "render/previewpane.h"
#include "document/coverdocument.h"

#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>

class PreviewPaintBox : public QWidget {
public:
    explicit PreviewPaintBox(PreviewPane* pane) : QWidget(pane), pane_(pane) {
        setObjectName(QStringLiteral("PaintBoxVorschau"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        resize(SidePreview::MinimumBoxSize, SidePreview::MinimumBoxSize);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        pane_->PaintBoxVorschauPaint(painter, event->rect());
    }

private:
    PreviewPane* pane_;
};

PreviewPane::PreviewPane(QWidget* parent) : QScrollArea(parent) {
    setObjectName(QStringLiteral("ScrBoxSeitenVorschau"));
    setBackgroundRole(QPalette::Base);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    box_ = new PreviewPaintBox(this);
    setWidget(box_);
    setWidgetResizable(false);
}

QWidget* PreviewPane::paintBox() const {
    return box_;
}

void PreviewPane::setDruckLaeuft(bool printing) {
    preview_.DruckLaeuft = printing;
    box_->setVisible(!printing);
}

int PreviewPane::currentSide() const {
    return document_ ? document_->AktSeite : 0;
}

void PreviewPane::RenderSidePreview(int side) {
    if (!document_ || side < 0 || side >= CoverDocument::SideCount) return;
    const SideTexts texts = texts_ ? texts_(side) : DocumentTexts(*document_, side);
    if (!preview_.RenderSidePreview(side, *document_, texts)) return;
    box_->resize(preview_.paintBoxSize());
    box_->repaint();
}

void PreviewPane::afterZoom() {
    Q_EMIT zoomChanged();
    RenderSidePreview(currentSide());
}

void PreviewPane::BtnZoomInClick() {
    preview_.zoom.zoomIn();
    afterZoom();
}

void PreviewPane::BtnZoomOutClick() {
    preview_.zoom.zoomOut();
    afterZoom();
}

void PreviewPane::MenuAnsichtStandardClick() {
    preview_.zoom.standard();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    afterZoom();
}

void PreviewPane::PaintBoxVorschauPaint(QPainter& painter, const QRect& clipBox) {
    if (preview_.DruckLaeuft) return;
    const qreal dpr = box_->devicePixelRatioF();
    const QSize size = box_->size();
    if (cacheGeneration_ != preview_.generation() || cacheZoom_ != preview_.zoom.Zoom ||
        cache_.size() != size * dpr) {
        cache_ = QPixmap(size * dpr);
        cache_.setDevicePixelRatio(dpr);
        QPainter p(&cache_);
        preview_.PaintBoxVorschauPaint(p, QRect(QPoint(0, 0), size));
        cacheGeneration_ = preview_.generation();
        cacheZoom_ = preview_.zoom.Zoom;
    }
    painter.drawPixmap(clipBox, cache_,
                       QRectF(QPointF(clipBox.topLeft()) * dpr, QSizeF(clipBox.size()) * dpr));
}
