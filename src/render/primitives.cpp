#include "render/primitives.h"
#include "platform/colors.h"
#include "render/canvas.h"
#include "render/recordingdevice.h"
#include "render/rnd.h"

#include <climits>
#include <cmath>
#include <QPainter>

QRect BandAllowance(int x, int y, double scaleX, double scaleY, int w, int h,
                    const TFormatUeberschrift& kopf, const TFormatUeberschrift& fuss) {
    const int left = rnd(x * scaleX);
    int top = rnd(y * scaleY);
    const int width = rnd(w * scaleX);
    int height = rnd(h * scaleY);
    const int hb = rnd((kopf.Groesse + 4) * scaleY);
    const int fb = rnd((fuss.Groesse + 4) * scaleY);
    if (kopf.Sichtbar == 1) {
        height -= hb;
        top = rnd(y * scaleY + hb);
    }
    if (fuss.Sichtbar == 1) height -= fb;
    return QRect(left, top, width, height);
}

void DrawHeaderBand(QPainter& canvas, int x, int y, double scaleX, double scaleY,
                    const QString& text, const TFormatUeberschrift& format, int w, FitKind kind) {
    ResetCanvas(canvas);
    if (format.Sichtbar != 1) return;
    const int left = rnd(x * scaleX);
    const int top = rnd(y * scaleY);
    const int width = rnd(w * scaleX);
    const int band = rnd((format.Groesse + 4) * scaleY);
    canvas.fillRect(QRect(left, top, width, band), colorFromRef(format.HgFarbe));

    const CanvasFont font(format.Schriftart, rnd((format.Groesse + 2) * scaleY),
                          FontStyleFromFlags(format.Fett, format.Kursiv, format.Unterstrichen));
    const int textLeft = rnd((x + 1) * scaleX);
    const int textTop = rnd((y + 1) * scaleY);
    const int right = textLeft + width - rnd(2 * scaleX);
    const int bottom = textTop + band - rnd(2 * scaleY);
    if (DrawSingleLine(canvas, QRect(textLeft, textTop, right - textLeft, bottom - textTop), text,
                       font, colorFromRef(format.Schriftfarbe), format.Ausrichtung))
        FitCollector::report({kind, -1, QPoint(left + width - band / 2, top + band / 2)});
}

namespace {
// How far the rotated cell is moved into the strip, by letter height in mm.
int spineInset(int letterHeight) {
    if (letterHeight == 2 || letterHeight == 3) return 2;
    if (letterHeight == 4 || letterHeight == 5) return 1;
    return 0;
}

CanvasFont marginFont(const TFormatRandtext& format, int cellHeight) {
    return CanvasFont(format.Schriftart, cellHeight,
                      FontStyleFromFlags(format.Fett, format.Kursiv, 0));
}
} // namespace

void DrawSpineTexts(QPainter& canvas, int x, int y, double scaleX, double scaleY,
                    const QString& text, const TFormatRandtext& format) {
    ResetCanvas(canvas);
    const int s6 = rnd(6 * scaleX);
    const int h117 = rnd(117 * scaleY);
    const int left = rnd(x * scaleX);
    const int top = rnd(y * scaleY);
    const QColor background = colorFromRef(format.HgFarbe);
    const QColor colour = colorFromRef(format.Schriftfarbe);
    const int letter = format.Groesse + 2;
    const CanvasFont font = marginFont(format, rnd(letter * scaleY));
    const double limit = rnd(h117 - 2 * scaleY);

    // Left spine, reading upwards.
    canvas.fillRect(QRect(left, top, s6, h117), background);
    const int k = spineInset(letter);
    QString shown = ShortenToWidth(text, font, limit);
    if (shown.size() < text.size())
        FitCollector::report({FitKind::Margin, -1, QPoint(left + s6 / 2, top + s6 / 2)});
    int tw = rnd(font.width(shown) / scaleX * scaleY);
    int start;
    switch (format.Ausrichtung) {
    case 0:
        start = top + h117 - rnd(scaleY);
        break;
    case 1:
        start = top + tw + rnd(scaleY);
        break;
    case 2:
        start = top + h117 - rnd((h117 - tw) / 2.0);
        break;
    default:
        start = INT_MIN; // no text for an unknown alignment
    }
    if (start != INT_MIN)
        DrawTextAt(canvas, left + rnd(k * scaleX), start, 900, shown, font, colour);

    // Right spine, reading downwards.
    const int rightStrip = rnd((x + 144) * scaleX);
    canvas.fillRect(QRect(rightStrip, top, s6, h117), background);
    shown = ShortenToWidth(text, font, limit);
    tw = rnd(font.width(shown) / scaleX * scaleY);
    switch (format.Ausrichtung) {
    case 0:
        start = top + rnd(scaleY);
        break;
    case 1:
        start = top + h117 - tw - rnd(scaleY);
        break;
    case 2:
        start = top + rnd((h117 - tw) / 2.0);
        break;
    default:
        return;
    }
    DrawTextAt(canvas, rightStrip + s6 - rnd(k * scaleX), start, 2700, shown, font, colour);
}

void DrawMaxiMarginText(QPainter& canvas, int x, int y, double scaleX, double scaleY,
                        const QString& text, const TFormatRandtext& format) {
    ResetCanvas(canvas);
    const int s3 = rnd(3 * scaleX);
    const int h116 = rnd(116 * scaleY);
    const int left = rnd((x + 16) * scaleX);
    const int top = rnd((y + 2) * scaleY);
    canvas.fillRect(QRect(left, top, s3, h116), colorFromRef(format.HgFarbe));
    const CanvasFont font = marginFont(format, rnd(3 * scaleY));
    const QString shown = ShortenToWidth(text, font, rnd(h116 - 2 * scaleY));
    if (shown.size() < text.size())
        FitCollector::report({FitKind::Margin, -1, QPoint(left + s3 / 2, top + h116 - s3)});
    const int tw = rnd(font.width(shown) / scaleX * scaleY);
    int start;
    switch (format.Ausrichtung) {
    case 0:
        start = top + rnd(scaleY);
        break;
    case 1:
        start = top + h116 - tw - rnd(scaleY);
        break;
    case 2:
        start = top + rnd((h116 - tw) / 2.0);
        break;
    default:
        return;
    }
    DrawTextAt(canvas, left + s3, start, 2700, shown, font, colorFromRef(format.Schriftfarbe));
}

void DrawTextBlock(QPainter& canvas, int x, int y, double scaleX, double scaleY,
                   const QString& text, const TFormatText& format, int w, int h,
                   const TFormatUeberschrift& kopf, const TFormatUeberschrift& fuss) {
    ResetCanvas(canvas);
    if (text.isEmpty()) return;
    const QRect free = BandAllowance(x, y, scaleX, scaleY, w, h, kopf, fuss);
    const CanvasFont font(format.Schriftart, rnd((format.Groesse + 3) * scaleY),
                          FontStyleFromFlags(format.Fett, format.Kursiv, 0));
    if (DrawWrappedText(canvas, free, text, font, colorFromRef(format.Schriftfarbe),
                        format.Ausrichtung))
        FitCollector::report({FitKind::Text, -1, free.bottomRight() - QPoint(35, 35)});
}

void DrawBitmapForPrinter(QPainter& canvas, const QRect& rect, const QImage& bitmap) {
    if (bitmap.isNull() || rect.isEmpty()) return;
    canvas.drawImage(QRectF(rect), bitmap, QRectF(bitmap.rect()));
}

void TransferPicture(bool forPreview, QPainter& canvas, const QRect& target,
                     const Picture& picture) {
    if (picture.isNull() || target.width() <= 0 || target.height() <= 0) return;
    RecordingDevice::beginPicture(canvas, target, picture.kind());
    const bool raster =
        picture.kind() == Picture::Kind::Bitmap || picture.kind() == Picture::Kind::Jpeg;
    if (!forPreview && raster)
        DrawBitmapForPrinter(canvas, target, picture.image());
    else
        picture.draw(canvas, target);
    RecordingDevice::endPicture(canvas);
}

namespace {
// The picture scaled to cover the whole free area, keeping its aspect ratio; alignment 0
// keeps the top or left part, 1 the bottom or right part, 2 the middle.
QRect coveringTarget(const QRect& free, double pw, double ph, int alignment) {
    const double scale = std::max(free.width() / pw, free.height() / ph);
    const int tw = std::max(free.width(), int(std::ceil(pw * scale - 1e-6)));
    const int th = std::max(free.height(), int(std::ceil(ph * scale - 1e-6)));
    const int dx = free.width() - tw, dy = free.height() - th; // <= 0
    const int l = alignment == 0 ? 0 : alignment == 1 ? dx : rnd(dx / 2.0);
    const int t = alignment == 0 ? 0 : alignment == 1 ? dy : rnd(dy / 2.0);
    return QRect(free.left() + l, free.top() + t, tw, th);
}
} // namespace

QRect PictureTarget(const QRect& free, const QSize& size, const TFormatBild& format) {
    const int left = free.left(), top = free.top(), fw = free.width(), fh = free.height();
    const double pw = size.width(), ph = size.height();
    if (format.Bildmasse == 1) return free;
    if (pw <= 0 || ph <= 0 || format.Ausrichtung < 0 || format.Ausrichtung > 2) return QRect();
    if (format.Bildmasse == 2) return coveringTarget(free, pw, ph, format.Ausrichtung);
    if (format.Bildmasse != 0) return QRect();
    // Fit the width first; if that makes it too high, fit the height instead.
    const double r = ph / pw;
    int t = top, b = top + fh;
    switch (format.Ausrichtung) {
    case 0:
        b = top + rnd(fw * r);
        break;
    case 1:
        t = top + rnd(fh - fw * r);
        break;
    case 2: {
        const int e = rnd((fh - fw * r) / 2);
        t = top + e;
        b = top + fh - e;
        break;
    }
    }
    if (b - t <= fh) return QRect(left, t, fw, b - t);
    const double r2 = pw / ph;
    int l = left, rt = left + fw;
    switch (format.Ausrichtung) {
    case 0:
        rt = left + rnd(fh * r2);
        break;
    case 1:
        l = left + rnd(fw - fh * r2);
        break;
    case 2: {
        const int e = rnd((fw - fh * r2) / 2);
        l = left + e;
        rt = left + fw - e;
        break;
    }
    }
    return QRect(l, top, rt - l, fh);
}

double PicturePrintDpi(const Picture& picture, const QRect& target, double scaleX, double scaleY) {
    if (picture.image().isNull() || target.width() <= 0 || target.height() <= 0) return 0;
    const double inchesX = target.width() / scaleX / 25.4;
    const double inchesY = target.height() / scaleY / 25.4;
    return std::min(picture.width() / inchesX, picture.height() / inchesY);
}

void DrawPicture(bool forPreview, QPainter& canvas, int x, int y, double scaleX, double scaleY,
                 const Picture& picture, const TFormatBild& format, int w, int h,
                 const TFormatUeberschrift& kopf, const TFormatUeberschrift& fuss) {
    ResetCanvas(canvas);
    if (picture.isNull()) return;
    const QPainter::CompositionMode copyMode = canvas.compositionMode();
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QRect free = BandAllowance(x, y, scaleX, scaleY, w, h, kopf, fuss);
    const QRect target = PictureTarget(free, picture.size(), format);
    if (target.isValid()) {
        // Raster pictures printed with too few pixels per inch at their drawn size.
        const double dpi = PicturePrintDpi(picture, target, scaleX, scaleY);
        if (dpi > 0 && dpi < MinimumPrintDpi) {
            const QRect shown = target & free;
            FitCollector::report({FitKind::Picture, -1,
                                  QPoint(shown.right() - 35, shown.top() + 35), 0, 0,
                                  int(dpi + 1e-6)});
        }
        if (free.contains(target)) {
            TransferPicture(forPreview, canvas, target, picture);
        } else {
            // Filling: what reaches past the free area is cut off there.
            canvas.save();
            canvas.setClipRect(free, Qt::IntersectClip);
            TransferPicture(forPreview, canvas, target, picture);
            canvas.restore();
        }
    }
    canvas.setCompositionMode(copyMode);
}

void DrawBackground(bool forPreview, QPainter& canvas, int x, int y, double scaleX, double scaleY,
                    const Picture& texture, const TFormatHintergrund& format, int w, int h,
                    const TFormatUeberschrift& kopf, const TFormatUeberschrift& fuss) {
    ResetCanvas(canvas);
    const QRect free = BandAllowance(x, y, scaleX, scaleY, w, h, kopf, fuss);
    if (format.Art == 0) {
        if (free.width() > 0 && free.height() > 0)
            canvas.fillRect(free, colorFromRef(format.Farbe));
        return;
    }
    if (!texture.isNull() && format.Modus == 0) TransferPicture(forPreview, canvas, free, texture);
}
