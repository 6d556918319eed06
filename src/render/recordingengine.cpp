#include "render/recordingengine.h"
#include "render/rnd.h"

#include <cmath>
#include <QPainter>
#include <QTextItem>

namespace {
QPoint roundPoint(const QPointF& p) {
    return QPoint(rnd(p.x()), rnd(p.y()));
}

QString styleName(const QFont& font) {
    QStringList parts;
    if (font.bold()) parts << QStringLiteral("bold");
    if (font.italic()) parts << QStringLiteral("italic");
    if (font.underline()) parts << QStringLiteral("underline");
    return parts.isEmpty() ? QStringLiteral("regular") : parts.join(QLatin1Char('+'));
}
} // namespace

RecordingEngine::RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

bool RecordingEngine::begin(QPaintDevice*) {
    data_ = std::make_shared<Recording::Data>();
    current_ = Recording::State{};
    stateChanged_ = true;
    pictureDepth_ = 0;
    return true;
}

bool RecordingEngine::end() {
    return true;
}

void RecordingEngine::updateState(const QPaintEngineState& st) {
    const DirtyFlags f = st.state();
    if (f & DirtyTransform) current_.transform = st.transform();
    if (f & DirtyPen) current_.pen = st.pen();
    if (f & DirtyBrush) current_.brush = st.brush();
    if (f & DirtyBrushOrigin) current_.brushOrigin = st.brushOrigin();
    if (f & DirtyBackground) current_.background = st.backgroundBrush();
    if (f & DirtyBackgroundMode) current_.backgroundMode = st.backgroundMode();
    if (f & DirtyFont) {
        // The painter draws underline, overline and strike-out itself, as lines recorded
        // after the text at the font's own position and thickness; a replayed font that
        // kept them would draw them a second time, sized for the oversampled font.
        current_.font = st.font();
        current_.font.setUnderline(false);
        current_.font.setOverline(false);
        current_.font.setStrikeOut(false);
    }
    if (f & DirtyHints) current_.hints = st.renderHints();
    if (f & DirtyCompositionMode) current_.composition = st.compositionMode();
    if (f & DirtyOpacity) current_.opacity = st.opacity();
    if (f & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled)) {
        QPainter* p = painter();
        if (!p || !p->hasClipping()) {
            current_.clip = -1;
        } else {
            // Kept in device units so the replay does not depend on later transforms.
            Recording::Clip clip;
            clip.path = p->combinedTransform().map(p->clipPath());
            const QRectF box = clip.path.boundingRect();
            QPainterPath boxPath;
            boxPath.addRect(box);
            clip.isRect = clip.path == boxPath;
            clip.rect = box;
            data_->clips.push_back(clip);
            current_.clip = int(data_->clips.size()) - 1;
        }
    }
    stateChanged_ = true;
}

Recording::Call& RecordingEngine::add(Recording::Op op) {
    if (stateChanged_ || data_->states.empty()) {
        data_->states.push_back(current_);
        stateChanged_ = false;
    }
    Recording::Call call;
    call.op = op;
    call.state = int(data_->states.size()) - 1;
    data_->ops.push_back(std::move(call));
    return data_->ops.back();
}

QRect RecordingEngine::deviceRect(const QRectF& r) const {
    const QRectF m = current_.transform.mapRect(r);
    const int l = rnd(m.left()), t = rnd(m.top());
    return QRect(l, t, rnd(m.right()) - l, rnd(m.bottom()) - t);
}

void RecordingEngine::drawRects(const QRectF* rects, int rectCount) {
    Recording::Call& call = add(Recording::Op::Rects);
    for (int i = 0; i < rectCount; ++i)
        call.rects.append(rects[i]);
    if (!listing()) return;
    for (int i = 0; i < rectCount; ++i) {
        if (current_.brush.style() != Qt::NoBrush) {
            Recording::Element e;
            e.type = Recording::Element::Type::Fill;
            e.rect = deviceRect(rects[i]);
            e.colour = current_.brush.color();
            data_->elements.append(e);
        }
        if (current_.pen.style() != Qt::NoPen) {
            Recording::Element e;
            e.type = Recording::Element::Type::Polyline;
            const QPolygonF outline = current_.transform.map(QPolygonF(rects[i]));
            for (const QPointF& p : outline)
                e.points.append(roundPoint(p));
            e.colour = current_.pen.color();
            data_->elements.append(e);
        }
    }
}

void RecordingEngine::drawLines(const QLineF* lines, int lineCount) {
    Recording::Call& call = add(Recording::Op::Lines);
    for (int i = 0; i < lineCount; ++i)
        call.lines.append(lines[i]);
    if (!listing() || current_.pen.style() == Qt::NoPen) return;
    for (int i = 0; i < lineCount; ++i) {
        Recording::Element e;
        e.type = Recording::Element::Type::Line;
        const QLineF m = current_.transform.map(lines[i]);
        e.line = QLine(roundPoint(m.p1()), roundPoint(m.p2()));
        e.colour = current_.pen.color();
        data_->elements.append(e);
    }
}

void RecordingEngine::drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) {
    Recording::Call& call = add(Recording::Op::Polygon);
    call.mode = mode;
    call.points = QPolygonF(QList<QPointF>(points, points + pointCount));
    if (!listing() || mode != PolylineMode || current_.pen.style() == Qt::NoPen) return;
    Recording::Element e;
    e.type = Recording::Element::Type::Polyline;
    for (const QPointF& p : current_.transform.map(call.points))
        e.points.append(roundPoint(p));
    e.colour = current_.pen.color();
    data_->elements.append(e);
}

void RecordingEngine::drawPath(const QPainterPath& path) {
    add(Recording::Op::Path).path = path;
}

void RecordingEngine::drawEllipse(const QRectF& rect) {
    add(Recording::Op::Ellipse).rect = rect;
}

void RecordingEngine::drawPoints(const QPointF* points, int pointCount) {
    add(Recording::Op::Points).points = QPolygonF(QList<QPointF>(points, points + pointCount));
}

void RecordingEngine::listImage(const QRectF& r) {
    if (!listing()) return;
    Recording::Element e;
    e.type = Recording::Element::Type::Image;
    e.rect = deviceRect(r);
    data_->elements.append(e);
}

void RecordingEngine::drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) {
    Recording::Call& call = add(Recording::Op::Pixmap);
    call.rect = r;
    call.pixmap = pm;
    call.source = sr;
    listImage(r);
}

void RecordingEngine::drawTiledPixmap(const QRectF& r, const QPixmap& pixmap, const QPointF& s) {
    Recording::Call& call = add(Recording::Op::TiledPixmap);
    call.rect = r;
    call.pixmap = pixmap;
    call.pos = s;
}

void RecordingEngine::drawImage(const QRectF& r, const QImage& image, const QRectF& sr,
                                Qt::ImageConversionFlags) {
    Recording::Call& call = add(Recording::Op::Image);
    call.rect = r;
    call.image = image;
    call.source = sr;
    listImage(r);
}

void RecordingEngine::drawTextItem(const QPointF& p, const QTextItem& textItem) {
    Recording::Call& call = add(Recording::Op::Text);
    call.pos = p;
    call.text = textItem.text();
    if (!listing() || call.text.trimmed().isEmpty()) return;
    const QFont font = textItem.font();
    const QFontMetricsF fm(font);
    const QTransform& t = current_.transform;
    Recording::Element e;
    e.type = Recording::Element::Type::Text;
    // Windows places text by the top-left corner of its character cell.
    e.pos = roundPoint(t.map(QPointF(p.x(), p.y() - fm.ascent())));
    const double degrees = std::atan2(-t.m12(), t.m11()) * 180.0 / M_PI;
    e.angle = (rnd(degrees * 10) % 3600 + 3600) % 3600;
    const double scale = std::sqrt(std::abs(t.determinant()));
    e.cell = rnd((fm.ascent() + fm.descent()) * scale);
    e.family = font.family();
    e.style = styleName(font);
    e.text = call.text;
    e.colour = current_.pen.color();
    data_->elements.append(e);
}

void RecordingEngine::beginPicture(const QRect& deviceRect, Picture::Kind kind) {
    if (!data_) return;
    Recording::Call& call = add(Recording::Op::PictureBegin);
    call.rect = deviceRect;
    call.kind = kind;
    if (listing()) {
        Recording::Element e;
        e.type = Recording::Element::Type::Image;
        e.rect = deviceRect;
        e.kind = kind;
        data_->elements.append(e);
    }
    ++pictureDepth_;
}

void RecordingEngine::endPicture() {
    if (!data_ || pictureDepth_ == 0) return;
    add(Recording::Op::PictureEnd);
    --pictureDepth_;
}
