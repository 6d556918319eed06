#include "platform/dibimage.h"
#include "platform/bytereader.h"

#include <QBuffer>
#include <QImageReader>

namespace {
constexpr quint32 BiRgb = 0, BiRle8 = 1, BiRle4 = 2, BiBitfields = 3;
constexpr qint64 MaxPixels = 40'000'000; // plenty for clip art, bounded for hostile headers

struct DibInfo {
    quint32 headerSize = 0;
    qint64 width = 0, height = 0;
    int bitCount = 0;
    quint32 compression = BiRgb;
    quint32 colorsUsed = 0;
    qint64 infoSize = 0; // header + masks + colour table
};

bool readInfo(const ByteReader& range, DibInfo& out) {
    ByteReader r = range;
    out.headerSize = r.u32();
    if (!r.ok()) return false;
    if (out.headerSize == 12) { // core header
        out.width = r.u16();
        out.height = r.i16();
        r.u16(); // planes
        out.bitCount = r.u16();
        if (!r.ok()) return false;
        const qint64 colors = out.bitCount <= 8 ? (qint64(1) << out.bitCount) : 0;
        out.infoSize = 12 + 3 * colors;
    } else if (out.headerSize >= 40 && out.headerSize <= 124) {
        out.width = r.i32();
        out.height = r.i32();
        r.u16();
        out.bitCount = r.u16();
        out.compression = r.u32();
        r.u32(); // image size
        r.i32();
        r.i32();
        out.colorsUsed = r.u32();
        if (!r.ok()) return false;
        qint64 colors = 0;
        if (out.bitCount <= 8)
            colors = out.colorsUsed ? qint64(out.colorsUsed) : (qint64(1) << out.bitCount);
        else
            colors = out.colorsUsed; // optional palette hint
        if (colors > 256 && out.bitCount <= 8) return false;
        if (colors > 65536) return false;
        const qint64 masks = (out.headerSize == 40 && out.compression == BiBitfields) ? 12 : 0;
        out.infoSize = out.headerSize + masks + 4 * colors;
    } else {
        return false;
    }
    const qint64 w = out.width, h = out.height < 0 ? -out.height : out.height;
    if (w <= 0 || h <= 0 || w * h > MaxPixels) return false;
    switch (out.bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return false;
    }
    if (out.compression != BiRgb && out.compression != BiBitfields && out.compression != BiRle8 &&
        out.compression != BiRle4)
        return false;
    return range.fits(0, quint64(out.infoSize));
}
} // namespace

QImage decodeDib(const ByteReader& info, const ByteReader& bits) {
    DibInfo d;
    if (!readInfo(info, d)) return QImage();
    const qint64 h = d.height < 0 ? -d.height : d.height;
    const qint64 stride = ((d.width * d.bitCount + 31) / 32) * 4;
    qint64 bitsSize = bits.size();
    if (d.compression == BiRgb || d.compression == BiBitfields) {
        if (bitsSize < stride * h) return QImage();
        bitsSize = stride * h;
    } else if (d.width * h > std::max<qint64>(1'000'000, bitsSize * 256)) {
        return QImage(); // run lengths cannot fill a picture that large from so few bytes
    }
    // Qt's reader does the pixel work; we hand it a well-formed file whose sizes we checked.
    const qint64 offset = 14 + d.infoSize;
    QByteArray file;
    file.reserve(offset + bitsSize);
    file.append("BM", 2);
    const quint32 total = quint32(offset + bitsSize);
    for (int i = 0; i < 4; ++i)
        file.append(char((total >> (8 * i)) & 0xFF));
    file.append(4, '\0');
    for (int i = 0; i < 4; ++i)
        file.append(char((quint32(offset) >> (8 * i)) & 0xFF));
    file.append(reinterpret_cast<const char*>(info.data()), d.infoSize);
    // A header that reports a used-colour count larger than the table we copied would make
    // the reader look further; readInfo already sized the table from that count.
    file.append(reinterpret_cast<const char*>(bits.data()), bitsSize);
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    QImage img = reader.read();
    if (img.isNull()) return img;
    if (d.bitCount == 32 && d.compression == BiRgb)
        img = img.convertToFormat(QImage::Format_RGB32); // the fourth byte is not alpha here
    return img;
}

QImage decodePackedDib(const ByteReader& packed) {
    DibInfo d;
    if (!readInfo(packed, d)) return QImage();
    return decodeDib(packed.at(0, quint64(d.infoSize)),
                     packed.at(quint64(d.infoSize), quint64(packed.size() - d.infoSize)));
}

bool dibIsBottomUp(const ByteReader& info) {
    ByteReader r = info;
    const quint32 size = r.u32();
    if (size == 12) {
        r.u16();
        return r.i16() > 0;
    }
    r.i32();
    return r.i32() > 0;
}

QRectF dibSourceRect(const ByteReader& info, const QImage& image, double x, double y, double w,
                     double h) {
    if (w == 0 || h == 0) return QRectF(image.rect());
    if (dibIsBottomUp(info)) y = image.height() - y - h;
    return QRectF(x, y, w, h);
}
