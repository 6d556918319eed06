#pragma once
#include <memory>
#include <QImage>
#include <QRect>
#include <QString>

class QPainter;
class Metafile;

// A loaded picture: bitmap, JPEG, icon or metafile. A cheap value (shared data).
// A null picture draws nothing.
class Picture {
public:
    enum class Kind { None, Bitmap, Jpeg, Icon, Metafile };

    Picture() = default;
    // Loads by the file's extension (.bmp .jpg .jpeg .ico .wmf .emf). Throws AppError.
    static Picture load(const QString& path);
    // Whether load handles files of this name's kind (by its extension, any letter case).
    static bool isKnownKind(const QString& path);
    // Decodes file bytes as the kind the suffix names ("bmp", "jpg", ...); name is used in
    // messages only. Throws AppError like load.
    static Picture decode(const QByteArray& data, const QString& suffix, const QString& name);
    static Picture fromImage(const QImage& image, Kind kind = Kind::Bitmap);
    static Picture fromMetafile(std::shared_ptr<const Metafile> metafile);

    bool isNull() const { return width() <= 0 || height() <= 0; }
    Kind kind() const { return kind_; }
    // Natural size in pixels (metafiles: from their header's bounds and resolution).
    QSize size() const;
    int width() const { return size().width(); }
    int height() const { return size().height(); }

    // Draws the picture stretched into target (painter units).
    void draw(QPainter& painter, const QRect& target) const;
    // Raster kinds: the image; metafiles: empty.
    const QImage& image() const { return image_; }
    const Metafile* metafile() const { return metafile_.get(); }
    // Saves a raster picture as a BMP file (safe write). Throws AppError.
    void saveBmp(const QString& path) const;

private:
    Kind kind_ = Kind::None;
    QImage image_;
    std::shared_ptr<const Metafile> metafile_;
};
