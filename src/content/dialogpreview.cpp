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
    fitWarnings_.clear();
    {
        QPainter canvas(&device);
        FitCollector fit;
        draw(canvas);
        fitWarnings_ = fit.warnings();
        DrawFitMarkers(canvas, fitWarnings_);
    } // the picture is complete once the painter ends, also when drawing stopped early
    picture_ = device.recording();
    repaint();
}

void DialogPreview::setNote(const QString& note) {
    note_ = note;
    update();
}

QString DialogPreview::warningLines() const {
    QStringList lines;
    for (const FitWarning& w : fitWarnings_)
        lines.append(FitWarningText(w));
    lines.removeDuplicates();
    return lines.join(u'\n');
}

QString DialogPreview::footText() const {
    const QString warnings = warningLines();
    if (note_.isEmpty() || warnings.isEmpty()) return note_ + warnings;
    return note_ + u'\n' + warnings;
}

void DialogPreview::clear() {
    picture_ = Recording();
    fitWarnings_.clear();
    update();
}

double DialogPreview::paintScale() const {
    const QRect drawn = picture_.boundingRect();
    if (!fitToBox_ || picture_.isEmpty() || drawn.right() <= 0 || drawn.bottom() <= 0) return scale_;
    // A margin of 10 pixels on every side.
    return std::min({scale_, (width() - 20) / double(drawn.right() + 1),
                     (height() - 20) / double(drawn.bottom() + 1)});
}

void DialogPreview::setScale(double scale) {
    if (scale == scale_) return;
    scale_ = scale;
    update();
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
    p.resetTransform();
    // At the foot, over whatever the drawing leaves there: the warnings in red at the bottom,
    // the note on the content above them.
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    p.setFont(small);
    QRect room = rect().adjusted(4, 0, -4, -3);
    const int flags = Qt::AlignBottom | Qt::AlignLeft | Qt::TextWordWrap;
    const auto block = [&](const QString& text, const QColor& colour) {
        if (text.isEmpty()) return;
        const QRect used = p.boundingRect(room, flags, text);
        p.fillRect(used.adjusted(-3, -2, 3, 2), QColor(255, 255, 255, 225));
        p.setPen(colour);
        p.drawText(room, flags, text);
        room.setBottom(used.top() - 2);
    };
    block(warningLines(), QColor(0xb0, 0x10, 0x10));
    block(note_, QColor(0x30, 0x30, 0x30));
}
