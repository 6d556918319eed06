#include "wmfwriter.h"
#include "emfwriter.h"

#include <QtEndian>

namespace {
void put16(QByteArray& b, quint16 v) {
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}
void put32(QByteArray& b, quint32 v) {
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}
} // namespace

WmfWriter::WmfWriter(int width, int height, int unitsPerInch, bool placeable)
    : width_(width), height_(height), inch_(unitsPerInch), placeable_(placeable) {}

WmfWriter& WmfWriter::raw(quint16 function, const QByteArray& params) {
    QByteArray p = params;
    if (p.size() % 2) p.append('\0');
    const int words = 3 + int(p.size()) / 2;
    put32(records_, quint32(words));
    put16(records_, function);
    records_.append(p);
    maxRecord_ = std::max(maxRecord_, words);
    return *this;
}

WmfWriter& WmfWriter::rec(quint16 function, std::initializer_list<qint16> params) {
    QByteArray p;
    for (qint16 v : params)
        put16(p, quint16(v));
    return raw(function, p);
}

WmfWriter& WmfWriter::textOut(int x, int y, const QByteArray& text) {
    QByteArray p;
    put16(p, quint16(text.size()));
    p.append(text);
    if (p.size() % 2) p.append('\0');
    put16(p, quint16(y));
    put16(p, quint16(x));
    return raw(0x0521, p);
}

WmfWriter& WmfWriter::font(int height, int weight, const QByteArray& face) {
    QByteArray p;
    for (int v : {height, 0, 0, 0, weight})
        put16(p, quint16(v));
    p.append(QByteArray(8, '\0'));
    p.append(face);
    p.append('\0');
    return raw(0x02FB, p);
}

WmfWriter& WmfWriter::dibStretchBlt(int x, int y, int w, int h, const QImage& image) {
    QByteArray p;
    put32(p, 0x00CC0020);
    for (int v : {int(image.height()), int(image.width()), 0, 0, h, w, y, x})
        put16(p, quint16(v));
    return raw(0x0B41, p + EmfWriter::dib(image));
}

QByteArray WmfWriter::finish() const {
    QByteArray out;
    if (placeable_) {
        put32(out, 0x9AC6CDD7);
        put16(out, 0);
        for (int v : {0, 0, width_, height_})
            put16(out, quint16(v));
        put16(out, quint16(inch_));
        put32(out, 0);
        put16(out, 0);
    }
    QByteArray end;
    put32(end, 3);
    put16(end, 0);
    put16(out, 1);
    put16(out, 9);
    put16(out, 0x0300);
    put32(out, quint32(9 + (records_.size() + end.size()) / 2));
    put16(out, 16); // objects
    put32(out, quint32(maxRecord_));
    put16(out, 0);
    return out + records_ + end;
}
