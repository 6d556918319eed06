#include "render/canvas.h"

#include <QPainter>
#include <QTextLayout>

void ResetCanvas(QPainter& canvas) {
    canvas.setBrush(QBrush(Qt::white, Qt::SolidPattern));
    canvas.setPen(QPen(QBrush(Qt::black), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    canvas.setBackgroundMode(Qt::TransparentMode);
}

namespace {
// Lines longer than this are measured only as far as they can be seen.
constexpr qsizetype kLongLine = 1024;

// A cut at or beside at that does not split a surrogate pair.
qsizetype wholeCharacters(const QString& text, qsizetype at) {
    if (at > 0 && at < text.size() && text.at(at).isLowSurrogate()) ++at;
    return at;
}

// The length of a part of text, taken from its start (fromEnd false) or from its end,
// that is wider than width, or the whole length: measuring parts of doubling lengths costs
// about twice what can be seen, however long the text.
qsizetype partBeyond(const QString& text, const CanvasFont& font, double width, bool fromEnd) {
    if (text.size() <= kLongLine) return text.size();
    for (qsizetype n = 64; n < text.size(); n *= 2) {
        const qsizetype cut = wholeCharacters(text, fromEnd ? text.size() - n : n);
        const QString part = fromEnd ? text.sliced(cut) : text.first(cut);
        if (font.width(part) > width) return part.size();
    }
    return text.size();
}
} // namespace

QString ShortenToWidth(const QString& fullText, const CanvasFont& font, double maxWidth) {
    // What lies beyond the first part wider than maxWidth never fits.
    const QString text = fullText.first(partBeyond(fullText, font, maxWidth, false));
    if (text.size() == fullText.size() && font.width(text) <= maxWidth) return text;
    // Prefix lengths that do not split a surrogate pair; the full text is known not to fit.
    QList<int> cuts;
    cuts.reserve(text.size());
    for (int i = 0; i < text.size(); ++i)
        if (!text.at(i).isLowSurrogate()) cuts.append(i);
    int lo = 0;                // cuts[lo] fits (the empty prefix always does)
    int hi = int(cuts.size()); // index of the first cut known not to fit
    while (hi - lo > 1) {
        const int mid = (lo + hi) / 2;
        if (font.width(text.left(cuts[mid])) <= maxWidth)
            lo = mid;
        else
            hi = mid;
    }
    return text.left(cuts[lo]);
}

namespace {
constexpr double kInv = 1.0 / CanvasFont::Oversampling;

QString singleLineText(QString text) {
    for (QChar& c : text)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) c = QLatin1Char(' ');
    return text;
}

// Of a very long line, what can show in width: its start, its end or its middle by the
// alignment (a centred line is taken to be as wide on both sides of its middle character).
// Shorter lines are drawn whole.
QString visiblePart(const QString& text, const CanvasFont& font, int width, int alignment) {
    if (text.size() <= kLongLine) return text;
    if (alignment == AlignLeft) return text.first(partBeyond(text, font, width, false));
    if (alignment == AlignRight) return text.last(partBeyond(text, font, width, true));
    const qsizetype middle = text.size() / 2;
    for (qsizetype half = 32; half < middle; half *= 2) {
        const qsizetype from = wholeCharacters(text, middle - half);
        const QString part = text.sliced(from, wholeCharacters(text, middle + half) - from);
        if (font.width(part) > width) return part;
    }
    return text;
}
} // namespace

void DrawTextAt(QPainter& canvas, int x, int y, int escapement, const QString& text,
                const CanvasFont& font, const QColor& colour) {
    if (text.isEmpty()) return;
    canvas.save();
    canvas.translate(x, y);
    if (escapement != 0) canvas.rotate(-escapement / 10.0);
    canvas.scale(kInv, kInv);
    canvas.setFont(font.font());
    canvas.setPen(colour);
    canvas.drawText(QPointF(0, font.metrics().ascent()), singleLineText(text));
    canvas.restore();
}

bool DrawSingleLine(QPainter& canvas, const QRect& rect, const QString& text,
                    const CanvasFont& font, const QColor& colour, int alignment) {
    if (text.isEmpty() || rect.width() <= 0 || rect.height() <= 0) return false;
    if (alignment < AlignLeft || alignment > AlignCentre) return false;
    const QString line = singleLineText(visiblePart(text, font, rect.width(), alignment));
    const double w = font.width(line);
    double x = rect.left();
    if (alignment == AlignRight)
        x = rect.left() + rect.width() - w;
    else if (alignment == AlignCentre)
        x = rect.left() + (rect.width() - w) / 2.0;
    canvas.save();
    canvas.setClipRect(rect);
    canvas.translate(x, rect.top());
    canvas.scale(kInv, kInv);
    canvas.setFont(font.font());
    canvas.setPen(colour);
    canvas.drawText(QPointF(0, font.metrics().ascent()), line);
    canvas.restore();
    return w > rect.width();
}

bool DrawWrappedText(QPainter& canvas, const QRect& rect, const QString& text,
                     const CanvasFont& font, const QColor& colour, int alignment) {
    if (text.isEmpty() || rect.width() <= 0 || rect.height() <= 0) return false;
    if (alignment < AlignLeft || alignment > AlignCentre) return false;
    const double scale = CanvasFont::Oversampling;
    const double width = rect.width() * scale;
    const double bottom = rect.height() * scale;
    const double lineHeight = font.metrics().ascent() + font.metrics().descent();

    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    // Laid out without a paint device, so the stops are not scaled by its resolution.
    option.setTabStopDistance(8 * font.metrics().averageCharWidth());

    canvas.save();
    canvas.setClipRect(rect);
    canvas.translate(rect.left(), rect.top());
    canvas.scale(kInv, kInv);
    canvas.setFont(font.font());
    canvas.setPen(colour);

    // CR LF, and a lone CR or LF as well, end a paragraph.
    QString normalised = text;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList paragraphs = normalised.split(QLatin1Char('\n'));

    double y = 0;
    bool cut = false;
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        const QString& paragraph = paragraphs.at(i);
        if (y >= bottom) {
            // Paragraphs left that no line of the area shows; empty ones hide nothing.
            for (; i < paragraphs.size() && !cut; ++i)
                cut = !paragraphs.at(i).isEmpty();
            break;
        }
        if (paragraph.isEmpty()) {
            y += lineHeight;
            continue;
        }
        QTextLayout layout(paragraph, font.font());
        layout.setTextOption(option);
        layout.beginLayout();
        QList<QTextLine> lines;
        for (;;) {
            QTextLine line = layout.createLine();
            if (!line.isValid()) break;
            line.setLineWidth(width);
            double x = 0;
            if (alignment == AlignRight)
                x = width - line.naturalTextWidth();
            else if (alignment == AlignCentre)
                x = (width - line.naturalTextWidth()) / 2.0;
            line.setPosition(QPointF(x, y));
            y += lineHeight;
            lines.append(line);
            // A line partly below the area is cut as well (a sixteenth of a unit of rounding
            // aside).
            if (line.naturalTextWidth() > width || y > bottom + 1) cut = true;
            if (y >= bottom) {
                // The rest of this paragraph has no room either.
                if (line.textStart() + line.textLength() < paragraph.size()) cut = true;
                break;
            }
        }
        layout.endLayout();
        for (const QTextLine& line : lines)
            line.draw(&canvas, QPointF());
    }
    canvas.restore();
    return cut;
}
