#include "platform/colors.h"
#include "render/canvas.h"
#include "render/primitives.h"
#include "render/rnd.h"

#include <algorithm>
#include <QPainter>

namespace {
struct ListingColumn {
    int firstLine;
    bool comments;
    int cx;
    int tw;
};

void drawEntryRow(QPainter& canvas, const QString& line, int cx, int tw, int y, double scaleX,
                  double scaleY, int lineMm, const CanvasFont& topLevel, const CanvasFont& nested,
                  const QColor& colour) {
    const int level = EntryIndentLevel(line);
    const int depth = level - 1;
    const int half = rnd((lineMm / 2) * scaleY);
    // One stroke per ancestor level, then the connector into this entry.
    for (int k = depth - 1; k >= 1; --k) {
        const int sx = cx + rnd((2 * k - 1) * scaleX);
        canvas.drawLine(sx, y, sx, y + half);
    }
    if (depth >= 1) {
        const int sx = cx + rnd((2 * depth - 1) * scaleX);
        const QPoint connector[3] = {QPoint(sx, y), QPoint(sx, y + half),
                                     QPoint(cx + rnd(2 * depth * scaleX), y + half)};
        canvas.drawPolyline(connector, 3);
    }
    int firstChar = 0;
    while (firstChar < line.size() && line.at(firstChar) == QLatin1Char(' '))
        ++firstChar;
    const int textLeft = cx + rnd(2 * std::max(depth, 0) * scaleX);
    DrawSingleLine(canvas, QRect(textLeft, y, cx + tw - textLeft, rnd(lineMm * scaleY)),
                   line.mid(firstChar), level == 1 ? topLevel : nested, colour, AlignLeft);
}
} // namespace

int DrawDirectoryListing(QPainter& canvas, int x, int y, double scaleX, double scaleY,
                         const DirectoryListing& listing, const TFormatVerzeichnis& format,
                         int firstLine, int w, int h, const TFormatUeberschrift& kopf,
                         const TFormatUeberschrift& fuss) {
    ResetCanvas(canvas);
    const int lineMm = format.Groesse + 2;
    if (listing.isEmpty()) return -1;

    const QRect free = BandAllowance(x, y, scaleX, scaleY, w, h, kopf, fuss);
    const int left = free.left();
    const int width = free.width();
    int top = free.top();
    int height = free.height();
    const int cw = width / 4;
    const int rowHeight = rnd(lineMm * scaleY);
    const QColor colour = colorFromRef(format.Schriftfarbe);

    if (format.StartVerz == 1) {
        const CanvasFont heading(format.Schriftart, rowHeight, FontStyle{true, true, false});
        DrawSingleLine(canvas, QRect(left, top, width, rowHeight), listing.at(0), heading, colour,
                       AlignLeft);
        height -= rowHeight;
        top += rowHeight;
    }

    const QPen oldPen = canvas.pen();
    QPen pen = oldPen;
    pen.setColor(colour);
    canvas.setPen(pen);
    canvas.drawLine(left + cw, top, left + cw, top + height);
    if (format.Kommentare != 2) {
        canvas.drawLine(left + 2 * cw, top, left + 2 * cw, top + height);
        canvas.drawLine(left + 3 * cw, top, left + 3 * cw, top + height);
    }

    const CanvasFont plain(format.Schriftart, rowHeight);
    const CanvasFont bold(format.Schriftart, rowHeight, FontStyle{true, false, false});
    const int advance = plain.askedCellHeight();
    // As many rows as lie wholly inside the free rectangle, so the last one never reaches
    // into the footer band.
    const int rows = advance > 0 ? std::max(0, height / advance) : 0;

    const int s = firstLine;
    const int one = rnd(scaleX), two = rnd(2 * scaleX);
    const ListingColumn col1{s, false, left, cw - one};
    std::vector<ListingColumn> columns;
    switch (format.Kommentare) {
    case 0:
        columns = {col1,
                   {s + 2 * rows, false, left + cw + one, cw - two},
                   {s + 4 * rows, false, left + 2 * cw + one, cw - two},
                   {s + 6 * rows, false, left + 3 * cw + one, cw - one}};
        break;
    case 1:
        columns = {col1,
                   {s + 1, true, left + cw + one, cw - two},
                   {s + 2 * rows, false, left + 2 * cw + one, cw - two},
                   {s + 2 * rows + 1, true, left + 3 * cw + one, cw - one}};
        break;
    case 2:
        columns = {col1, {s + 1, true, left + cw + one, 3 * cw - one}};
        break;
    default:
        columns = {col1};
        break;
    }

    const int count = int(listing.size());
    int entriesDrawn = 0;
    for (const ListingColumn& column : columns) {
        int line = column.firstLine;
        int rowTop = top;
        for (int row = 0; row < rows && line < count; ++row, line += 2, rowTop += advance) {
            if (line < 0) continue;
            if (!column.comments) ++entriesDrawn;
            if (column.comments)
                DrawSingleLine(canvas, QRect(column.cx, rowTop, column.tw, rowHeight),
                               listing.at(line), plain, colour, AlignLeft);
            else
                drawEntryRow(canvas, listing.at(line), column.cx, column.tw, rowTop, scaleX, scaleY,
                             lineMm, bold, plain, colour);
        }
    }
    canvas.setPen(oldPen);
    // Entry lines are the odd ones after the heading; those past the last column are lost.
    const int entries = count / 2;
    if (entriesDrawn < entries)
        FitCollector::report({FitKind::Listing, -1, QPoint(left + width - 35, free.bottom() - 35),
                              entries - entriesDrawn, entries});
    return rows;
}
