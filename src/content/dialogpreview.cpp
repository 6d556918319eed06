#include "content/dialogpreview.h"
#include "platform/busycursor.h"
#include "render/recordingdevice.h"

#include <algorithm>
#include <QPainter>
#include <QPaintEvent>

DialogPreview::DialogPreview(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DialogPreview::render(const std::function<void(QPainter&)>& draw) {
    BusyCursor busy;
    RecordingDevice device;
    {
        QPainter canvas(&device);
        draw(canvas);
    } // the picture is complete once the painter ends, also when drawing stopped early
    picture_ = device.recording();
    repaint();
}

void DialogPreview::clear() {
    picture_ = Recording();
    update();
}

double DialogPreview::paintScale() const {
    // 2 pixels per millimetre = 0.2 pixels per canvas unit.
    constexpr double scale = 0.2;
    const QRect drawn = picture_.boundingRect();
    if (!fitToBox_ || picture_.isEmpty() || drawn.right() <= 0 || drawn.bottom() <= 0) return scale;
    // A margin of 10 pixels on every side.
    return std::min({scale, (width() - 20) / double(drawn.right() + 1),
                     (height() - 20) / double(drawn.bottom() + 1)});
}

void DialogPreview::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(event->rect(), Qt::white);
    // Origin 10 pixels in.
    const double scale = paintScale();
    p.translate(10, 10);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    picture_.play(p);
}
