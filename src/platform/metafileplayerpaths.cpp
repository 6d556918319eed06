#include "platform/metafileplayer.h"

#include <QPainter>

// Paths and clipping of the metafile player (the path is kept in target space, as GDI keeps
// it in device space).

namespace {
QPainterPath rectPath(const QRectF& r) {
    QPainterPath p;
    p.addRect(r);
    return p;
}
} // namespace

void MetafilePlayer::beginPath() {
    path_ = QPainterPath();
    dc_.pathOpen = true;
}

void MetafilePlayer::abortPath() {
    path_ = QPainterPath();
    dc_.pathOpen = false;
}

void MetafilePlayer::closeFigure() {
    if (dc_.pathOpen) path_.closeSubpath();
}

void MetafilePlayer::fillPath() {
    const QTransform m = logicalToTarget();
    if (m.isInvertible()) output(m.inverted().map(path_), true, false);
    path_ = QPainterPath();
}

void MetafilePlayer::strokePath() {
    const QTransform m = logicalToTarget();
    if (m.isInvertible()) output(m.inverted().map(path_), false, true);
    path_ = QPainterPath();
}

void MetafilePlayer::strokeAndFillPath() {
    const QTransform m = logicalToTarget();
    if (m.isInvertible()) output(m.inverted().map(path_), true, true);
    path_ = QPainterPath();
}

void MetafilePlayer::setClip(std::optional<QPainterPath> clip) {
    dc_.clip = std::move(clip);
    clipDirty_ = true;
    // Boolean path operations grow faster than the path; charge them so, a file of many
    // clip records runs out of budget instead of running for hours.
    const qint64 e = dc_.clip ? dc_.clip->elementCount() : 0;
    addWork(1 + 4 * e + e * e / 256);
}

namespace {
QPainterPath combine(const std::optional<QPainterPath>& current, const QPainterPath& shape,
                     int mode, const QRectF& universe) {
    const QPainterPath cur = current ? *current : rectPath(universe);
    switch (mode) {
    case 1:
        return cur.intersected(shape);
    case 2:
        return cur.united(shape);
    case 3:
        return cur.united(shape).subtracted(cur.intersected(shape));
    case 4:
        return cur.subtracted(shape);
    default:
        return shape;
    }
}
} // namespace

void MetafilePlayer::selectClipPath(int mode) {
    const QRectF universe = target_.adjusted(-10 * target_.width(), -10 * target_.height(),
                                             10 * target_.width(), 10 * target_.height());
    QPainterPath p = path_;
    p.setFillRule(dc_.polyFillMode == 2 ? Qt::WindingFill : Qt::OddEvenFill);
    setClip(combine(dc_.clip, p, mode, universe));
    path_ = QPainterPath();
    dc_.pathOpen = false;
}

void MetafilePlayer::intersectClipRect(const QRectF& r) {
    const QPainterPath shape = logicalToTarget().map(rectPath(normalized(r)));
    setClip(dc_.clip ? dc_.clip->intersected(shape) : shape);
}

void MetafilePlayer::excludeClipRect(const QRectF& r) {
    const QRectF universe = target_.adjusted(-10 * target_.width(), -10 * target_.height(),
                                             10 * target_.width(), 10 * target_.height());
    const QPainterPath shape = logicalToTarget().map(rectPath(normalized(r)));
    setClip(combine(dc_.clip, shape, 4, universe));
}

void MetafilePlayer::offsetClip(QPointF d) {
    if (!dc_.clip) return;
    const QTransform m = logicalToTarget();
    const QPointF t = m.map(d) - m.map(QPointF(0, 0));
    setClip(dc_.clip->translated(t));
}

void MetafilePlayer::selectClipRegion(const std::vector<QRectF>& deviceRects, int mode) {
    if (deviceRects.empty()) {
        if (mode == 5) resetClip();
        return;
    }
    const QRectF f = setup_.deviceFrame;
    if (f.width() == 0 || f.height() == 0) return;
    const QTransform deviceToTarget =
        QTransform::fromTranslate(-f.left(), -f.top()) *
        QTransform::fromScale(target_.width() / f.width(), target_.height() / f.height()) *
        QTransform::fromTranslate(target_.left(), target_.top());
    QPainterPath region;
    for (const QRectF& r : deviceRects)
        region.addRect(r);
    region = deviceToTarget.map(region.simplified());
    const QRectF universe = target_.adjusted(-10 * target_.width(), -10 * target_.height(),
                                             10 * target_.width(), 10 * target_.height());
    setClip(combine(dc_.clip, region, mode, universe));
}

void MetafilePlayer::resetClip() {
    setClip(std::nullopt);
}
