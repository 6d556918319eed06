#pragma once
#include <QByteArray>
#include <QRect>
#include <QSize>
#include <QString>
#include <memory>

class QPainter;

// A parsed Windows metafile (WMF, with or without placeable header, or EMF), played by our
// own bounds-checked record player so it stays a vector drawing.
class Metafile {
public:
    virtual ~Metafile() = default;
    // Returns null and sets *error for data that is not a metafile we can play.
    static std::shared_ptr<const Metafile> parse(const QByteArray& data, QString* error = nullptr);
    // Natural size in pixels, from the header's bounds and resolution.
    virtual QSize pixelSize() const = 0;
    // Draws the picture stretched into target.
    virtual void play(QPainter& painter, const QRect& target) const = 0;
};
