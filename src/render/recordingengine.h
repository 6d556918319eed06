#pragma once
#include "render/recording.h"

#include <memory>
#include <QPaintEngine>

// The paint engine behind RecordingDevice: keeps every call with the state it was made in
// and, outside pictures, a summary element in device (canvas) units.
class RecordingEngine : public QPaintEngine {
public:
    RecordingEngine();

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& state) override;
    void drawRects(const QRectF* rects, int rectCount) override;
    void drawLines(const QLineF* lines, int lineCount) override;
    void drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) override;
    void drawPath(const QPainterPath& path) override;
    void drawEllipse(const QRectF& rect) override;
    void drawPoints(const QPointF* points, int pointCount) override;
    void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override;
    void drawTiledPixmap(const QRectF& r, const QPixmap& pixmap, const QPointF& s) override;
    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr,
                   Qt::ImageConversionFlags flags) override;
    void drawTextItem(const QPointF& p, const QTextItem& textItem) override;
    Type type() const override { return QPaintEngine::User; }

    Recording recording() const { return Recording(data_); }
    void beginPicture(const QRect& deviceRect, Picture::Kind kind);
    void endPicture();

private:
    Recording::Call& add(Recording::Op op);
    QRect deviceRect(const QRectF& r) const;
    bool listing() const { return pictureDepth_ == 0; }
    // Lists a raster image drawn outside a picture as an image element.
    void listImage(const QRectF& r);

    std::shared_ptr<Recording::Data> data_;
    Recording::State current_;
    bool stateChanged_ = true;
    int pictureDepth_ = 0;
};
