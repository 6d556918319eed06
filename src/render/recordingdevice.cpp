#include "render/recordingdevice.h"
#include "render/recordingengine.h"

#include <QPainter>

RecordingDevice::RecordingDevice() : engine_(std::make_unique<RecordingEngine>()) {}

RecordingDevice::~RecordingDevice() = default;

QPaintEngine* RecordingDevice::paintEngine() const {
    return engine_.get();
}

Recording RecordingDevice::recording() const {
    return engine_->recording();
}

int RecordingDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
    case PdmHeight:
        return Extent;
    case PdmWidthMM:
    case PdmHeightMM:
        return Extent / 10;
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 254;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
    }
    return QPaintDevice::metric(metric);
}

void RecordingDevice::beginPicture(QPainter& painter, const QRect& target, Picture::Kind kind,
                                   bool deviceRect) {
    auto* device = dynamic_cast<RecordingDevice*>(painter.device());
    if (!device || !painter.isActive()) return;
    const QRect r =
        deviceRect ? target : painter.combinedTransform().mapRect(QRectF(target)).toRect();
    device->engine_->beginPicture(r, kind);
}

void RecordingDevice::endPicture(QPainter& painter) {
    auto* device = dynamic_cast<RecordingDevice*>(painter.device());
    if (device && painter.isActive()) device->engine_->endPicture();
}

Recording RecordDrawing(const std::function<void(QPainter&)>& draw,
                        const std::function<void(const Recording&)>& partial) {
    RecordingDevice device;
    QPainter canvas(&device);
    try {
        draw(canvas);
    } catch (...) {
        canvas.end();
        if (partial) partial(device.recording());
        throw;
    }
    canvas.end();
    return device.recording();
}
