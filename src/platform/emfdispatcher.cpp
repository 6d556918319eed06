#include "platform/emfdispatcher.h"
#include "platform/bytereader.h"
#include "platform/colors.h"
#include "platform/dibimage.h"
#include "platform/metafileplayer.h"
#include "platform/textcodec.h"

#include <cmath>

namespace {
constexpr qsizetype MaxCount = 1'000'000;

QColor readColor(ByteReader& r) {
    return colorFromRef(qint32(r.u32() & 0xFFFFFF));
}
QPointF readPoint(ByteReader& r) {
    const double x = r.i32();
    const double y = r.i32();
    return QPointF(x, y);
}
QSizeF readSize(ByteReader& r) {
    const double cx = r.i32();
    const double cy = r.i32();
    return QSizeF(cx, cy);
}
QRectF readRect(ByteReader& r) { // left, top, right, bottom
    const double l = r.i32(), t = r.i32(), rt = r.i32(), b = r.i32();
    return QRectF(QPointF(l, t), QPointF(rt, b));
}
QTransform readXform(ByteReader& r) {
    const double m11 = r.f32(), m12 = r.f32(), m21 = r.f32(), m22 = r.f32(), dx = r.f32(),
                 dy = r.f32();
    return QTransform(m11, m12, m21, m22, dx, dy);
}
QPolygonF readPoints(ByteReader& r, qsizetype count, bool small) {
    QPolygonF pts;
    if (count < 0 || count > MaxCount || !r.has(count * (small ? 4 : 8))) return pts;
    pts.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        const double x = small ? r.i16() : r.i32();
        const double y = small ? r.i16() : r.i32();
        pts.append(QPointF(x, y));
    }
    return pts;
}
// The DIB a record points at through its offset and size fields (counted from the record start).
ByteReader dibPart(const ByteReader& rec, quint32 offset, quint32 size) {
    return rec.at(offset, size);
}
} // namespace

void EmfDispatcher::run(quint32 type, const ByteReader& record) {
    ByteReader r = record;
    r.seek(8);
    switch (type) {
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 85:
    case 86:
    case 87:
    case 88:
    case 89:
        poly(type, r);
        break;
    case 7:
    case 8:
    case 90:
    case 91:
        polyPoly(type, r);
        break;
    case 9:
        pl.setWindowExt(readSize(r));
        break;
    case 10:
        pl.setWindowOrg(readPoint(r));
        break;
    case 11:
        pl.setViewportExt(readSize(r));
        break;
    case 12:
        pl.setViewportOrg(readPoint(r));
        break;
    case 15: {
        const QPointF p = readPoint(r);
        const QColor c = readColor(r);
        if (r.ok()) pl.setPixel(p, c);
        break;
    }
    case 17:
        pl.setMapMode(int(r.u32()));
        break;
    case 18:
        pl.setBkMode(int(r.u32()));
        break;
    case 19:
        pl.setPolyFillMode(int(r.u32()));
        break;
    case 22:
        pl.setTextAlign(r.u32());
        break;
    case 24:
        pl.setTextColor(readColor(r));
        break;
    case 25:
        pl.setBkColor(readColor(r));
        break;
    case 26:
        pl.offsetClip(readPoint(r));
        break;
    case 27:
        pl.moveTo(readPoint(r));
        break;
    case 29:
    case 30: {
        const QRectF rc = readRect(r);
        if (!r.ok()) break;
        if (type == 29)
            pl.excludeClipRect(rc);
        else
            pl.intersectClipRect(rc);
        break;
    }
    case 31:
    case 32: {
        const double xn = r.i32(), xd = r.i32(), yn = r.i32(), yd = r.i32();
        if (!r.ok()) break;
        if (type == 31)
            pl.scaleViewportExt(xn, xd, yn, yd);
        else
            pl.scaleWindowExt(xn, xd, yn, yd);
        break;
    }
    case 33:
        pl.saveDc();
        break;
    case 34:
        pl.restoreDc(r.i32());
        break;
    case 35: {
        const QTransform t = readXform(r);
        if (r.ok()) pl.setWorldTransform(t);
        break;
    }
    case 36: {
        const QTransform t = readXform(r);
        const int mode = int(r.u32());
        if (r.ok()) pl.modifyWorldTransform(t, mode);
        break;
    }
    case 37:
        pl.selectObject(r.u32());
        break;
    case 40:
        pl.deleteObject(r.u32());
        break;
    case 38:
    case 39:
    case 82:
    case 93:
    case 94:
    case 95:
        createObject(type, record);
        break;
    case 41: {
        const QPointF c = readPoint(r);
        const double radius = r.u32();
        const double start = r.f32(), sweep = r.f32();
        if (r.ok()) pl.angleArc(c, radius, start, sweep);
        break;
    }
    case 42:
    case 43: {
        const QRectF rc = readRect(r);
        if (!r.ok()) break;
        if (type == 42)
            pl.ellipse(rc);
        else
            pl.rectangle(rc);
        break;
    }
    case 44: {
        const QRectF rc = readRect(r);
        const QSizeF corner = readSize(r);
        if (r.ok()) pl.roundRect(rc, corner);
        break;
    }
    case 45:
    case 46:
    case 47:
    case 55: {
        const QRectF box = readRect(r);
        const QPointF start = readPoint(r), end = readPoint(r);
        if (!r.ok()) break;
        using K = MetafilePlayer::ArcKind;
        const K kind = type == 45 ? K::Arc : type == 46 ? K::Chord : type == 47 ? K::Pie : K::ArcTo;
        pl.arc(box, start, end, kind);
        break;
    }
    case 54: {
        const QPointF p = readPoint(r);
        if (r.ok()) pl.lineTo(p);
        break;
    }
    case 57:
        pl.setArcDirection(int(r.u32()));
        break;
    case 58:
        pl.setMiterLimit(r.u32());
        break;
    case 59:
        pl.beginPath();
        break;
    case 60:
        pl.endPath();
        break;
    case 61:
        pl.closeFigure();
        break;
    case 62:
        pl.fillPath();
        break;
    case 63:
        pl.strokeAndFillPath();
        break;
    case 64:
        pl.strokePath();
        break;
    case 67:
        pl.selectClipPath(int(r.u32()));
        break;
    case 68:
        pl.abortPath();
        break;
    case 75:
        clipRegion(record);
        break;
    case 76:
    case 77:
    case 80:
    case 81:
        blit(type, record);
        break;
    case 83:
    case 84:
        text(type, record);
        break;
    default:
        break; // comments (EMF+ too), palettes and the rest draw nothing here
    }
}

void EmfDispatcher::poly(quint32 type, ByteReader& r) {
    r.skip(16); // bounds
    const quint32 count = r.u32();
    const bool small = type >= 85;
    const QPolygonF pts = readPoints(r, qsizetype(std::min<quint32>(count, MaxCount + 1)), small);
    if (!r.ok() || pts.isEmpty()) return;
    switch (small ? type - 83 : type) {
    case 2:
        pl.polyBezier(pts);
        break;
    case 3:
        pl.polygon(pts);
        break;
    case 4:
        pl.polyline(pts);
        break;
    case 5:
        pl.polyBezierTo(pts);
        break;
    case 6:
        pl.polylineTo(pts);
        break;
    default:
        break;
    }
}

void EmfDispatcher::polyPoly(quint32 type, ByteReader& r) {
    r.skip(16);
    const quint32 n = r.u32();
    const quint32 total = r.u32();
    const bool small = type >= 90;
    if (!r.ok() || n > MaxCount || total > MaxCount || !r.has(qsizetype(n) * 4)) return;
    std::vector<quint32> counts(n);
    quint64 sum = 0;
    for (quint32& c : counts) {
        c = r.u32();
        sum += c;
    }
    if (sum != total) return;
    std::vector<QPolygonF> polys;
    polys.reserve(n);
    for (quint32 c : counts) {
        QPolygonF p = readPoints(r, c, small);
        if (p.size() != qsizetype(c)) return;
        polys.push_back(std::move(p));
    }
    if (type == 7 || type == 90)
        pl.polyPolyline(polys);
    else
        pl.polyPolygon(polys);
}

void EmfDispatcher::text(quint32 type, const ByteReader& rec) {
    ByteReader r = rec;
    r.seek(36);
    const QPointF ref = readPoint(r);
    const quint32 chars = r.u32();
    const quint32 offString = r.u32();
    const quint32 options = r.u32();
    const QRectF rect = readRect(r);
    const quint32 offDx = r.u32();
    if (!r.ok() || chars == 0 || chars > MaxCount || (options & 0x10)) // glyph indexes: no text
        return;
    const bool wide = type == 84;
    const ByteReader str = rec.at(offString, quint64(chars) * (wide ? 2 : 1));
    if (str.size() == 0) return;
    QString text;
    if (wide) {
        text.resize(chars);
        ByteReader s = str;
        for (quint32 i = 0; i < chars; ++i)
            text[i] = QChar(s.u16());
    } else {
        text = fromWindows1252(QByteArray(reinterpret_cast<const char*>(str.data()), chars));
    }
    QVector<double> dx;
    const quint32 step = (options & 0x2000) ? 2 : 1; // ETO_PDY: x and y advances
    ByteReader d = rec.at(offDx, quint64(chars) * 4 * step);
    if (offDx && d.size() > 0) {
        dx.reserve(chars);
        for (quint32 i = 0; i < chars; ++i) {
            dx.append(d.i32());
            if (step == 2) d.i32();
        }
    }
    pl.textOut(ref, text, dx, options, rect, true);
}

void EmfDispatcher::blit(quint32 type, const ByteReader& rec) {
    ByteReader r = rec;
    r.seek(24);
    QRectF dest, src;
    quint32 rop = 0x00CC0020, offBmi = 0, cbBmi = 0, offBits = 0, cbBits = 0;
    if (type == 76 || type == 77) {
        const QPointF d = readPoint(r);
        const QSizeF ds = readSize(r);
        rop = r.u32();
        const QPointF s = readPoint(r);
        r.skip(24 + 4 + 4); // source transform, background colour, usage
        offBmi = r.u32();
        cbBmi = r.u32();
        offBits = r.u32();
        cbBits = r.u32();
        QSizeF ss = ds;
        if (type == 77) ss = readSize(r);
        dest = QRectF(d, ds);
        src = QRectF(s, ss);
    } else {
        const QPointF d = readPoint(r);
        const QPointF s = readPoint(r);
        const QSizeF ss = readSize(r);
        offBmi = r.u32();
        cbBmi = r.u32();
        offBits = r.u32();
        cbBits = r.u32();
        r.u32(); // usage
        QSizeF ds = ss;
        if (type == 81) {
            rop = r.u32();
            ds = readSize(r);
        }
        dest = QRectF(d, ds);
        src = QRectF(s, ss);
    }
    if (!r.ok()) return;
    if (cbBmi == 0) {
        pl.patBlt(dest, rop);
        return;
    }
    const ByteReader info = dibPart(rec, offBmi, cbBmi);
    const ByteReader bits = dibPart(rec, offBits, cbBits);
    if (info.size() == 0 || bits.size() == 0) return;
    const QImage img = decodeDib(info, bits);
    if (img.isNull()) return;
    if (type == 80) // SetDIBitsToDevice copies without stretching and ignores the operation
        rop = 0x00CC0020;
    pl.drawImage(dest, img, dibSourceRect(info, img, src.x(), src.y(), src.width(), src.height()),
                 rop);
}

void EmfDispatcher::createObject(quint32 type, const ByteReader& rec) {
    ByteReader r = rec;
    r.seek(8);
    const quint32 index = r.u32();
    GdiObject o;
    switch (type) {
    case 38: // CREATEPEN
        o.kind = GdiObject::Kind::Pen;
        o.pen.style = r.u32();
        o.pen.width = std::abs(double(r.i32()));
        r.i32();
        o.pen.color = readColor(r);
        break;
    case 39: // CREATEBRUSHINDIRECT
        o.kind = GdiObject::Kind::Brush;
        o.brush.style = r.u32();
        o.brush.color = readColor(r);
        o.brush.hatch = r.u32();
        break;
    case 82: { // EXTCREATEFONTINDIRECTW
        o.kind = GdiObject::Kind::Font;
        o.font.height = r.i32();
        o.font.width = std::abs(double(r.i32()));
        o.font.escapement = r.i32();
        r.i32();
        o.font.weight = r.i32();
        o.font.italic = r.u8();
        o.font.underline = r.u8();
        o.font.strikeOut = r.u8();
        r.skip(5);
        QString face;
        for (int i = 0; i < 32 && r.has(2); ++i) {
            const quint16 c = r.u16();
            if (c == 0) break;
            face.append(QChar(c));
        }
        o.font.face = face;
        break;
    }
    case 93:
    case 94: { // mono and DIB pattern brushes
        o.kind = GdiObject::Kind::Brush;
        r.u32(); // usage
        const quint32 offBmi = r.u32(), cbBmi = r.u32(), offBits = r.u32(), cbBits = r.u32();
        o.brush.style = 5;
        o.brush.color = Qt::gray;
        if (r.ok())
            o.brush.pattern = decodeDib(dibPart(rec, offBmi, cbBmi), dibPart(rec, offBits, cbBits));
        break;
    }
    case 95: { // EXTCREATEPEN
        o.kind = GdiObject::Kind::Pen;
        r.skip(16); // bitmap of a pattern pen: drawn in its colour instead
        o.pen.style = r.u32();
        o.pen.width = r.u32();
        const quint32 brushStyle = r.u32();
        o.pen.color = readColor(r);
        r.u32(); // hatch
        const quint32 entries = r.u32();
        if (brushStyle == 1) o.pen.style = (o.pen.style & ~0xFu) | 5;
        if ((o.pen.style & 0xF) == 7 && entries <= 16 && r.has(qsizetype(entries) * 4))
            for (quint32 i = 0; i < entries; ++i)
                o.pen.dashes.append(r.u32());
        // A cosmetic pen (no PS_GEOMETRIC) is one device pixel whatever its width says.
        if (!(o.pen.style & 0x00010000)) o.pen.width = 0;
        break;
    }
    default:
        return;
    }
    if (!r.ok() && o.kind != GdiObject::Kind::Brush)
        o = GdiObject{GdiObject::Kind::Other, {}, {}, {}};
    pl.setObject(index, o);
}

void EmfDispatcher::clipRegion(const ByteReader& rec) {
    ByteReader r = rec;
    r.seek(8);
    const quint32 cb = r.u32();
    const int mode = int(r.u32());
    if (!r.ok()) return;
    std::vector<QRectF> rects;
    if (cb >= 32) {
        ByteReader h = rec.at(16, cb);
        h.skip(8);
        const quint32 count = h.u32();
        h.skip(4 + 16);
        if (!h.ok() || count > 100000 || !h.has(qsizetype(count) * 16)) return;
        for (quint32 i = 0; i < count; ++i)
            rects.push_back(readRect(h).normalized());
    }
    pl.selectClipRegion(rects, mode);
}
