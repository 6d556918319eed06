#include "render/sheetmarks.h"
#include "document/coverdocument.h"
#include "render/canvas.h"

#include <algorithm>
#include <QPainter>
#include <QPolygonF>
#include <QSettings>
#include <QStandardPaths>

namespace {
constexpr double kScale = 10.0; // canvas units per mm
// The depth of a side's drawing that is stretched across the bleed (canvas units): the
// colours at the very edge, continued outwards.
constexpr double kEdgeStrip = 2.0;

QString settingsPath(const QString& file) {
    if (!file.isEmpty()) return file;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/zarvex/printers.conf");
}

QList<QPolygonF> outlinesOf(const SheetLayout& sheet) {
    QList<QPolygonF> out;
    for (const SidePlacement& side : sheet.sides)
        out.append(
            QPolygonF(OutlineGeometry(side.outline).polyline.translated(side.outlineOrigin)));
    return out;
}

QRectF outlineBox(const SidePlacement& side) {
    return QPolygonF(OutlineGeometry(side.outline).polyline.translated(side.outlineOrigin))
        .boundingRect();
}

// Every point half a millimetre beyond the edge a..b (towards outward) lies outside all
// outlines: the edge is a cut edge, not a fold or a line inside a piece.
bool cutEdge(const QList<QPolygonF>& outlines, QPointF a, QPointF b, QPointF outward) {
    const int samples = std::max(2, int(QLineF(a, b).length()));
    for (int i = 0; i < samples; ++i) {
        const QPointF p = a + (b - a) * ((i + 0.5) / samples) + outward * 0.5;
        for (const QPolygonF& outline : outlines)
            if (outline.containsPoint(p, Qt::WindingFill)) return false;
    }
    return true;
}

// The pieces cut out of a sheet: the boxes of outlines that touch each other, joined.
QList<QRectF> pieces(const SheetLayout& sheet) {
    QList<QRectF> boxes;
    for (const SidePlacement& side : sheet.sides)
        boxes.append(outlineBox(side));
    for (bool joined = true; joined;) {
        joined = false;
        for (qsizetype i = 0; i < boxes.size() && !joined; ++i)
            for (qsizetype j = i + 1; j < boxes.size() && !joined; ++j)
                if (boxes[i].adjusted(-0.01, -0.01, 0.01, 0.01).intersects(boxes[j])) {
                    boxes[i] |= boxes[j];
                    boxes.removeAt(j);
                    joined = true;
                }
    }
    return boxes;
}
} // namespace

SheetMarksChoice SheetMarksChoice::load(const QString& settingsFile) {
    QSettings s(settingsPath(settingsFile), QSettings::IniFormat);
    s.beginGroup(QStringLiteral("sheets"));
    SheetMarksChoice c;
    c.bleedOn = s.value(QStringLiteral("bleed"), false).toBool();
    bool ok = false;
    const double mm = s.value(QStringLiteral("bleedMm"), c.bleedMm).toDouble(&ok);
    if (ok && mm >= 0 && mm <= SheetMarks::MaxBleedMm) c.bleedMm = mm; // else hand-edited
    c.cropMarks = s.value(QStringLiteral("cropMarks"), false).toBool();
    return c;
}

void SheetMarksChoice::save(const QString& settingsFile) const {
    QSettings s(settingsPath(settingsFile), QSettings::IniFormat);
    s.beginGroup(QStringLiteral("sheets"));
    s.setValue(QStringLiteral("bleed"), bleedOn);
    s.setValue(QStringLiteral("bleedMm"), bleedMm);
    s.setValue(QStringLiteral("cropMarks"), cropMarks);
}

CutEdges SideCutEdges(const SheetLayout& sheet, const SidePlacement& side) {
    const QList<QPolygonF> outlines = outlinesOf(sheet);
    const QRectF r(side.sideArea);
    return CutEdges{cutEdge(outlines, r.topLeft(), r.bottomLeft(), {-1, 0}),
                    cutEdge(outlines, r.topLeft(), r.topRight(), {0, -1}),
                    cutEdge(outlines, r.topRight(), r.bottomRight(), {1, 0}),
                    cutEdge(outlines, r.bottomLeft(), r.bottomRight(), {0, 1})};
}

void DrawBleed(QPainter& canvas, const CoverDocument& document, const SheetLayout& sheet,
               double bleedMm) {
    if (bleedMm <= 0) return;
    const double bleed = std::min(bleedMm, SheetMarks::MaxBleedMm) * kScale;
    const double stretch = bleed / kEdgeStrip;
    for (const SidePlacement& side : sheet.sides) {
        const CutEdges cut = SideCutEdges(sheet, side);
        const QRectF a(side.sideArea.x() * kScale, side.sideArea.y() * kScale,
                       side.sideArea.width() * kScale, side.sideArea.height() * kScale);
        // Each band beside an edge (and each corner between two cut edges) shows the
        // drawing's outermost strip mirrored and stretched across it.
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                if ((dx == 0 && dy == 0) || (dx < 0 && !cut.left) || (dx > 0 && !cut.right) ||
                    (dy < 0 && !cut.top) || (dy > 0 && !cut.bottom))
                    continue;
                const double x0 = dx < 0 ? a.left() - bleed : dx > 0 ? a.right() : a.left();
                const double x1 = dx < 0 ? a.left() : dx > 0 ? a.right() + bleed : a.right();
                const double y0 = dy < 0 ? a.top() - bleed : dy > 0 ? a.bottom() : a.top();
                const double y1 = dy < 0 ? a.top() : dy > 0 ? a.bottom() + bleed : a.bottom();
                const double ex = dx < 0 ? a.left() : a.right();
                const double ey = dy < 0 ? a.top() : a.bottom();
                canvas.save();
                canvas.setClipRect(QRectF(QPointF(x0, y0), QPointF(x1, y1)), Qt::IntersectClip);
                canvas.translate(dx ? ex : 0, dy ? ey : 0);
                canvas.scale(dx ? -stretch : 1, dy ? -stretch : 1);
                canvas.translate(dx ? -ex : 0, dy ? -ey : 0);
                DrawSide(canvas, document, side, DocumentTexts(document, side.side), false,
                         SideParts::Bleed);
                canvas.restore();
            }
        }
    }
}

void DrawCropMarks(QPainter& canvas, const SheetLayout& sheet) {
    ResetCanvas(canvas);
    canvas.setPen(QPen(QBrush(Qt::black), SheetMarks::MarkPen, Qt::SolidLine, Qt::FlatCap));
    const double gap = SheetMarks::MarkGapMm * kScale;
    const double end = gap + SheetMarks::MarkLengthMm * kScale;
    for (const QRectF& box : pieces(sheet)) {
        const QRectF b(box.x() * kScale, box.y() * kScale, box.width() * kScale,
                       box.height() * kScale);
        for (const double y : {b.top(), b.bottom()}) { // in line with the top and bottom edges
            canvas.drawLine(QLineF(b.left() - gap, y, b.left() - end, y));
            canvas.drawLine(QLineF(b.right() + gap, y, b.right() + end, y));
        }
        for (const double x : {b.left(), b.right()}) { // in line with the left and right edges
            canvas.drawLine(QLineF(x, b.top() - gap, x, b.top() - end));
            canvas.drawLine(QLineF(x, b.bottom() + gap, x, b.bottom() + end));
        }
    }
}

QRectF MarksExtent(const SheetLayout& sheet, const SheetMarks& marks) {
    QRectF extent;
    if (marks.cropMarks) {
        const double reach = SheetMarks::MarkGapMm + SheetMarks::MarkLengthMm;
        for (const QRectF& box : pieces(sheet))
            extent |= box.adjusted(-reach, -reach, reach, reach);
    }
    if (marks.bleedMm > 0) {
        for (const SidePlacement& side : sheet.sides) {
            const CutEdges cut = SideCutEdges(sheet, side);
            const double b = std::min(marks.bleedMm, SheetMarks::MaxBleedMm);
            extent |= QRectF(side.sideArea)
                          .adjusted(cut.left ? -b : 0, cut.top ? -b : 0, cut.right ? b : 0,
                                    cut.bottom ? b : 0);
        }
    }
    return extent;
}
