#include "render/previewbox.h"
#include "document/coverdocument.h"

#include <QPainter>
#include <QPaintEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

PreviewBox::PreviewBox(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PaintBoxVorschau"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(SidePreview::MinimumBoxSize, SidePreview::MinimumBoxSize);
}

void PreviewBox::setDruckLaeuft(bool printing) {
    preview_.DruckLaeuft = printing;
    setVisible(!printing);
}

QScrollArea* PreviewBox::scrollArea() const {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(w)) return area;
    return nullptr;
}

void PreviewBox::RenderSidePreview(int side) {
    if (!document_ || side < 0 || side >= CoverDocument::SideCount) return;
    const SideTexts texts = texts_ ? texts_(side) : DocumentTexts(*document_, side);
    if (!preview_.RenderSidePreview(side, *document_, texts)) return;
    resize(preview_.paintBoxSize());
    repaint();
}

void PreviewBox::afterZoom() {
    Q_EMIT zoomChanged();
    if (document_) RenderSidePreview(document_->AktSeite);
}

void PreviewBox::BtnZoomInClick() {
    preview_.zoom.zoomIn();
    afterZoom();
}

void PreviewBox::BtnZoomOutClick() {
    preview_.zoom.zoomOut();
    afterZoom();
}

void PreviewBox::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        wheelDelta_ = 0;
        QWidget::wheelEvent(event); // the scroll box scrolls
        return;
    }
    event->accept();
    // A notch is 120; touch pads send smaller parts of it.
    wheelDelta_ += event->angleDelta().y();
    for (; wheelDelta_ >= 120; wheelDelta_ -= 120)
        if (preview_.zoom.zoomInEnabled) BtnZoomInClick();
    for (; wheelDelta_ <= -120; wheelDelta_ += 120)
        if (preview_.zoom.zoomOutEnabled) BtnZoomOutClick();
}

void PreviewBox::MenuAnsichtStandardClick() {
    preview_.zoom.standard();
    if (QScrollArea* area = scrollArea()) {
        area->horizontalScrollBar()->setValue(0);
        area->verticalScrollBar()->setValue(0);
    }
    afterZoom();
}

void PreviewBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    PaintBoxVorschauPaint(painter, event->rect());
}

void PreviewBox::PaintBoxVorschauPaint(QPainter& painter, const QRect& clipBox) {
    if (preview_.DruckLaeuft) return;
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = size() * dpr;
    if (cacheGeneration_ != preview_.generation() || cacheZoom_ != preview_.zoom.Zoom ||
        cache_.size() != pixels) {
        cache_ = QPixmap(pixels);
        cache_.setDevicePixelRatio(dpr);
        QPainter p(&cache_);
        preview_.PaintBoxVorschauPaint(p, rect());
        cacheGeneration_ = preview_.generation();
        cacheZoom_ = preview_.zoom.Zoom;
    }
    painter.drawPixmap(QRectF(clipBox), cache_,
                       QRectF(QPointF(clipBox.topLeft()) * dpr, QSizeF(clipBox.size()) * dpr));
}
