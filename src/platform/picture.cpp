#include "platform/picture.h"
#include "platform/apperror.h"
#include "platform/interfacenumber.h"
#include "platform/jpegreader.h"
#include "platform/metafile.h"
#include "platform/stringtable.h"
#include "platform/systemreason.h"
#include "platform/textcodec.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

namespace {
QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw AppError(LadeTextArg(StrCannotRead, path, FileReason(f)));
    QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw AppError(LadeTextArg(StrCannotRead, path, FileReason(f)));
    return data;
}

// The further raster kinds, decoded by Qt's image plugins.
struct RasterKind {
    const char* suffix;
    const char* format;
    Picture::Kind kind;
};
constexpr RasterKind kRasterKinds[] = {
    {"png", "png", Picture::Kind::Png},    {"gif", "gif", Picture::Kind::Gif},
    {"tif", "tiff", Picture::Kind::Tiff},  {"tiff", "tiff", Picture::Kind::Tiff},
    {"webp", "webp", Picture::Kind::WebP},
};

QImage readImage(const QByteArray& data, const char* format, bool uncompressed, QSize* tooLarge) {
    QBuffer buf;
    buf.setData(data);
    buf.open(QIODevice::ReadOnly);
    QImageReader reader(&buf, format);
    reader.setAutoDetectImageFormat(false); // the extension names the kind, as with the others
    // A bitmap header may claim a huge picture that its few bytes cannot fill; refuse it
    // before the reader allocates and clears it. Compressed kinds are held to the reader's
    // own allocation limit.
    const QSize s = reader.size();
    if (uncompressed &&
        qint64(s.width()) * s.height() > std::max<qint64>(4'000'000, data.size() * 256))
        return {};
    QImage image = reader.read(); // the first frame of an animation
    // Refused by the reader's allocation limit (4 bytes a pixel): too large, not damaged.
    if (image.isNull() && s.isValid() &&
        qint64(s.width()) * s.height() * 4 > qint64(QImageReader::allocationLimit()) << 20)
        *tooLarge = s;
    return image;
}

// The largest, deepest image of an icon file.
QImage bestIcon(const QByteArray& data) {
    QBuffer buf;
    buf.setData(data);
    buf.open(QIODevice::ReadOnly);
    QImageReader reader(&buf, "ico");
    QImage best;
    // Real icons hold a handful of images; a damaged count must not mean thousands of reads.
    const int count = std::clamp(reader.imageCount(), 1, 64);
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i)) break;
        const QImage img = reader.read();
        if (img.isNull()) continue;
        const qint64 area = qint64(img.width()) * img.height();
        const qint64 bestArea = qint64(best.width()) * best.height();
        if (best.isNull() || area > bestArea || (area == bestArea && img.depth() > best.depth()))
            best = img;
    }
    return best;
}

// Why data that did not decode as format failed: data of another kind (or of none Qt knows)
// says so; otherwise it is damaged.
QString rasterFailure(const QByteArray& data, const char* format) {
    QBuffer buf;
    buf.setData(data);
    buf.open(QIODevice::ReadOnly);
    if (QImageReader::imageFormat(&buf) == format) return LadeText(StrBadPictureData);
    return NotPictureOfKind(QString::fromLatin1(format).toUpper());
}
} // namespace

Picture Picture::fromImage(const QImage& image, Kind kind) {
    Picture p;
    p.kind_ = image.isNull() ? Kind::None : kind;
    p.image_ = image;
    return p;
}

Picture Picture::fromMetafile(std::shared_ptr<const Metafile> metafile) {
    Picture p;
    p.kind_ = metafile ? Kind::Metafile : Kind::None;
    p.metafile_ = std::move(metafile);
    return p;
}

bool Picture::knownSuffix(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    static const QStringList known = {
        QStringLiteral("bmp"), QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("ico"),
        QStringLiteral("wmf"), QStringLiteral("emf"), QStringLiteral("svg")};
    if (known.contains(suffix)) return true;
    for (const RasterKind& k : kRasterKinds)
        if (suffix == QLatin1String(k.suffix)) return true;
    return false;
}

Picture Picture::load(const QString& path) {
    // The kind first: an empty texture name must not be reported as an unreadable folder.
    if (!knownSuffix(path)) throw AppError(LadeTextArg(StrUnknownPictureKind, path));
    return decode(readAll(path), QFileInfo(path).suffix(), path);
}

Picture Picture::decode(const QByteArray& data, const QString& suffixIn, const QString& path) {
    const QString suffix = suffixIn.toLower();
    QString why;
    QSize tooLarge;
    Picture p;
    const auto raster = std::find_if(std::begin(kRasterKinds), std::end(kRasterKinds),
                                     [&](const RasterKind& k) { return suffix == k.suffix; });
    if (suffix == QLatin1String("bmp")) {
        p = fromImage(readImage(data, "bmp", true, &tooLarge), Kind::Bitmap);
    } else if (raster != std::end(kRasterKinds)) {
        p = fromImage(readImage(data, raster->format, false, &tooLarge), raster->kind);
    } else if (suffix == QLatin1String("svg")) {
        auto svg = std::make_shared<QSvgRenderer>(data);
        if (svg->isValid() && !svg->defaultSize().isEmpty()) {
            p.kind_ = Kind::Svg;
            p.svg_ = std::move(svg);
        }
    } else if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) {
        JpegNotes notes;
        p = fromImage(decodeJpeg(data, &why, &notes), Kind::Jpeg);
        p.incomplete_ = notes.incomplete;
        tooLarge = notes.tooLarge;
    } else if (suffix == QLatin1String("ico")) {
        p = fromImage(bestIcon(data), Kind::Icon);
    } else if (suffix == QLatin1String("wmf") || suffix == QLatin1String("emf")) {
        p = fromMetafile(Metafile::parse(data, &why));
    } else {
        throw AppError(LadeTextArg(StrUnknownPictureKind, path));
    }
    if (p.isNull() && why.isEmpty()) {
        if (suffix == QLatin1String("bmp") || suffix == QLatin1String("ico"))
            why = rasterFailure(data, suffix == QLatin1String("bmp") ? "bmp" : "ico");
        else if (raster != std::end(kRasterKinds))
            why = rasterFailure(data, raster->format);
    }
    if (p.isNull() && tooLarge.isValid())
        throw AppError(LadeTextArg(StrPictureTooLarge, path, InterfaceNumber(tooLarge.width()),
                                   InterfaceNumber(tooLarge.height())));
    if (p.isNull())
        throw AppError(
            LadeTextArg(StrBadPicture, path, why.isEmpty() ? LadeText(StrBadPictureData) : why));
    return p;
}

QSize Picture::size() const {
    if (metafile_) return metafile_->pixelSize();
    if (svg_) return svg_->defaultSize();
    return image_.size();
}

void Picture::draw(QPainter& painter, const QRect& target) const {
    if (isNull() || target.isEmpty()) return;
    if (metafile_) {
        metafile_->play(painter, target);
        return;
    }
    if (svg_) {
        svg_->render(&painter, QRectF(target));
        return;
    }
    painter.drawImage(QRectF(target), image_, QRectF(image_.rect()));
}

void Picture::saveBmp(const QString& path) const {
    QImage img = image_;
    if (img.isNull() && !isNull()) {
        img = QImage(size(), QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        draw(p, img.rect());
    }
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    if (img.isNull() || !img.save(&buf, "BMP"))
        throw AppError(LadeTextArg(StrCannotWrite, path, LadeText(StrBadPictureData)));
    writeFileSafely(path, bytes);
}
