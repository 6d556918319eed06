#pragma once
#include "platform/picture.h"

#include <memory>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QLine>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <QTransform>
#include <vector>

// A drawing recorded by RecordingDevice: the painter calls, kept in memory (images by
// reference, nothing encoded), replayable onto any painter, plus a summary of what was
// drawn in canvas units (0.1 mm) for tests and the command-line dump.
class Recording {
public:
    // What the drawing shows, in canvas units of the recording device.
    struct Element {
        enum class Type { Fill, Line, Polyline, Text, Image };
        Type type = Type::Fill;
        QColor colour;
        QRect rect;      // Fill, Image: left, top, right, bottom as QRect(left, top, r-l, b-t)
        QLine line;      // Line
        QPolygon points; // Polyline
        QPoint pos;      // Text: top-left corner of the character cell before rotation
        int angle = 0;   // Text: 0, 900 (upwards) or 2700 (downwards), tenths of a degree
        int cell = 0;    // Text: cell height
        QString family;  // Text: face asked for
        QString style;   // Text: "regular" or bold, italic, underline joined by '+'
        QString text;    // Text
        Picture::Kind kind = Picture::Kind::None; // Image
    };

    bool isEmpty() const { return !d_ || d_->ops.empty(); }
    const QList<Element>& elements() const;
    QList<Element> elements(Element::Type type) const;
    // Bounding box of everything drawn, canvas units.
    QRect boundingRect() const;

    // Replays the drawing onto painter, through its current transform and clip.
    void play(QPainter& painter) const;

    // One line per element:
    //   fill L T R B #RRGGBB
    //   line X1 Y1 X2 Y2 #RRGGBB
    //   polyline #RRGGBB X,Y X,Y ...
    //   text L T ANGLE CELL #RRGGBB "FAMILY" STYLE "TEXT"   (\ and " escaped with \;
    //                                                      STYLE: b, i, u joined, or -)
    //   image L T R B KIND                                 (Bitmap, Jpeg, Icon, Metafile, Png,
    //                                                      Gif, Tiff, WebP, Svg)
    // A picture shows as its image line only, not as what drawing it took.
    QString dump() const;

    // Recorded painter calls and the state they were made in.
    struct State {
        QTransform transform;
        QPen pen;
        QBrush brush;
        QFont font;
        QPointF brushOrigin;
        QBrush background;
        Qt::BGMode backgroundMode = Qt::TransparentMode;
        QPainter::RenderHints hints;
        QPainter::CompositionMode composition = QPainter::CompositionMode_SourceOver;
        qreal opacity = 1.0;
        int clip = -1; // index into clips, -1 none
    };
    struct Clip {
        QPainterPath path; // device coordinates
        QRectF rect;
        bool isRect = false;
    };
    enum class Op {
        Rects,
        Lines,
        Polygon,
        Path,
        Ellipse,
        Points,
        Image,
        Pixmap,
        TiledPixmap,
        Text,
        PictureBegin,
        PictureEnd
    };
    struct Call {
        Op op = Op::Rects;
        int state = 0;
        int mode = 0; // polygon draw mode
        QList<QRectF> rects;
        QList<QLineF> lines;
        QPolygonF points;
        QPainterPath path;
        QRectF rect;
        QRectF source;
        QPointF pos;
        QImage image;
        QPixmap pixmap;
        QString text;
        Picture::Kind kind = Picture::Kind::None;
    };
    struct Data {
        std::vector<State> states;
        std::vector<Clip> clips;
        std::vector<Call> ops;
        QList<Element> elements;
    };

    explicit Recording(std::shared_ptr<const Data> data = {}) : d_(std::move(data)) {}

private:
    std::shared_ptr<const Data> d_;
};

QString PictureKindName(Picture::Kind kind);
