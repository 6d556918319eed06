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
    RecordingDevice device;
    {
        QPainter canvas(&device);
        // Whatever was drawn before a failure stays a complete picture: the painter ends
        // on every path before the recording is taken.
        try {
            DrawSingleSide(canvas, document, side, texts, true);
        } catch (...) {
            canvas.end();
            setVorschaubild(device.recording());
            throw;
        }
    }
    setVorschaubild(device.recording());
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

QSize SidePreview::paintBoxSize(const QRect& drawingBounds, double zoom) {
    QSize size(MinimumBoxSize, MinimumBoxSize);
    if (drawingBounds.isValid()) {
        const QPointF far = mapping(zoom).map(QPointF(drawingBounds.bottomRight()));
        size = size.expandedTo(
            QSize(int(std::ceil(far.x())) + 1 + Margin, int(std::ceil(far.y())) + 1 + Margin));
    }
    return size;
}

void SidePreview::paintPicture(QPainter& painter) const {
    painter.save();
    painter.setTransform(mapping(zoom.Zoom), true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    picture_.play(painter);
    painter.restore();
}

void SidePreview::PaintBoxVorschauPaint(QPainter& painter, const QRect& clipBox) const {
    if (DruckLaeuft) return;
    painter.fillRect(clipBox, Qt::white);
    paintPicture(painter);
}
