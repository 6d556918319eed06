#include "render/layouts.h"
#include "document/coverdocument.h"
#include "render/canvas.h"
#include "render/primitives.h"
#include "render/rnd.h"

#include <QPainter>

namespace {
constexpr double kScale = 10.0;

OutlineShape shape(std::initializer_list<QPoint> points, std::initializer_list<QLine> folds = {}) {
    return OutlineShape{QPolygon(QList<QPoint>(points)), QList<QLine>(folds)};
}

const OutlineShape kOutlines[] = {
    // Square120
    shape({{0, 0}, {120, 0}, {120, 120}, {0, 120}, {0, 0}}),
    // BackInlay
    shape({{0, 0}, {150, 0}, {150, 117}, {0, 117}, {0, 0}},
          {QLine(6, 0, 6, 117), QLine(144, 0, 144, 117)}),
    // BackInside
    shape({{0, 0}, {138, 0}, {138, 117}, {0, 117}, {0, 0}}),
    // MaxiFront
    shape({{0, 4},
           {8, 2},
           {35, 2},
           {37, 0},
           {157, 0},
           {167, 2},
           {167, 118},
           {157, 120},
           {37, 120},
           {35, 118},
           {8, 118},
           {0, 116},
           {0, 4}},
          {QLine(16, 2, 16, 118), QLine(19, 2, 19, 118), QLine(157, 0, 157, 120)}),
    // MaxiInside
    shape({{0, 0}, {120, 0}, {122, 2}, {122, 118}, {120, 120}, {0, 120}, {0, 0}}),
    // PaperCaseFront: outer contour, then the folds of the square face in the same line
    shape({{0, 25},
           {5, 0},
           {120, 0},
           {125, 25},
           {140, 30},
           {140, 145},
           {125, 150},
           {120, 165},
           {5, 165},
           {0, 150},
           {0, 25},
           {125, 25},
           {125, 150},
           {0, 150}}),
    // PaperCaseInside
    shape({{0, 125}, {0, 0}, {125, 0}, {125, 125}, {0, 125}}),
};

SidePlacement place(int side, QRect sideArea, Outline outline, QPoint outlineOrigin,
                    MarginText margin = MarginText::None) {
    SidePlacement p;
    p.side = side;
    p.sideArea = sideArea;
    p.contentArea = sideArea.adjusted(1, 1, -1, -1);
    p.outline = outline;
    p.outlineOrigin = outlineOrigin;
    p.margin = margin;
    return p;
}

// The single-side table: one row per layout group and side.
struct SingleRow {
    int layoutMask; // bit n set: layout n uses the row
    SidePlacement placement;
};

const SingleRow kSingleRows[] = {
    {0b0011, place(0, QRect(0, 0, 120, 120), Outline::Square120, {0, 0})},
    {0b0011, place(1, QRect(0, 0, 120, 120), Outline::Square120, {0, 0})},
    {0b0011, place(2, QRect(6, 0, 138, 117), Outline::BackInlay, {0, 0}, MarginText::BackSpines)},
    // Side 3 is drawn with this row whatever the layout.
    {0b1111, place(3, QRect(0, 0, 138, 117), Outline::BackInside, {0, 0})},
    {0b0100, place(0, QRect(19, 2, 138, 116), Outline::MaxiFront, {0, 0}, MarginText::MaxiStrip)},
    {0b0100, place(1, QRect(0, 2, 122, 116), Outline::MaxiInside, {0, 0})},
    {0b1000, place(0, QRect(0, 25, 125, 125), Outline::PaperCaseFront, {0, 0})},
    {0b1000, place(1, QRect(0, 0, 125, 125), Outline::PaperCaseInside, {0, 0})},
};
} // namespace

const OutlineShape& OutlineGeometry(Outline outline) {
    return kOutlines[static_cast<int>(outline)];
}

void DrawOutline(QPainter& canvas, Outline outline, int ox, int oy, double scaleX, double scaleY) {
    ResetCanvas(canvas);
    const OutlineShape& s = OutlineGeometry(outline);
    auto map = [&](QPoint p) {
        return QPoint(rnd((ox + p.x()) * scaleX), rnd((oy + p.y()) * scaleY));
    };
    QPolygon points;
    points.reserve(s.polyline.size());
    for (const QPoint& p : s.polyline)
        points.append(map(p));
    canvas.drawPolyline(points);
    for (const QLine& fold : s.folds)
        canvas.drawLine(map(fold.p1()), map(fold.p2()));
}

std::optional<SidePlacement> SingleSidePlacement(int layout, int side) {
    if (layout < 0 || layout > 3) return std::nullopt;
    for (const SingleRow& row : kSingleRows)
        if (row.placement.side == side && (row.layoutMask & (1 << layout))) return row.placement;
    return std::nullopt;
}

bool SideExists(int layout, int side) {
    switch (layout) {
    case 0:
        return side >= 0 && side <= 2;
    case 1:
        return side >= 0 && side <= 3;
    case 2:
    case 3:
        return side == 0 || side == 1;
    default:
        return false;
    }
}

QList<SheetLayout> SheetsFor(int layout, const PrintSelection& sel) {
    using O = SheetOrientation;
    const SidePlacement back = *SingleSidePlacement(0, 2);
    const SheetLayout fronts{QStringLiteral("fronts"),
                             O::Landscape,
                             {10, 10},
                             {place(1, QRect(0, 0, 120, 120), Outline::Square120, {0, 0}),
                              place(0, QRect(120, 0, 120, 120), Outline::Square120, {120, 0})}};
    QList<SheetLayout> sheets;
    switch (layout) {
    case 0: {
        if (!sel.vorderAussen && !sel.vorderInnen && !sel.rueckseite) break;
        if (sel.vorderAussen && sel.vorderInnen) {
            sheets.append(fronts);
            if (sel.rueckseite)
                sheets.append(SheetLayout{QStringLiteral("back"), O::Portrait, {10, 10}, {back}});
            break;
        }
        SheetLayout combined{QStringLiteral("combined"), O::Portrait, {10, 10}, {}};
        if (sel.rueckseite) combined.sides.append(back);
        if (sel.vorderAussen || sel.vorderInnen)
            combined.sides.append(place(sel.vorderAussen ? 0 : 1, QRect(0, 130, 120, 120),
                                        Outline::Square120, {0, 130}));
        sheets.append(combined);
        break;
    }
    case 1:
        if (sel.vorderseiten) sheets.append(fronts);
        if (sel.rueckseite)
            sheets.append(SheetLayout{
                QStringLiteral("back"),
                O::Portrait,
                {10, 10},
                {back, place(3, QRect(5, 130, 138, 117), Outline::BackInside, {5, 130})}});
        break;
    case 2: {
        SidePlacement inside = place(1, QRect(15, 132, 122, 116), Outline::MaxiInside, {15, 130});
        sheets.append(SheetLayout{
            QStringLiteral("maxi"), O::Portrait, {5, 10}, {*SingleSidePlacement(2, 0), inside}});
        break;
    }
    case 3:
        sheets.append(
            SheetLayout{QStringLiteral("papercase"),
                        O::Landscape,
                        {5, 5},
                        {place(0, QRect(125, 25, 125, 125), Outline::PaperCaseFront, {125, 0}),
                         place(1, QRect(0, 25, 125, 125), Outline::PaperCaseInside, {0, 25})}});
        break;
    default:
        break;
    }
    return sheets;
}

SideTexts DocumentTexts(const CoverDocument& document, int side) {
    return SideTexts{document.KopfText[side], document.FussText[side], document.RandText};
}

void DrawSide(QPainter& canvas, const CoverDocument& doc, const SidePlacement& placement,
              const SideTexts& texts, bool forPreview, SideParts parts) {
    const int s = placement.side;
    if (s < 0 || s >= CoverDocument::SideCount) return;
    const QRect& area = placement.sideArea;
    const QRect& content = placement.contentArea;
    const TFormatUeberschrift& kopf = doc.KopfFormat[s];
    const TFormatUeberschrift& fuss = doc.FussFormat[s];
    const bool all = parts == SideParts::All;
    const bool bleed = parts == SideParts::Bleed;
    FitCollector::setSide(s);

    DrawBackground(forPreview, canvas, area.x(), area.y(), kScale, kScale, doc.HgBild[s],
                   doc.HgFormat[s], area.width(), area.height(), kopf, fuss);
    if (all || bleed) {
        DrawHeaderBand(canvas, area.x(), area.y(), kScale, kScale, texts.kopf, kopf, area.width());
        DrawHeaderBand(canvas, area.x(), area.y() + area.height() - (fuss.Groesse + 4), kScale,
                       kScale, texts.fuss, fuss, area.width(), FitKind::Footer);
    }
    if (all) {
        const QPoint m = placement.marginOrigin;
        if (placement.margin == MarginText::BackSpines)
            DrawSpineTexts(canvas, m.x(), m.y(), kScale, kScale, texts.rand, doc.RandFormat);
        else if (placement.margin == MarginText::MaxiStrip)
            DrawMaxiMarginText(canvas, m.x(), m.y(), kScale, kScale, texts.rand, doc.RandFormat);
    }
    switch (bleed && doc.Inhalt[s] != 3 ? 0 : doc.Inhalt[s]) {
    case 1:
        DrawDirectoryListing(canvas, content.x(), content.y(), kScale, kScale, doc.VerzListe[s],
                             doc.VerzFormat[s], 1, content.width(), content.height(), kopf, fuss);
        break;
    case 2:
        DrawTextBlock(canvas, content.x(), content.y(), kScale, kScale, doc.TextInhalt[s],
                      doc.TextFormat[s], content.width(), content.height(), kopf, fuss);
        break;
    case 3:
        DrawPicture(forPreview, canvas, area.x(), area.y(), kScale, kScale, doc.Bild[s],
                    doc.BildFormat[s], area.width(), area.height(), kopf, fuss);
        break;
    default:
        break;
    }
    if (!bleed)
        DrawOutline(canvas, placement.outline, placement.outlineOrigin.x(),
                    placement.outlineOrigin.y());
}

void DrawSingleSide(QPainter& canvas, const CoverDocument& document, int side,
                    const SideTexts& texts, bool forPreview, SideParts parts) {
    const std::optional<SidePlacement> placement = SingleSidePlacement(document.CoverLayout, side);
    if (placement) DrawSide(canvas, document, *placement, texts, forPreview, parts);
}

void DrawSheet(QPainter& canvas, const CoverDocument& document, const SheetLayout& sheet) {
    for (const SidePlacement& placement : sheet.sides)
        DrawSide(canvas, document, placement, DocumentTexts(document, placement.side), false);
}
