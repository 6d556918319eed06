#include "emfwriter.h"

#include <QtEndian>

namespace {
void put32(QByteArray& b, quint32 v) {
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}
void put16(QByteArray& b, quint16 v) {
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}
void putFloat(QByteArray& b, float f) {
    quint32 v;
    std::memcpy(&v, &f, 4);
    put32(b, v);
}
} // namespace

EmfWriter::EmfWriter() = default;

EmfWriter& EmfWriter::raw(quint32 type, const QByteArray& params) {
    QByteArray p = params;
    while (p.size() % 4)
        p.append('\0');
    put32(records_, type);
    put32(records_, quint32(p.size() + 8));
    records_.append(p);
    ++count_;
    return *this;
}

EmfWriter& EmfWriter::rec(quint32 type, std::initializer_list<qint32> fields) {
    QByteArray p;
    for (qint32 f : fields)
        put32(p, quint32(f));
    return raw(type, p);
}

EmfWriter& EmfWriter::polygon16(quint32 type, std::initializer_list<QPoint> pts) {
    QByteArray p(16, '\0'); // bounds, not used by players
    put32(p, quint32(pts.size()));
    for (const QPoint& pt : pts) {
        put16(p, quint16(qint16(pt.x())));
        put16(p, quint16(qint16(pt.y())));
    }
    return raw(type, p);
}

EmfWriter& EmfWriter::font(quint32 index, int height, int weight, const QString& face,
                           int escapement) {
    QByteArray p;
    put32(p, index);
    put32(p, quint32(height));
    put32(p, 0);
    put32(p, quint32(escapement));
    put32(p, quint32(escapement));
    put32(p, quint32(weight));
    p.append(QByteArray(8, '\0')); // italic, underline, strike-out, charset, precisions...
    QByteArray name(64, '\0');
    for (int i = 0; i < face.size() && i < 31; ++i)
        qToLittleEndian(quint16(face[i].unicode()), name.data() + 2 * i);
    p.append(name);
    return raw(82, p);
}

EmfWriter& EmfWriter::textOutW(int x, int y, const QString& text) {
    QByteArray p(16, '\0'); // bounds
    put32(p, 1);            // graphics mode
    putFloat(p, 1);
    putFloat(p, 1);
    put32(p, quint32(x));
    put32(p, quint32(y));
    put32(p, quint32(text.size()));
    const quint32 offString = 76; // right after the fixed part
    put32(p, offString);
    put32(p, 0); // options
    p.append(QByteArray(16, '\0'));
    put32(p, 0); // no advances
    for (QChar c : text)
        put16(p, c.unicode());
    return raw(84, p);
}

EmfWriter& EmfWriter::worldTransform(float m11, float m12, float m21, float m22, float dx,
                                     float dy) {
    QByteArray p;
    for (float f : {m11, m12, m21, m22, dx, dy})
        putFloat(p, f);
    return raw(35, p);
}

QByteArray EmfWriter::dib(const QImage& image, QByteArray* bitsOut) {
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    const int stride = ((img.width() * 24 + 31) / 32) * 4;
    QByteArray info;
    put32(info, 40);
    put32(info, quint32(img.width()));
    put32(info, quint32(img.height()));
    put16(info, 1);
    put16(info, 24);
    put32(info, 0);
    put32(info, quint32(stride * img.height()));
    put32(info, 2835);
    put32(info, 2835);
    put32(info, 0);
    put32(info, 0);
    QByteArray bits;
    for (int y = img.height() - 1; y >= 0; --y) {
        QByteArray row;
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            row.append(char(qBlue(c)));
            row.append(char(qGreen(c)));
            row.append(char(qRed(c)));
        }
        row.append(QByteArray(stride - row.size(), '\0'));
        bits.append(row);
    }
    if (bitsOut) {
        *bitsOut = bits;
        return info;
    }
    return info + bits;
}

EmfWriter& EmfWriter::stretchDiBits(int x, int y, int w, int h, const QImage& image) {
    QByteArray bits;
    const QByteArray info = dib(image, &bits);
    QByteArray p(16, '\0');
    for (int v : {x, y, 0, 0, int(image.width()), int(image.height())})
        put32(p, quint32(v));
    const quint32 offBmi = 8 + 72;
    put32(p, offBmi);
    put32(p, quint32(info.size()));
    put32(p, quint32(offBmi + info.size()));
    put32(p, quint32(bits.size()));
    put32(p, 0);          // DIB_RGB_COLORS
    put32(p, 0x00CC0020); // SRCCOPY
    put32(p, quint32(w));
    put32(p, quint32(h));
    return raw(81, p + info + bits);
}

EmfWriter& EmfWriter::dibPatternBrush(quint32 index, const QImage& image) {
    QByteArray bits;
    const QByteArray info = dib(image, &bits);
    QByteArray p;
    put32(p, index);
    put32(p, 0);
    const quint32 offBmi = 8 + 24;
    put32(p, offBmi);
    put32(p, quint32(info.size()));
    put32(p, quint32(offBmi + info.size()));
    put32(p, quint32(bits.size()));
    return raw(94, p + info + bits);
}

QByteArray EmfWriter::finish() const {
    QByteArray h;
    put32(h, 1);
    put32(h, 108);
    for (int v : {0, 0, 999, 999})
        put32(h, quint32(v)); // bounds (device pixels)
    for (int v : {0, 0, 10000, 10000})
        put32(h, quint32(v)); // frame (0.01 mm)
    put32(h, 0x464D4520);
    put32(h, 0x10000);
    QByteArray end;
    put32(end, 14);
    put32(end, 20);
    put32(end, 0);
    put32(end, 16);
    put32(end, 20);
    put32(h, quint32(108 + records_.size() + end.size()));
    put32(h, quint32(count_ + 2));
    put16(h, 64); // handles
    put16(h, 0);
    put32(h, 0);
    put32(h, 0);
    put32(h, 0);
    for (int v : {1000, 1000, 100, 100})
        put32(h, quint32(v)); // device pixels and millimetres
    put32(h, 0);
    put32(h, 0);
    put32(h, 0);
    put32(h, 100000); // micrometres
    put32(h, 100000);
    return h + records_ + end;
}
