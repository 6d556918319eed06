#pragma once
#include <optional>
#include <QLine>
#include <QList>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QString>

class CoverDocument;
class QPainter;

// The millimetre geometry of the case layouts: where each side sits in the single-side
// drawing and on the print sheets, its spine strips and its cut-and-fold outline.

enum class Outline {
    Square120,
    BackInlay,
    BackInside,
    MaxiFront,
    MaxiInside,
    PaperCaseFront,
    PaperCaseInside
};

struct OutlineShape {
    QPolygon polyline;  // mm, relative to the outline's origin; closes on itself
    QList<QLine> folds; // extra fold lines, mm
};

const OutlineShape& OutlineGeometry(Outline outline);

// Draws an outline with its origin at (ox, oy) mm: solid black, 0.1 mm wide.
void DrawOutline(QPainter& canvas, Outline outline, int ox, int oy, double scaleX = 10.0,
                 double scaleY = 10.0);

enum class MarginText { None, BackSpines, MaxiStrip };

// One side placed on a drawing (the single-side drawing or a print sheet), in mm.
struct SidePlacement {
    int side = 0;
    QRect sideArea;    // background and picture
    QRect contentArea; // listing and text
    MarginText margin = MarginText::None;
    QPoint marginOrigin;
    Outline outline = Outline::Square120;
    QPoint outlineOrigin;
};

// The single-side drawing of side 0..3 for a case layout; empty where nothing is drawn
// (side 2 outside layouts 0 and 1, unknown layouts).
std::optional<SidePlacement> SingleSidePlacement(int layout, int side);

// Whether a side can be chosen for a layout (the side buttons and menu items).
bool SideExists(int layout, int side);

// The choice of the print selection dialog.
struct PrintSelection {
    bool vorderseiten = true; // layout 1: both fronts
    bool rueckseite = true;   // back side(s)
    bool vorderAussen = true; // layout 0: front outside
    bool vorderInnen = true;  // layout 0: front inside
};

enum class SheetOrientation { Portrait, Landscape };

struct SheetLayout {
    QString name; // for tools and tests: "fronts", "back", "combined", "maxi", "papercase"
    SheetOrientation orientation = SheetOrientation::Portrait;
    QPoint offset; // mm from the printable area's top-left corner
    QList<SidePlacement> sides;
};

// The sheets printed for a layout and a selection, in printing order; none when nothing is
// chosen or the layout is unknown. Layouts 2 and 3 ignore the selection.
QList<SheetLayout> SheetsFor(int layout, const PrintSelection& selection);

// Texts of a side that the preview takes from the side panel's edits.
struct SideTexts {
    QString kopf;
    QString fuss;
    QString rand;
};

SideTexts DocumentTexts(const CoverDocument& document, int side);

// The parts of a side to draw: everything (preview and sheets), for the content dialogs'
// previews background, content and outline only, or for a sheet's bleed what fills the
// side's area: background, header and footer bands and a picture.
enum class SideParts { All, BackgroundContentOutline, Bleed };

// Composition of one side: background, header, footer, margin text, content, outline.
void DrawSide(QPainter& canvas, const CoverDocument& document, const SidePlacement& placement,
              const SideTexts& texts, bool forPreview, SideParts parts = SideParts::All);

// The single-side drawing of the preview (nothing for a side the layout does not draw).
void DrawSingleSide(QPainter& canvas, const CoverDocument& document, int side,
                    const SideTexts& texts, bool forPreview = true,
                    SideParts parts = SideParts::All);

// A whole print sheet at its own origin, texts from the document.
void DrawSheet(QPainter& canvas, const CoverDocument& document, const SheetLayout& sheet);
