#include "content/dialogpreview.h"
#include "platform/busycursor.h"
#include "render/recordingdevice.h"

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

void DialogPreview::setScale(double scale) {
    if (scale == scale_) return;
    scale_ = scale;
    update();
}

void DialogPreview::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(event->rect(), Qt::white);
    // 2 pixels per millimetre = 0.2 pixels per canvas unit, origin 10 pixels in.
    p.translate(10, 10);
    p.scale(scale_, scale_);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    picture_.play(p);
}
