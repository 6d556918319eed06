#include "render/recording.h"
#include "render/recordingdevice.h"
#include "render/rnd.h"

#include <cmath>

namespace {
QString hex(const QColor& c) {
    return QStringLiteral("#%1%2%3")
        .arg(c.red(), 2, 16, QLatin1Char('0'))
        .arg(c.green(), 2, 16, QLatin1Char('0'))
        .arg(c.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString quoted(const QString& s) {
    QString out = s;
    out.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    out.replace(QLatin1Char('"'), QLatin1String("\\\""));
    out.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    out.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    out.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

// The dump's style word: b, i, u for bold, italic, underline, "-" for none.
QString styleWord(const QString& style) {
    QString word;
    if (style.contains(QLatin1String("bold"))) word += u'b';
    if (style.contains(QLatin1String("italic"))) word += u'i';
    if (style.contains(QLatin1String("underline"))) word += u'u';
    return word.isEmpty() ? QStringLiteral("-") : word;
}

void applyState(QPainter& p, const Recording::State& s, const QTransform& base,
                QPainter::RenderHints baseHints) {
    const QTransform t = s.transform * base;
    p.setTransform(t);
    // As on the original's screen, a pen thinner than a pixel still draws a full pixel.
    if (s.pen.style() != Qt::NoPen && !s.pen.isCosmetic() &&
        s.pen.widthF() * std::sqrt(std::abs(t.determinant())) < 1.0) {
        QPen pen = s.pen;
        pen.setCosmetic(true);
        pen.setWidthF(1.0);
        p.setPen(pen);
    } else {
        p.setPen(s.pen);
    }
    p.setBrush(s.brush);
    p.setFont(s.font);
    p.setBrushOrigin(s.brushOrigin);
    p.setBackground(s.background);
    p.setBackgroundMode(s.backgroundMode);
    // The caller's hints (smooth scaling in the preview) add to the recorded ones.
    const QPainter::RenderHints hints = s.hints | baseHints;
    p.setRenderHints(~hints & (QPainter::Antialiasing | QPainter::TextAntialiasing |
                               QPainter::SmoothPixmapTransform),
                     false);
    p.setRenderHints(hints, true);
    p.setCompositionMode(s.composition);
    p.setOpacity(s.opacity);
}
} // namespace

QString PictureKindName(Picture::Kind kind) {
    switch (kind) {
    case Picture::Kind::Bitmap:
        return QStringLiteral("Bitmap");
    case Picture::Kind::Jpeg:
        return QStringLiteral("Jpeg");
    case Picture::Kind::Icon:
        return QStringLiteral("Icon");
    case Picture::Kind::Metafile:
        return QStringLiteral("Metafile");
    case Picture::Kind::Png:
        return QStringLiteral("Png");
    case Picture::Kind::Gif:
        return QStringLiteral("Gif");
    case Picture::Kind::Tiff:
        return QStringLiteral("Tiff");
    case Picture::Kind::WebP:
        return QStringLiteral("WebP");
    case Picture::Kind::Svg:
        return QStringLiteral("Svg");
    case Picture::Kind::None:
        break;
    }
    return QStringLiteral("Image");
}

const QList<Recording::Element>& Recording::elements() const {
    static const QList<Element> none;
    return d_ ? d_->elements : none;
}

QList<Recording::Element> Recording::elements(Element::Type type) const {
    QList<Element> out;
    for (const Element& e : elements())
        if (e.type == type) out.append(e);
    return out;
}

QRect Recording::boundingRect() const {
    QRect box;
    for (const Element& e : elements()) {
        switch (e.type) {
        case Element::Type::Fill:
        case Element::Type::Image:
            box |= e.rect;
            break;
        case Element::Type::Line:
            box |= QRect(e.line.p1(), e.line.p2()).normalized();
            break;
        case Element::Type::Polyline:
            box |= e.points.boundingRect();
            break;
        case Element::Type::Text:
            box |= QRect(e.pos, QSize(1, 1));
            break;
        }
    }
    return box;
}

QString Recording::dump() const {
    QString out;
    for (const Element& e : elements()) {
        switch (e.type) {
        case Element::Type::Fill:
            out += QStringLiteral("fill %1 %2 %3 %4 %5\n")
                       .arg(e.rect.left())
                       .arg(e.rect.top())
                       .arg(e.rect.left() + e.rect.width())
                       .arg(e.rect.top() + e.rect.height())
                       .arg(hex(e.colour));
            break;
        case Element::Type::Line:
            out += QStringLiteral("line %1 %2 %3 %4 %5\n")
                       .arg(e.line.x1())
                       .arg(e.line.y1())
                       .arg(e.line.x2())
                       .arg(e.line.y2())
                       .arg(hex(e.colour));
            break;
        case Element::Type::Polyline: {
            out += QStringLiteral("polyline ") + hex(e.colour);
            for (const QPoint& p : e.points)
                out += QStringLiteral(" %1,%2").arg(p.x()).arg(p.y());
            out += QLatin1Char('\n');
            break;
        }
        case Element::Type::Text:
            out += QStringLiteral("text %1 %2 %3 %4 %5 %6 %7 %8\n")
                       .arg(e.pos.x())
                       .arg(e.pos.y())
                       .arg(e.angle)
                       .arg(e.cell)
                       .arg(hex(e.colour), quoted(e.family), styleWord(e.style), quoted(e.text));
            break;
        case Element::Type::Image:
            out += QStringLiteral("image %1 %2 %3 %4 %5\n")
                       .arg(e.rect.left())
                       .arg(e.rect.top())
                       .arg(e.rect.left() + e.rect.width())
                       .arg(e.rect.top() + e.rect.height())
                       .arg(PictureKindName(e.kind));
            break;
        }
    }
    return out;
}

void Recording::play(QPainter& p) const {
    if (!d_) return;
    const QTransform base = p.transform();
    const bool baseClip = p.hasClipping();
    const QPainter::RenderHints baseHints = p.renderHints();
    p.save();
    int currentState = -1;
    int currentClip = -1;
    for (const Call& call : d_->ops) {
        if (call.state != currentState) {
            const State& s = d_->states[size_t(call.state)];
            if (s.clip != currentClip) {
                // Back to the caller's own clip, then narrow it to the recorded one.
                p.restore();
                p.save();
                if (s.clip >= 0) {
                    const Clip& c = d_->clips[size_t(s.clip)];
                    p.setTransform(base);
                    const Qt::ClipOperation op = baseClip ? Qt::IntersectClip : Qt::ReplaceClip;
                    if (c.isRect)
                        p.setClipRect(c.rect, op);
                    else
                        p.setClipPath(c.path, op);
                }
                currentClip = s.clip;
            }
            applyState(p, s, base, baseHints);
            currentState = call.state;
        }
        switch (call.op) {
        case Op::Rects:
            p.drawRects(call.rects.constData(), int(call.rects.size()));
            break;
        case Op::Lines:
            p.drawLines(call.lines.constData(), int(call.lines.size()));
            break;
        case Op::Polygon:
            switch (call.mode) {
            case QPaintEngine::PolylineMode:
                p.drawPolyline(call.points);
                break;
            case QPaintEngine::WindingMode:
                p.drawPolygon(call.points, Qt::WindingFill);
                break;
            case QPaintEngine::ConvexMode:
                p.drawConvexPolygon(call.points);
                break;
            default:
                p.drawPolygon(call.points, Qt::OddEvenFill);
                break;
            }
            break;
        case Op::Path:
            p.drawPath(call.path);
            break;
        case Op::Ellipse:
            p.drawEllipse(call.rect);
            break;
        case Op::Points:
            p.drawPoints(call.points);
            break;
        case Op::Image:
            p.drawImage(call.rect, call.image, call.source);
            break;
        case Op::Pixmap:
            p.drawPixmap(call.rect, call.pixmap, call.source);
            break;
        case Op::TiledPixmap:
            p.drawTiledPixmap(call.rect, call.pixmap, call.pos);
            break;
        case Op::Text:
            p.drawText(call.pos, call.text);
            break;
        case Op::PictureBegin: {
            const QRect target = base.mapRect(call.rect).toRect();
            RecordingDevice::beginPicture(p, target, call.kind, /*deviceRect=*/true);
            break;
        }
        case Op::PictureEnd:
            RecordingDevice::endPicture(p);
            break;
        }
    }
    p.restore();
}
