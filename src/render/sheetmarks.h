#pragma once
#include "render/layouts.h"

#include <QRectF>
#include <QString>

class CoverDocument;
class QPainter;

// What is drawn around a print sheet's outer cut edges for cutting by hand: bleed
// (backgrounds, header bands and pictures that touch a cut edge continued beyond it, so a
// cut a little off the line leaves no white sliver) and crop marks (short lines in line with
// the cut edges, clear of the outline).
struct SheetMarks {
    static constexpr double MaxBleedMm = 5.0;
    static constexpr double DefaultBleedMm = 2.0;
    static constexpr double MarkGapMm = 3.0;    // from the outline to a mark's start
    static constexpr double MarkLengthMm = 5.0; // a mark's length
    static constexpr int MarkPen = 1;           // canvas units: 0.1 mm

    double bleedMm = 0; // 0: none
    bool cropMarks = false;

    bool operator==(const SheetMarks&) const = default;
};

// The choice in the print selection dialog, kept in the user's own settings file
// ("zarvex/printers.conf" unless settingsFile is given): bleed on or off, its width (kept
// while it is off), crop marks.
struct SheetMarksChoice {
    bool bleedOn = false;
    double bleedMm = SheetMarks::DefaultBleedMm;
    bool cropMarks = false;

    SheetMarks marks() const { return SheetMarks{bleedOn ? bleedMm : 0.0, cropMarks}; }
    static SheetMarksChoice load(const QString& settingsFile = QString());
    void save(const QString& settingsFile = QString()) const;
};

// The sides' edges that lie on an outer cut edge of the sheet's outlines (outside them is
// no outline): left, top, right, bottom.
struct CutEdges {
    bool left = false, top = false, right = false, bottom = false;
    bool operator==(const CutEdges&) const = default;
};
CutEdges SideCutEdges(const SheetLayout& sheet, const SidePlacement& side);

// Bleed of the sheet's sides, drawn before the sheet itself; nothing inside the sides.
void DrawBleed(QPainter& canvas, const CoverDocument& document, const SheetLayout& sheet,
               double bleedMm);
// Crop marks at the corners of every piece that is cut out (outlines that touch are one).
void DrawCropMarks(QPainter& canvas, const SheetLayout& sheet);
// What bleed and marks reach beyond the sheet's own extent, mm in the sheet's frame; empty
// when marks draw nothing.
QRectF MarksExtent(const SheetLayout& sheet, const SheetMarks& marks);
