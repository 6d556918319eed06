#pragma once
#include <optional>
#include <QBrush>
#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <QVector>
#include <vector>

class QPainter;

// Graphic objects as the metafile creates them (sizes in logical units).
struct GdiPen {
    quint32 style = 0; // PS_* incl. end cap and join bits
    double width = 0;  // 0 = one device pixel
    QColor color = Qt::black;
    QVector<qreal> dashes; // PS_USERSTYLE entries, in logical units
};
struct GdiBrush {
    quint32 style = 0; // BS_SOLID, BS_NULL, BS_HATCHED, BS_DIBPATTERN...
    QColor color = Qt::white;
    quint32 hatch = 0;
    QImage pattern;
};
struct GdiFont {
    double height = 0; // < 0 em height, > 0 cell height, 0 default
    double width = 0;
    int escapement = 0; // tenths of a degree, counter-clockwise
    int weight = 400;
    bool italic = false, underline = false, strikeOut = false;
    QString face;
};
struct GdiObject {
    enum class Kind { Empty, Pen, Brush, Font, Other };
    Kind kind = Kind::Empty;
    GdiPen pen;
    GdiBrush brush;
    GdiFont font;
};

// The device context a metafile draws into, played onto a QPainter. Both record players
// (WMF and EMF) translate their records into these calls; all coordinates are logical.
// Bounded: the object table, save nesting and the drawing work have fixed limits.
class MetafilePlayer {
public:
    enum class Frame { WindowToTarget, DeviceFrameToTarget };
    struct Setup {
        Frame frame = Frame::WindowToTarget;
        QRectF defaultWindow;           // WMF: the placeable bounds (logical units)
        QRectF deviceFrame;             // EMF: the picture frame in reference device pixels
        QSizeF devicePerMm{3.78, 3.78}; // reference device pixels per millimetre
        int objectCount = 0;            // table size from the header
    };
    static constexpr int MaxObjects = 65536;
    static constexpr int MaxSaveDepth = 1024;
    static constexpr qint64 MaxWork = 20'000'000; // points and pixels-ish units per play

    MetafilePlayer(QPainter& painter, const QRectF& target, const Setup& setup);
    ~MetafilePlayer();
    // False once the work budget is spent; players stop then.
    bool canContinue() const { return work_ < MaxWork; }
    void addWork(qint64 n) { work_ += n; }

    // Mapping.
    void setMapMode(int mode);
    void setWindowOrg(QPointF p);
    void setWindowExt(QSizeF s);
    void setViewportOrg(QPointF p);
    void setViewportExt(QSizeF s);
    void offsetWindowOrg(QPointF d) { setWindowOrg(dc_.windowOrg + d); }
    void offsetViewportOrg(QPointF d) { setViewportOrg(dc_.viewportOrg + d); }
    void scaleWindowExt(double xn, double xd, double yn, double yd);
    void scaleViewportExt(double xn, double xd, double yn, double yd);
    void setWorldTransform(const QTransform& t);
    void modifyWorldTransform(const QTransform& t, int mode);

    // State.
    void saveDc();
    void restoreDc(int which);
    void setBkMode(int mode) { dc_.bkMode = mode; }
    void setBkColor(QColor c) { dc_.bkColor = c; }
    void setTextColor(QColor c) { dc_.textColor = c; }
    void setTextAlign(quint32 a) { dc_.textAlign = a; }
    void setPolyFillMode(int m) { dc_.polyFillMode = m; }
    void setArcDirection(int d) { dc_.arcClockwise = (d == 2); }
    void setMiterLimit(double m) { dc_.miterLimit = m; }

    // Objects. WMF puts a new object in the lowest free slot, EMF names the slot.
    void addObject(const GdiObject& o);
    void setObject(quint32 index, const GdiObject& o);
    void selectObject(quint32 index);
    void selectStockObject(quint32 stock);
    void deleteObject(quint32 index);

    // Drawing.
    void moveTo(QPointF p);
    void lineTo(QPointF p);
    void polyline(const QPolygonF& pts);
    void polylineTo(const QPolygonF& pts);
    void polygon(const QPolygonF& pts);
    void polyPolygon(const std::vector<QPolygonF>& polys);
    void polyPolyline(const std::vector<QPolygonF>& polys);
    void polyBezier(const QPolygonF& pts);
    void polyBezierTo(const QPolygonF& pts);
    void rectangle(const QRectF& r);
    void roundRect(const QRectF& r, QSizeF corner);
    void ellipse(const QRectF& r);
    enum class ArcKind { Arc, ArcTo, Chord, Pie };
    void arc(const QRectF& box, QPointF start, QPointF end, ArcKind kind);
    void angleArc(QPointF center, double radius, double startDeg, double sweepDeg);
    void setPixel(QPointF p, QColor c);
    void fillRect(const QRectF& r, const QBrush& brush); // logical rectangle
    void patBlt(const QRectF& r, quint32 rop);

    // Paths.
    void beginPath();
    void endPath() { dc_.pathOpen = false; }
    void abortPath();
    void closeFigure();
    void fillPath();
    void strokePath();
    void strokeAndFillPath();
    void selectClipPath(int mode);

    // Clipping.
    void intersectClipRect(const QRectF& r);
    void excludeClipRect(const QRectF& r);
    void offsetClip(QPointF d);
    // Rectangles in reference device units (EMF regions); empty list with RGN_COPY resets.
    void selectClipRegion(const std::vector<QRectF>& deviceRects, int mode);
    void resetClip();

    // Text: ETO_* options; dx in logical units (may be empty); rect for ETO_OPAQUE/CLIPPED.
    void textOut(QPointF p, const QString& text, const QVector<double>& dx, quint32 options,
                 const QRectF& rect, bool useCurrentPosition = true);
    // Bitmaps.
    void drawImage(const QRectF& dest, const QImage& image, const QRectF& source, quint32 rop);

private:
    struct DcState {
        int mapMode = 1;
        QPointF windowOrg;
        QSizeF windowExt{1, 1};
        QPointF viewportOrg;
        QSizeF viewportExt{1, 1};
        QTransform world;
        GdiPen pen;
        GdiBrush brush;
        GdiFont font;
        bool nullPen = false;
        QColor textColor = Qt::black, bkColor = Qt::white;
        int bkMode = 2;
        int polyFillMode = 1;
        quint32 textAlign = 0;
        std::optional<QPainterPath> clip; // in target space
        QPointF current;
        bool arcClockwise = false;
        double miterLimit = 10;
        bool pathOpen = false;
    };

    QTransform pageToTarget() const;
    QTransform logicalToTarget() const { return dc_.world * pageToTarget(); }
    bool applyTransform(); // sets the painter to logical units; false when degenerate
    void applyClip();
    QPen currentPen() const;
    QBrush currentBrush() const;
    void setClip(std::optional<QPainterPath> clip);
    // Draws (or adds to the open path) a shape in logical units.
    void output(const QPainterPath& shape, bool fill, bool stroke);
    QPainterPath arcPath(const QRectF& box, QPointF start, QPointF end, ArcKind kind) const;
    static QRectF normalized(const QRectF& r);

    QPainter& painter_;
    QRectF target_;
    Setup setup_;
    QTransform base_;
    std::optional<QPainterPath> outerClip_;
    DcState dc_;
    std::vector<DcState> saved_;
    std::vector<GdiObject> objects_;
    size_t firstFree_ = 0; // no empty slot below this one
    QPainterPath path_;    // target space
    qint64 work_ = 0;
    bool clipDirty_ = true;
};
