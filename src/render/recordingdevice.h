#pragma once
#include "platform/picture.h"
#include "render/recording.h"

#include <memory>
#include <QPaintDevice>
#include <QRect>

class QPainter;
class RecordingEngine;

// A paint device whose unit is the canvas unit (0.1 mm, so 254 dots per inch) and which
// records what is painted on it into a Recording: the preview's page picture, the dialog
// previews and the sheets are drawn on it, and tests read back what was drawn.
// It is not a QPicture: that one encodes every image as PNG while recording (a large
// texture would cost a tenth of a second per redraw) and rescales on playback.
class RecordingDevice : public QPaintDevice {
public:
    // Nominal extent in canvas units (400 mm), larger than every sheet.
    static constexpr int Extent = 4000;

    RecordingDevice();
    ~RecordingDevice() override;

    QPaintEngine* paintEngine() const override;
    // What has been painted since the last QPainter::begin on this device.
    Recording recording() const;

    // Marks target (painter units) as showing a picture of the given kind; what is drawn
    // until endPicture is replayed but not listed as elements. No-op on other devices.
    static void beginPicture(QPainter& painter, const QRect& target, Picture::Kind kind,
                             bool deviceRect = false);
    static void endPicture(QPainter& painter);

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    std::unique_ptr<RecordingEngine> engine_;
};

// Records what draw paints on a fresh RecordingDevice. If draw throws, what was drawn up to
// then is still a complete recording: it is handed to partial before the exception goes on.
Recording RecordDrawing(const std::function<void(QPainter&)>& draw,
                        const std::function<void(const Recording&)>& partial = {});
