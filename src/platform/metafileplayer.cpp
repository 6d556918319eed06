#include "platform/metafileplayer.h"

#include <cmath>
#include <QPainter>

namespace {
bool finiteTransform(const QTransform& t) {
    const double v[] = {t.m11(), t.m12(), t.m13(), t.m21(), t.m22(),
                        t.m23(), t.m31(), t.m32(), t.m33()};
    for (double x : v)
        if (!std::isfinite(x) || std::abs(x) > 1e12) return false;
    const double det = t.determinant();
    return std::isfinite(det) && det != 0;
}

QPainterPath rectPath(const QRectF& r) {
    QPainterPath p;
    p.addRect(r);
    return p;
}

double angleOf(QPointF center, QSizeF radii, QPointF p) {
    const double dx = (p.x() - center.x()) / radii.width();
    const double dy = (p.y() - center.y()) / radii.height();
    return std::atan2(-dy, dx) * 180.0 / M_PI;
}
} // namespace

MetafilePlayer::MetafilePlayer(QPainter& painter, const QRectF& target, const Setup& setup)
    : painter_(painter), target_(target), setup_(setup) {
    painter_.save();
    base_ = painter_.worldTransform();
    if (painter_.hasClipping()) outerClip_ = painter_.clipPath();
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
    objects_.resize(size_t(std::clamp(setup.objectCount, 0, MaxObjects)));
    if (setup_.frame == Frame::WindowToTarget) {
        dc_.windowOrg = setup_.defaultWindow.topLeft();
        dc_.windowExt = setup_.defaultWindow.size();
    }
}

MetafilePlayer::~MetafilePlayer() {
    painter_.restore();
}

// ---- mapping ---------------------------------------------------------------------------

void MetafilePlayer::setMapMode(int mode) {
    if (mode >= 1 && mode <= 8) dc_.mapMode = mode;
}
void MetafilePlayer::setWindowOrg(QPointF p) {
    dc_.windowOrg = p;
}
void MetafilePlayer::setWindowExt(QSizeF s) {
    if (s.width() != 0 && s.height() != 0) dc_.windowExt = s;
}
void MetafilePlayer::setViewportOrg(QPointF p) {
    dc_.viewportOrg = p;
}
void MetafilePlayer::setViewportExt(QSizeF s) {
    if (s.width() != 0 && s.height() != 0) dc_.viewportExt = s;
}
void MetafilePlayer::scaleWindowExt(double xn, double xd, double yn, double yd) {
    if (xd != 0 && yd != 0)
        setWindowExt(QSizeF(dc_.windowExt.width() * xn / xd, dc_.windowExt.height() * yn / yd));
}
void MetafilePlayer::scaleViewportExt(double xn, double xd, double yn, double yd) {
    if (xd != 0 && yd != 0)
        setViewportExt(
            QSizeF(dc_.viewportExt.width() * xn / xd, dc_.viewportExt.height() * yn / yd));
}
void MetafilePlayer::setWorldTransform(const QTransform& t) {
    if (finiteTransform(t)) dc_.world = t;
}
void MetafilePlayer::modifyWorldTransform(const QTransform& t, int mode) {
    switch (mode) {
    case 1:
        dc_.world = QTransform();
        break;
    case 2:
        setWorldTransform(t * dc_.world);
        break; // the new transform applies first
    case 3:
        setWorldTransform(dc_.world * t);
        break;
    case 4:
        setWorldTransform(t);
        break;
    default:
        break;
    }
}

QTransform MetafilePlayer::pageToTarget() const {
    const QSizeF we = dc_.windowExt;
    if (setup_.frame == Frame::WindowToTarget) {
        // A WMF is drawn like a picture whose window fills the target rectangle.
        return QTransform::fromTranslate(-dc_.windowOrg.x(), -dc_.windowOrg.y()) *
               QTransform::fromScale(target_.width() / we.width(), target_.height() / we.height()) *
               QTransform::fromTranslate(target_.left(), target_.top());
    }
    const double mx = setup_.devicePerMm.width(), my = setup_.devicePerMm.height();
    double sx = 1, sy = 1;
    switch (dc_.mapMode) {
    case 2:
        sx = 0.1 * mx;
        sy = -0.1 * my;
        break;
    case 3:
        sx = 0.01 * mx;
        sy = -0.01 * my;
        break;
    case 4:
        sx = 0.254 * mx;
        sy = -0.254 * my;
        break;
    case 5:
        sx = 0.0254 * mx;
        sy = -0.0254 * my;
        break;
    case 6:
        sx = 25.4 / 1440 * mx;
        sy = -25.4 / 1440 * my;
        break;
    case 7:
    case 8: {
        sx = dc_.viewportExt.width() / we.width();
        sy = dc_.viewportExt.height() / we.height();
        if (dc_.mapMode == 7) { // isotropic: the smaller scale for both axes, signs kept
            const double s = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(s, sx);
            sy = std::copysign(s, sy);
        }
        break;
    }
    default:
        break;
    }
    const QRectF f = setup_.deviceFrame;
    const QTransform pageToDevice =
        QTransform::fromTranslate(-dc_.windowOrg.x(), -dc_.windowOrg.y()) *
        QTransform::fromScale(sx, sy) *
        QTransform::fromTranslate(dc_.viewportOrg.x(), dc_.viewportOrg.y());
    const QTransform deviceToTarget =
        QTransform::fromTranslate(-f.left(), -f.top()) *
        QTransform::fromScale(target_.width() / f.width(), target_.height() / f.height()) *
        QTransform::fromTranslate(target_.left(), target_.top());
    return pageToDevice * deviceToTarget;
}

bool MetafilePlayer::applyTransform() {
    applyClip();
    const QTransform m = logicalToTarget();
    if (!finiteTransform(m)) return false;
    painter_.setWorldTransform(m * base_);
    return true;
}

void MetafilePlayer::applyClip() {
    if (!clipDirty_) return;
    clipDirty_ = false;
    painter_.setWorldTransform(base_);
    if (dc_.clip && outerClip_)
        painter_.setClipPath(outerClip_->intersected(*dc_.clip));
    else if (dc_.clip)
        painter_.setClipPath(*dc_.clip);
    else if (outerClip_)
        painter_.setClipPath(*outerClip_);
    else
        painter_.setClipping(false);
}

// ---- state and objects -------------------------------------------------------------------

void MetafilePlayer::saveDc() {
    if (saved_.size() < size_t(MaxSaveDepth)) saved_.push_back(dc_);
}

void MetafilePlayer::restoreDc(int which) {
    const qint64 n = qint64(saved_.size());
    qint64 keep;
    if (which < 0)
        keep = n + which;
    else if (which > 0)
        keep = which - 1;
    else
        return;
    if (keep < 0 || keep >= n) return;
    const bool pathOpen = dc_.pathOpen;
    dc_ = saved_[size_t(keep)];
    dc_.pathOpen = pathOpen;
    saved_.resize(size_t(keep));
    clipDirty_ = true;
}

void MetafilePlayer::addObject(const GdiObject& o) {
    // The lowest free slot, found from a hint so a full table is not searched again and again.
    while (firstFree_ < objects_.size() && objects_[firstFree_].kind != GdiObject::Kind::Empty)
        ++firstFree_;
    if (firstFree_ < objects_.size()) {
        objects_[firstFree_++] = o;
    } else if (objects_.size() < size_t(MaxObjects)) {
        objects_.push_back(o);
        firstFree_ = objects_.size();
    }
}

void MetafilePlayer::setObject(quint32 index, const GdiObject& o) {
    if (index >= quint32(MaxObjects)) return;
    if (index >= objects_.size()) objects_.resize(index + 1);
    objects_[index] = o;
}

void MetafilePlayer::selectObject(quint32 index) {
    if (index & 0x80000000u) {
        selectStockObject(index & 0x7FFFFFFFu);
        return;
    }
    if (index >= objects_.size()) return;
    const GdiObject& o = objects_[index];
    switch (o.kind) {
    case GdiObject::Kind::Pen:
        dc_.pen = o.pen;
        dc_.nullPen = (o.pen.style & 0xF) == 5;
        break;
    case GdiObject::Kind::Brush:
        dc_.brush = o.brush;
        break;
    case GdiObject::Kind::Font:
        dc_.font = o.font;
        break;
    default:
        break;
    }
}

void MetafilePlayer::selectStockObject(quint32 stock) {
    static const int greys[] = {255, 192, 128, 64, 0};
    if (stock <= 4) {
        dc_.brush = GdiBrush{0, QColor(greys[stock], greys[stock], greys[stock]), 0, {}};
    } else if (stock == 5) {
        dc_.brush = GdiBrush{1, Qt::white, 0, {}};
    } else if (stock == 6 || stock == 7 || stock == 19) {
        dc_.pen = GdiPen{0, 0, stock == 6 ? Qt::white : Qt::black, {}};
        dc_.nullPen = false;
    } else if (stock == 8) {
        dc_.pen = GdiPen{5, 0, Qt::black, {}};
        dc_.nullPen = true;
    } else if (stock >= 10 && stock <= 17 && stock != 15) {
        dc_.font = GdiFont();
    } else if (stock == 18) {
        dc_.brush = GdiBrush();
    }
}

void MetafilePlayer::deleteObject(quint32 index) {
    if (index < objects_.size()) {
        objects_[index] = GdiObject();
        firstFree_ = std::min(firstFree_, size_t(index));
    }
}

QPen MetafilePlayer::currentPen() const {
    const GdiPen& p = dc_.pen;
    const quint32 style = p.style & 0xF;
    if (dc_.nullPen || style == 5) return Qt::NoPen;
    QPen pen(p.color);
    pen.setWidthF(p.width > 0 ? std::min(p.width, 1e6) : 0.0);
    if (p.width <= 0) pen.setCosmetic(true);
    switch (style) {
    case 1:
        pen.setStyle(Qt::DashLine);
        break;
    case 2:
    case 8:
        pen.setStyle(Qt::DotLine);
        break;
    case 3:
        pen.setStyle(Qt::DashDotLine);
        break;
    case 4:
        pen.setStyle(Qt::DashDotDotLine);
        break;
    case 7: {
        QVector<qreal> d;
        const double unit = p.width > 0 ? p.width : 1.0;
        for (qreal v : p.dashes)
            d.append(std::max(0.01, v / unit));
        if (d.size() % 2) d.append(d.last());
        if (!d.isEmpty()) pen.setDashPattern(d);
        break;
    }
    default:
        break;
    }
    switch (p.style & 0xF00) {
    case 0x100:
        pen.setCapStyle(Qt::SquareCap);
        break;
    case 0x200:
        pen.setCapStyle(Qt::FlatCap);
        break;
    default:
        pen.setCapStyle(Qt::RoundCap);
        break;
    }
    switch (p.style & 0xF000) {
    case 0x1000:
        pen.setJoinStyle(Qt::BevelJoin);
        break;
    case 0x2000:
        pen.setJoinStyle(Qt::MiterJoin);
        pen.setMiterLimit(std::clamp(dc_.miterLimit, 1.0, 100.0));
        break;
    default:
        pen.setJoinStyle(Qt::RoundJoin);
        break;
    }
    return pen;
}

QBrush MetafilePlayer::currentBrush() const {
    const GdiBrush& b = dc_.brush;
    switch (b.style) {
    case 1:
        return Qt::NoBrush;
    case 2: {
        static const Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,
                                                 Qt::FDiagPattern, Qt::BDiagPattern,
                                                 Qt::CrossPattern, Qt::DiagCrossPattern};
        return QBrush(b.color, b.hatch < 6 ? hatches[b.hatch] : Qt::SolidPattern);
    }
    case 3:
    case 5:
    case 6:
        if (!b.pattern.isNull()) return QBrush(b.pattern);
        return QBrush(b.color);
    default:
        return QBrush(b.color);
    }
}

// ---- drawing -------------------------------------------------------------------------------

void MetafilePlayer::output(const QPainterPath& shape, bool fill, bool stroke) {
    addWork(shape.elementCount() + 1);
    if (!canContinue()) return;
    if (dc_.pathOpen) {
        const QTransform m = logicalToTarget();
        if (finiteTransform(m)) path_.addPath(m.map(shape));
        return;
    }
    if (!applyTransform()) return;
    QPainterPath s = shape;
    s.setFillRule(dc_.polyFillMode == 2 ? Qt::WindingFill : Qt::OddEvenFill);
    const QBrush brush = fill ? currentBrush() : QBrush(Qt::NoBrush);
    if (fill && brush.style() >= Qt::HorPattern && brush.style() <= Qt::DiagCrossPattern &&
        dc_.bkMode == 2)
        painter_.fillPath(s, dc_.bkColor); // an opaque hatch shows the background colour
    painter_.setBrush(brush);
    painter_.setPen(stroke ? currentPen() : QPen(Qt::NoPen));
    painter_.drawPath(s);
}

void MetafilePlayer::moveTo(QPointF p) {
    dc_.current = p;
    if (dc_.pathOpen) {
        const QTransform m = logicalToTarget();
        path_.moveTo(m.map(p));
    }
}

void MetafilePlayer::lineTo(QPointF p) {
    polylineTo(QPolygonF{p});
}

void MetafilePlayer::polyline(const QPolygonF& pts) {
    if (pts.size() < 2) return;
    QPainterPath s;
    s.addPolygon(pts);
    output(s, false, true);
}

void MetafilePlayer::polylineTo(const QPolygonF& pts) {
    if (pts.isEmpty()) return;
    if (dc_.pathOpen) {
        const QTransform m = logicalToTarget();
        if (path_.elementCount() == 0) path_.moveTo(m.map(dc_.current));
        for (const QPointF& p : pts)
            path_.lineTo(m.map(p));
        addWork(pts.size());
    } else {
        QPolygonF all;
        all.reserve(pts.size() + 1);
        all << dc_.current << pts;
        polyline(all);
    }
    dc_.current = pts.last();
}

void MetafilePlayer::polygon(const QPolygonF& pts) {
    if (pts.size() < 2) return;
    QPainterPath s;
    s.addPolygon(pts);
    s.closeSubpath();
    output(s, true, true);
}

void MetafilePlayer::polyPolygon(const std::vector<QPolygonF>& polys) {
    QPainterPath s;
    for (const QPolygonF& p : polys) {
        if (p.size() < 2) continue;
        s.addPolygon(p);
        s.closeSubpath();
    }
    output(s, true, true);
}

void MetafilePlayer::polyPolyline(const std::vector<QPolygonF>& polys) {
    QPainterPath s;
    for (const QPolygonF& p : polys)
        if (p.size() >= 2) s.addPolygon(p);
    output(s, false, true);
}

void MetafilePlayer::polyBezier(const QPolygonF& pts) {
    if (pts.size() < 4) return;
    QPainterPath s(pts[0]);
    for (qsizetype i = 1; i + 2 < pts.size(); i += 3)
        s.cubicTo(pts[i], pts[i + 1], pts[i + 2]);
    output(s, false, true);
}

void MetafilePlayer::polyBezierTo(const QPolygonF& pts) {
    if (pts.size() < 3) return;
    if (dc_.pathOpen) {
        const QTransform m = logicalToTarget();
        if (path_.elementCount() == 0) path_.moveTo(m.map(dc_.current));
        for (qsizetype i = 0; i + 2 < pts.size(); i += 3)
            path_.cubicTo(m.map(pts[i]), m.map(pts[i + 1]), m.map(pts[i + 2]));
        addWork(pts.size());
    } else {
        QPolygonF all;
        all << dc_.current << pts;
        polyBezier(all);
    }
    dc_.current = pts[(pts.size() / 3) * 3 - 1];
}

QRectF MetafilePlayer::normalized(const QRectF& r) {
    return r.normalized();
}

void MetafilePlayer::rectangle(const QRectF& r) {
    output(rectPath(normalized(r)), true, true);
}

void MetafilePlayer::roundRect(const QRectF& r, QSizeF corner) {
    QPainterPath s;
    s.addRoundedRect(normalized(r), std::abs(corner.width()) / 2, std::abs(corner.height()) / 2);
    output(s, true, true);
}

void MetafilePlayer::ellipse(const QRectF& r) {
    QPainterPath s;
    s.addEllipse(normalized(r));
    output(s, true, true);
}

QPainterPath MetafilePlayer::arcPath(const QRectF& box, QPointF start, QPointF end,
                                     ArcKind kind) const {
    const QRectF r = normalized(box);
    QPainterPath s;
    if (r.width() <= 0 || r.height() <= 0) return s;
    const QPointF c = r.center();
    const QSizeF radii(r.width() / 2, r.height() / 2);
    const double a0 = angleOf(c, radii, start), a1 = angleOf(c, radii, end);
    double sweep = a1 - a0;
    // Counter-clockwise as seen on the device; a mirrored mapping turns that around.
    const bool flipped = logicalToTarget().determinant() < 0;
    const bool ccw = dc_.arcClockwise == flipped;
    if (ccw) {
        while (sweep <= 0)
            sweep += 360;
    } else {
        while (sweep >= 0)
            sweep -= 360;
    }
    switch (kind) {
    case ArcKind::Pie:
        s.moveTo(c);
        s.arcTo(r, a0, sweep);
        s.closeSubpath();
        break;
    case ArcKind::Chord:
        s.arcMoveTo(r, a0);
        s.arcTo(r, a0, sweep);
        s.closeSubpath();
        break;
    case ArcKind::ArcTo:
        s.moveTo(dc_.current);
        s.arcTo(r, a0, sweep);
        break;
    case ArcKind::Arc:
        s.arcMoveTo(r, a0);
        s.arcTo(r, a0, sweep);
        break;
    }
    return s;
}

void MetafilePlayer::arc(const QRectF& box, QPointF start, QPointF end, ArcKind kind) {
    const QPainterPath s = arcPath(box, start, end, kind);
    if (s.isEmpty()) return;
    const bool closed = kind == ArcKind::Pie || kind == ArcKind::Chord;
    output(s, closed, true);
    if (kind == ArcKind::ArcTo) dc_.current = s.currentPosition();
}

void MetafilePlayer::angleArc(QPointF center, double radius, double startDeg, double sweepDeg) {
    if (!std::isfinite(startDeg) || !std::isfinite(sweepDeg) || radius <= 0) return;
    sweepDeg = std::clamp(sweepDeg, -3600.0, 3600.0);
    const QRectF r(center.x() - radius, center.y() - radius, 2 * radius, 2 * radius);
    QPainterPath s(dc_.current);
    s.arcTo(r, startDeg, sweepDeg);
    output(s, false, true);
    dc_.current = s.currentPosition();
}

void MetafilePlayer::setPixel(QPointF p, QColor c) {
    fillRect(QRectF(p, QSizeF(1, 1)), QBrush(c));
}

void MetafilePlayer::fillRect(const QRectF& r, const QBrush& brush) {
    addWork(4);
    if (dc_.pathOpen || !canContinue() || !applyTransform()) return;
    painter_.fillRect(normalized(r), brush);
}

void MetafilePlayer::patBlt(const QRectF& r, quint32 rop) {
    switch (rop) {
    case 0x00F00021:
        fillRect(r, currentBrush());
        break; // PATCOPY
    case 0x00000042:
        fillRect(r, Qt::black);
        break; // BLACKNESS
    case 0x00FF0062:
        fillRect(r, Qt::white);
        break; // WHITENESS
    default:
        break; // raster operations that need the destination are left out
    }
}
