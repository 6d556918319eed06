#pragma once
#include <QList>
#include <QPoint>
#include <QString>

class QPainter;

// What the drawing primitives had to cut while they drew: a text shortened to its width, a
// free text running past its area, listing entries beyond the last column, a raster picture
// printed at too low a resolution. The primitives report as they draw; a caller that wants
// to know installs a FitCollector around its drawing. Nothing is laid out a second time.

enum class FitKind { Header, Footer, Margin, Text, Listing, Picture };

struct FitWarning {
    FitKind kind = FitKind::Text;
    int side = -1;  // 0..3 while a side is drawn by the composition, else -1
    QPoint at;      // canvas units: where the preview's marker goes
    int hidden = 0; // listing: entries not shown
    int total = 0;  // listing: all entries
    int dpi = 0;    // picture: print resolution at its drawn size
};

// Raster pictures drawn with fewer pixels per inch than this look blocky on paper.
constexpr double MinimumPrintDpi = 150.0;

// Collects the reports of everything drawn on this thread while it lives (the innermost
// collector when they nest).
class FitCollector {
public:
    FitCollector();
    ~FitCollector();
    FitCollector(const FitCollector&) = delete;
    FitCollector& operator=(const FitCollector&) = delete;

    const QList<FitWarning>& warnings() const { return warnings_; }

    // Called by the primitives; nothing happens without a collector.
    static void report(FitWarning warning);
    // The composition names the side whose parts it draws next.
    static void setSide(int side);

private:
    QList<FitWarning> warnings_;
    int side_ = -1;
    FitCollector* outer_ = nullptr;
};

// The interface text of a warning (current language); grouped puts the listing's counts in
// the locale's digit groups ("1,173").
QString FitWarningText(const FitWarning& warning, bool grouped = true);
// All warnings in one line for the status bar; empty when there are none.
QString FitWarningsLine(const QList<FitWarning>& warnings);
// The command-line tool's line: "warning: side 3: listing: 412 of 1173 entries are not shown".
QString FitWarningCliLine(const FitWarning& warning);
// A small red mark with "!" at each warning's place; for previews only, never printed.
void DrawFitMarkers(QPainter& canvas, const QList<FitWarning>& warnings);
