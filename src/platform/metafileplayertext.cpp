#include "platform/metafileplayer.h"

#include <cmath>
#include <QFontMetricsF>
#include <QPainter>

// Text and bitmap output of the metafile player.

namespace {
constexpr double RefPixels = 256; // fonts are laid out at this size and scaled, so no rounding

QFont fontFor(const GdiFont& f) {
    QFont font(f.face.isEmpty() ? QStringLiteral("Arial") : f.face);
    font.setPixelSize(int(RefPixels));
    font.setWeight(QFont::Weight(std::clamp(f.weight > 0 ? f.weight : 400, 1, 1000)));
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeOut);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}
} // namespace

void MetafilePlayer::textOut(QPointF p, const QString& text, const QVector<double>& dx,
                             quint32 options, const QRectF& rect, bool useCurrentPosition) {
    addWork(16 * text.size() + 4); // each glyph is far dearer than a point
    if (dc_.pathOpen || !canContinue()) return;
    const QTransform m = logicalToTarget();
    if (!applyTransform()) return;
    const bool updateCp = (dc_.textAlign & 1) && useCurrentPosition;
    const QPointF ref = updateCp ? dc_.current : p;
    const QRectF box = rect.normalized();
    if ((options & 0x2) && !box.isEmpty()) // ETO_OPAQUE
        painter_.fillRect(box, dc_.bkColor);
    if (text.isEmpty()) return;

    const double sx = std::hypot(m.m11(), m.m12()), sy = std::hypot(m.m21(), m.m22());
    if (sx <= 0 || sy <= 0) return;
    const QFont font = fontFor(dc_.font);
    const QFontMetricsF fm(font);
    const double cellRef = fm.ascent() + fm.descent();
    double em; // in target units
    if (dc_.font.height < 0)
        em = -dc_.font.height * sy;
    else if (dc_.font.height > 0)
        em = dc_.font.height * sy * RefPixels / cellRef;
    else
        em = 12 * sy;
    const double k = em / RefPixels;
    if (!std::isfinite(k) || k <= 0 || k > 1e6) return;
    double stretch = 1;
    if (dc_.font.width > 0 && fm.averageCharWidth() > 0)
        stretch = std::clamp(dc_.font.width * sx / (fm.averageCharWidth() * k), 0.05, 20.0);

    // Upright text turned by the escapement (counter-clockwise) and any world rotation.
    const double mapAngle = std::atan2(m.m12(), m.m11()) * 180.0 / M_PI;
    const double angle = mapAngle - dc_.font.escapement / 10.0;
    const QTransform textToTarget = QTransform::fromScale(k * stretch, k) *
                                    QTransform().rotate(angle) *
                                    QTransform::fromTranslate(m.map(ref).x(), m.map(ref).y());
    const double toText = sx / (k * stretch); // logical length along the baseline -> text units

    const bool haveDx = dx.size() >= text.size();
    double total = 0;
    if (haveDx) {
        for (qsizetype i = 0; i < text.size(); ++i)
            total += dx[i];
        total *= toText;
    } else {
        total = fm.horizontalAdvance(text);
    }
    double x0 = 0;
    switch (dc_.textAlign & 6) {
    case 2:
        x0 = -total;
        break;
    case 6:
        x0 = -total / 2;
        break;
    default:
        break;
    }
    double baseline = fm.ascent();
    switch (dc_.textAlign & 24) {
    case 24:
        baseline = 0;
        break;
    case 8:
        baseline = -fm.descent();
        break;
    default:
        break;
    }

    painter_.save();
    if (options & 0x4) { // ETO_CLIPPED
        painter_.setClipRect(box, Qt::IntersectClip);
    }
    painter_.setWorldTransform(textToTarget * base_);
    if (dc_.bkMode == 2 && !(options & 0x2))
        painter_.fillRect(QRectF(x0, baseline - fm.ascent(), total, cellRef), dc_.bkColor);
    painter_.setFont(font);
    painter_.setPen(dc_.textColor);
    if (haveDx) {
        double x = x0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
            painter_.drawText(QPointF(x, baseline), text.mid(i, pair ? 2 : 1));
            x += dx[i] * toText;
            if (pair) {
                ++i;
                x += dx[i] * toText;
            }
        }
    } else {
        painter_.drawText(QPointF(x0, baseline), text);
    }
    painter_.restore();
    clipDirty_ = true; // a restore may have dropped the clip on a recording device
    painter_.setRenderHint(QPainter::Antialiasing, true);

    if (updateCp) {
        const double advance = total / toText;
        if ((dc_.textAlign & 6) == 0)
            dc_.current = ref + QPointF(advance, 0);
        else if ((dc_.textAlign & 6) == 2)
            dc_.current = ref - QPointF(advance, 0);
    }
}

void MetafilePlayer::drawImage(const QRectF& dest, const QImage& image, const QRectF& source,
                               quint32 rop) {
    if (image.isNull() || dc_.pathOpen) return;
    addWork(qint64(image.width()) * image.height() / 16 + 4);
    if (!canContinue()) return;
    switch (rop) {
    case 0x008800C6: // SRCAND, SRCINVERT, DSTINVERT and no-op need the destination's pixels;
    case 0x00660046: // they are mask tricks we leave out rather than paint garbage
    case 0x00550009:
    case 0x00AA0029:
        return;
    default:
        break;
    }
    if (!applyTransform()) return;
    QImage img = image;
    if (rop == 0x00330008) // NOTSRCCOPY
        img.invertPixels();
    QRectF src = source.isEmpty() ? QRectF(img.rect()) : source;
    if (dest.width() < 0 || dest.height() < 0) {
        img = img.mirrored(dest.width() < 0, dest.height() < 0);
        if (dest.width() < 0) src.moveLeft(img.width() - src.right());
        if (dest.height() < 0) src.moveTop(img.height() - src.bottom());
    }
    painter_.drawImage(dest.normalized(), img, src);
}
