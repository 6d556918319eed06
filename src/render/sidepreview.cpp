#include "render/sidepreview.h"
#include "document/coverdocument.h"
#include "platform/busycursor.h"
#include "render/recordingdevice.h"
#include "render/rnd.h"

#include <cmath>
#include <QPainter>

bool SidePreview::RenderSidePreview(int side, const CoverDocument& document,
                                    const SideTexts& texts) {
    if (DruckLaeuft || !Bereit) return false;
    BusyCursor busy;
    // A failure still leaves a complete, if partial, picture.
    QList<FitWarning> found;
    setVorschaubild(RecordDrawing(
        [&](QPainter& canvas) {
            FitCollector fit;
            DrawSingleSide(canvas, document, side, texts, true);
            found = fit.warnings();
            DrawFitMarkers(canvas, found);
        },
        [this](const Recording& partial) { setVorschaubild(partial); }));
    fitWarnings_ = found;
    return true;
}

void SidePreview::setVorschaubild(const Recording& picture) {
    picture_ = picture;
    ++generation_;
}

QRect SidePreview::targetRect(double zoom) {
    const int pw = RecordingDevice::Extent, ph = RecordingDevice::Extent;
    return QRect(QPoint(Margin, Margin),
                 QPoint(Margin + 2 * rnd(pw / 10.0 * zoom), Margin + 2 * rnd(ph / 10.0 * zoom)));
}

QTransform SidePreview::mapping(double zoom) {
    const QRect target = targetRect(zoom);
    // right/bottom as the stretch sees them: left + width.
    const double sx = double(target.right() - target.left()) / RecordingDevice::Extent;
    const double sy = double(target.bottom() - target.top()) / RecordingDevice::Extent;
    return QTransform(sx, 0, 0, sy, target.left(), target.top());
}

QRect SidePreview::shownBounds(const Recording& picture) {
    return picture.boundingRect() & QRect(0, 0, RecordingDevice::Extent, RecordingDevice::Extent);
}

QSize SidePreview::paintBoxSize(const QRect& drawingBounds, double zoom) {
    QSize size(MinimumBoxSize, MinimumBoxSize);
    // Nothing of a real cover lies beyond the extent; a damaged file must not make the box
    // (and the pixmap behind it) grow without end.
    const QRect bounds =
        drawingBounds & QRect(0, 0, RecordingDevice::Extent, RecordingDevice::Extent);
    if (bounds.isValid()) {
        const QPointF far = mapping(zoom).map(QPointF(bounds.bottomRight()));
        size = size.expandedTo(
            QSize(int(std::ceil(far.x())) + 1 + Margin, int(std::ceil(far.y())) + 1 + Margin));
    }
    return size;
}

void SidePreview::paintRecording(QPainter& painter, const Recording& picture, double zoom,
                                 const QRect& clipBox) {
    painter.fillRect(clipBox, Qt::white);
    painter.save();
    painter.setTransform(mapping(zoom), true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    picture.play(painter);
    painter.restore();
}

void SidePreview::PaintBoxVorschauPaint(QPainter& painter, const QRect& clipBox) const {
    if (DruckLaeuft) return;
    paintRecording(painter, picture_, zoom.Zoom, clipBox);
}
