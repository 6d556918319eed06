#pragma once
#include <QFont>
#include <QFontMetricsF>
#include <QString>

// Bold, italic and underline as the format records ask for them.
struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const FontStyle&) const = default;
};

// Each flag byte counts only when it holds exactly 1.
FontStyle FontStyleFromFlags(quint8 bold, quint8 italic, quint8 underline);

// A font asked for by its cell height (ascent + descent) in canvas units, as the format
// records state it. Qt rounds font sizes to whole pixels, which would be up to 3 % off at
// 2 mm; the font is therefore made Oversampling times larger and drawn through a painter
// scaled down by the same factor. Unhinted and without kerning, so widths do not depend on
// the device the text ends up on.
class CanvasFont {
public:
    static constexpr int Oversampling = 16;

    CanvasFont(const QString& face, int cellHeight, FontStyle style = {});

    // The enlarged font: draw it under a painter scaled by 1 / Oversampling.
    const QFont& font() const { return font_; }
    const QString& face() const { return face_; }
    int askedCellHeight() const { return cell_; }

    // Metrics in canvas units.
    double ascent() const { return metrics_.ascent() / Oversampling; }
    double cellHeight() const { return (metrics_.ascent() + metrics_.descent()) / Oversampling; }
    double width(const QString& text) const;
    double averageCharWidth() const { return metrics_.averageCharWidth() / Oversampling; }

    // Metrics of the enlarged font (oversampled units).
    const QFontMetricsF& metrics() const { return metrics_; }

    // Cell height per em of a face (with the given weight and slant), measured once.
    static double cellPerEm(const QString& face, bool bold, bool italic);

private:
    QString face_;
    int cell_;
    QFont font_;
    QFontMetricsF metrics_;
};
