#pragma once
#include <memory>
#include <QImage>
#include <QRect>
#include <QString>

class QPainter;
class QSvgRenderer;
class Metafile;

// A loaded picture: bitmap, JPEG, icon, metafile, one of the further raster kinds (PNG, GIF,
// TIFF, WebP) or an SVG drawing. A cheap value (shared data). A null picture draws nothing.
class Picture {
public:
    enum class Kind { None, Bitmap, Jpeg, Icon, Metafile, Png, Gif, Tiff, WebP, Svg };

    Picture() = default;
    // Loads by the file's extension (.bmp .jpg .jpeg .ico .wmf .emf .png .gif .tif .tiff
    // .webp .svg). Throws AppError; a picture too large to hold in memory is reported as
    // such, with its size.
    static Picture load(const QString& path);
    // Decodes file bytes as the kind the suffix names ("bmp", "jpg", ...); name is used in
    // messages only. Throws AppError like load.
    static Picture decode(const QByteArray& data, const QString& suffix, const QString& name);
    static Picture fromImage(const QImage& image, Kind kind = Kind::Bitmap);
    static Picture fromMetafile(std::shared_ptr<const Metafile> metafile);
    // Whether load knows the kind of path's extension.
    static bool knownSuffix(const QString& path);

    bool isNull() const { return width() <= 0 || height() <= 0; }
    Kind kind() const { return kind_; }
    // Natural size in pixels (metafiles: from their header's bounds and resolution; SVG: its
    // width and height).
    QSize size() const;
    int width() const { return size().width(); }
    int height() const { return size().height(); }

    // Draws the picture stretched into target (painter units).
    void draw(QPainter& painter, const QRect& target) const;
    // Raster kinds: the image; metafiles and SVG: empty.
    const QImage& image() const { return image_; }
    const Metafile* metafile() const { return metafile_.get(); }
    // The file ended before the whole picture was read; what was read is shown.
    bool incomplete() const { return incomplete_; }
    // Saves the picture as a BMP file (safe write); drawings are rasterised at their natural
    // size on white. Throws AppError.
    void saveBmp(const QString& path) const;

private:
    Kind kind_ = Kind::None;
    QImage image_;
    bool incomplete_ = false;
    std::shared_ptr<const Metafile> metafile_;
    std::shared_ptr<QSvgRenderer> svg_; // stays a vector drawing on every device
};
