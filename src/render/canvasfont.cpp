#include "render/canvasfont.h"

#include <QHash>

FontStyle FontStyleFromFlags(quint8 bold, quint8 italic, quint8 underline) {
    return FontStyle{bold == 1, italic == 1, underline == 1};
}

namespace {
QFont baseFont(const QString& face, bool bold, bool italic, int pixelSize) {
    QFont f(face);
    f.setPixelSize(std::max(1, pixelSize));
    f.setBold(bold);
    f.setItalic(italic);
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}
} // namespace

double CanvasFont::cellPerEm(const QString& face, bool bold, bool italic) {
    // Drawing runs on the one user-interface thread; the cache needs no lock.
    static QHash<QString, double> cache;
    const QString key =
        face + QLatin1Char('|') + QChar(u'0' + int(bold)) + QChar(u'0' + int(italic));
    auto it = cache.constFind(key);
    if (it != cache.constEnd()) return it.value();
    constexpr int em = 2048;
    const QFontMetricsF fm(baseFont(face, bold, italic, em));
    double ratio = (fm.ascent() + fm.descent()) / em;
    if (!(ratio > 0.5 && ratio < 3.0)) ratio = 1.15;
    cache.insert(key, ratio);
    return ratio;
}

CanvasFont::CanvasFont(const QString& face, int cellHeight, FontStyle style)
    : face_(face), cell_(cellHeight),
      font_(baseFont(
          face, style.bold, style.italic,
          int(std::lround(cellHeight * Oversampling / cellPerEm(face, style.bold, style.italic))))),
      metrics_(font_) {
    if (style.underline) {
        font_.setUnderline(true);
        metrics_ = QFontMetricsF(font_);
    }
}

double CanvasFont::width(const QString& text) const {
    return metrics_.horizontalAdvance(text) / Oversampling;
}
