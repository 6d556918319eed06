#include "platform/wmfmetafile.h"
#include "platform/bytereader.h"
#include "platform/colors.h"
#include "platform/dibimage.h"
#include "platform/metafileplayer.h"
#include "platform/stringtable.h"
#include "platform/textcodec.h"

#include <cmath>
#include <QPainter>

namespace {
QColor readColor(ByteReader& r) {
    return colorFromRef(qint32(r.u32() & 0xFFFFFF));
}

// WMF parameters list y before x and the far corner before the near one.
QPointF readYX(ByteReader& r) {
    const double y = r.i16();
    const double x = r.i16();
    return QPointF(x, y);
}
QRectF readRect(ByteReader& r) { // bottom, right, top, left
    const double b = r.i16(), rt = r.i16(), t = r.i16(), l = r.i16();
    return QRectF(QPointF(l, t), QPointF(rt, b));
}
QPolygonF readPoints(ByteReader& r, qsizetype count) {
    QPolygonF pts;
    if (count < 0 || !r.has(count * 4)) return pts;
    pts.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        const double x = r.i16();
        const double y = r.i16();
        pts.append(QPointF(x, y));
    }
    return pts;
}

bool fail(QString* error, int id, int record = -1) {
    if (error) *error = record >= 0 ? LadeTextArg(id, record) : LadeText(id);
    return false;
}
} // namespace

std::shared_ptr<const WmfMetafile> WmfMetafile::parse(const QByteArray& data, QString* error) {
    auto mf = std::make_shared<WmfMetafile>();
    mf->data_ = data;
    ByteReader r(reinterpret_cast<const uchar*>(mf->data_.constData()), mf->data_.size());
    bool placeable = false;
    QRectF bounds;
    int inch = 0;
    if (r.u32() == PlaceableKey) {
        placeable = true;
        r.u16(); // handle
        const double l = r.i16(), t = r.i16(), rt = r.i16(), b = r.i16();
        inch = r.u16();
        r.u32();
        r.u16(); // checksum: not checked, many writers get it wrong
        bounds = QRectF(QPointF(l, t), QPointF(rt, b)).normalized();
    } else {
        r.seek(0);
    }
    const quint16 type = r.u16();
    const quint16 headerWords = r.u16();
    r.u16(); // version
    r.u32(); // size in words (often wrong; the records decide)
    const int objects = r.u16();
    r.u32();
    r.u16();
    if (!r.ok() || (type != 1 && type != 2) || headerWords != 9) {
        fail(error, placeable ? StrMetafileHeader : StrNotMetafile);
        return nullptr;
    }
    mf->objectCount_ = objects;
    // Walk the records once, so playing never meets a size that does not fit.
    QPointF windowOrg;
    QSizeF windowExt;
    bool haveExt = false, haveOrg = false;
    while (r.remaining() > 0) {
        if (qsizetype(mf->records_.size()) >= MaxRecords) {
            fail(error, StrMetafileTooLarge);
            return nullptr;
        }
        const qsizetype start = r.pos();
        if (r.remaining() < 6) {
            break; // trailing padding after the last record
        }
        const quint64 words = r.u32();
        const quint16 function = r.u16();
        if (function == 0) // end of file
            break;
        if (words < 3 || words * 2 > quint64(r.remaining() + 6)) {
            fail(error, StrMetafileRecord, int(mf->records_.size() + 1));
            return nullptr;
        }
        const qsizetype length = qsizetype(words * 2 - 6);
        mf->records_.push_back(Record{function, r.pos(), length});
        ByteReader p = r.sub(length);
        if (function == 0x020C && !haveExt) {
            const QPointF e = readYX(p);
            if (p.ok() && e.x() != 0 && e.y() != 0) {
                windowExt = QSizeF(e.x(), e.y());
                haveExt = true;
            }
        } else if (function == 0x020B && !haveOrg) {
            windowOrg = readYX(p);
            haveOrg = p.ok();
        }
        Q_UNUSED(start);
    }
    if (placeable) {
        if (bounds.width() <= 0 || bounds.height() <= 0) {
            fail(error, StrPictureNoSize);
            return nullptr;
        }
        const double perInch = inch > 0 ? inch : 1440;
        mf->size_ = QSize(std::max(1, int(std::lround(bounds.width() * 96 / perInch))),
                          std::max(1, int(std::lround(bounds.height() * 96 / perInch))));
        mf->window_ = bounds;
    } else if (haveExt) {
        mf->size_ = QSize(std::max(1, int(std::min(30000.0, std::abs(windowExt.width())))),
                          std::max(1, int(std::min(30000.0, std::abs(windowExt.height())))));
        mf->window_ = QRectF(windowOrg, windowExt);
    } else {
        mf->size_ = QSize(100, 100);
        mf->window_ = QRectF(0, 0, 100, 100);
    }
    return mf;
}

// Turns the records into player calls.
class WmfMetafile::Dispatcher {
public:
    explicit Dispatcher(MetafilePlayer& p) : pl(p) {}
    void run(quint16 function, ByteReader r);

private:
    void text(ByteReader& r, bool extended);
    void blit(quint16 function, ByteReader& r);
    MetafilePlayer& pl;
};

void WmfMetafile::Dispatcher::run(quint16 function, ByteReader r) {
    switch (function) {
    case 0x0201:
        pl.setBkColor(readColor(r));
        break;
    case 0x0102:
        pl.setBkMode(r.u16());
        break;
    case 0x0103:
        pl.setMapMode(r.u16());
        break;
    case 0x0106:
        pl.setPolyFillMode(r.u16());
        break;
    case 0x0209:
        pl.setTextColor(readColor(r));
        break;
    case 0x012E:
        pl.setTextAlign(r.u16());
        break;
    case 0x020B:
        pl.setWindowOrg(readYX(r));
        break;
    case 0x020C: {
        const QPointF e = readYX(r);
        pl.setWindowExt(QSizeF(e.x(), e.y()));
        break;
    }
    case 0x020D:
        pl.setViewportOrg(readYX(r));
        break;
    case 0x020E: {
        const QPointF e = readYX(r);
        pl.setViewportExt(QSizeF(e.x(), e.y()));
        break;
    }
    case 0x020F:
        pl.offsetWindowOrg(readYX(r));
        break;
    case 0x0211:
        pl.offsetViewportOrg(readYX(r));
        break;
    case 0x0410:
    case 0x0412: {
        const double yd = r.i16(), yn = r.i16(), xd = r.i16(), xn = r.i16();
        if (!r.ok()) break;
        if (function == 0x0410)
            pl.scaleWindowExt(xn, xd, yn, yd);
        else
            pl.scaleViewportExt(xn, xd, yn, yd);
        break;
    }
    case 0x0213: {
        const QPointF p = readYX(r);
        if (r.ok()) pl.lineTo(p);
        break;
    }
    case 0x0214:
        pl.moveTo(readYX(r));
        break;
    case 0x0415:
    case 0x0416: {
        const QRectF rc = readRect(r);
        if (!r.ok()) break;
        if (function == 0x0415)
            pl.excludeClipRect(rc);
        else
            pl.intersectClipRect(rc);
        break;
    }
    case 0x0220:
        pl.offsetClip(readYX(r));
        break;
    case 0x0817:
    case 0x081A:
    case 0x0830: {
        const QPointF end = readYX(r), start = readYX(r);
        const QRectF box = readRect(r);
        if (!r.ok()) break;
        const auto kind = function == 0x0817   ? MetafilePlayer::ArcKind::Arc
                          : function == 0x081A ? MetafilePlayer::ArcKind::Pie
                                               : MetafilePlayer::ArcKind::Chord;
        pl.arc(box, start, end, kind);
        break;
    }
    case 0x0418:
    case 0x041B: {
        const QRectF rc = readRect(r);
        if (!r.ok()) break;
        if (function == 0x0418)
            pl.ellipse(rc);
        else
            pl.rectangle(rc);
        break;
    }
    case 0x061C: {
        const double h = r.i16(), w = r.i16();
        const QRectF rc = readRect(r);
        if (r.ok()) pl.roundRect(rc, QSizeF(w, h));
        break;
    }
    case 0x061D: {
        const quint32 rop = r.u32();
        const double h = r.i16(), w = r.i16();
        const QPointF p = readYX(r);
        if (r.ok()) pl.patBlt(QRectF(p, QSizeF(w, h)), rop);
        break;
    }
    case 0x001E:
        pl.saveDc();
        break;
    case 0x0127:
        pl.restoreDc(r.i16());
        break;
    case 0x041F: {
        const QColor c = readColor(r);
        const QPointF p = readYX(r);
        if (r.ok()) pl.setPixel(p, c);
        break;
    }
    case 0x0521:
        text(r, false);
        break;
    case 0x0A32:
        text(r, true);
        break;
    case 0x0324:
    case 0x0325: {
        const int count = r.i16();
        const QPolygonF pts = readPoints(r, count);
        if (function == 0x0324)
            pl.polygon(pts);
        else
            pl.polyline(pts);
        break;
    }
    case 0x0538: {
        const int n = r.u16();
        if (!r.has(qsizetype(n) * 2)) break;
        std::vector<int> counts(static_cast<size_t>(n));
        for (int& c : counts)
            c = r.u16();
        std::vector<QPolygonF> polys;
        for (int c : counts) {
            QPolygonF p = readPoints(r, c);
            if (p.size() != c) return;
            polys.push_back(std::move(p));
        }
        pl.polyPolygon(polys);
        break;
    }
    case 0x012D:
        pl.selectObject(r.u16());
        break;
    case 0x01F0:
        pl.deleteObject(r.u16());
        break;
    case 0x02FA: {
        GdiObject o;
        o.kind = GdiObject::Kind::Pen;
        o.pen.style = r.u16();
        o.pen.width = r.i16();
        r.i16();
        o.pen.color = readColor(r);
        o.pen.width = std::abs(o.pen.width);
        pl.addObject(o); // a short record still takes its slot, so later indexes stay right
        break;
    }
    case 0x02FC: {
        GdiObject o;
        o.kind = GdiObject::Kind::Brush;
        o.brush.style = r.u16();
        o.brush.color = readColor(r);
        o.brush.hatch = r.u16();
        pl.addObject(o);
        break;
    }
    case 0x02FB: {
        GdiObject o;
        o.kind = GdiObject::Kind::Font;
        o.font.height = r.i16();
        o.font.width = std::abs(r.i16());
        o.font.escapement = r.i16();
        r.i16();
        o.font.weight = r.i16();
        o.font.italic = r.u8();
        o.font.underline = r.u8();
        o.font.strikeOut = r.u8();
        r.skip(5);
        QByteArray face;
        while (r.remaining() > 0 && face.size() < 32) {
            const char c = char(r.u8());
            if (c == 0) break;
            face.append(c);
        }
        o.font.face = fromWindows1252(face);
        pl.addObject(o);
        break;
    }
    case 0x0142: {
        GdiObject o;
        o.kind = GdiObject::Kind::Brush;
        r.u16(); // style
        r.u16(); // colour usage
        o.brush.style = 5;
        o.brush.pattern = decodePackedDib(r.sub(r.remaining()));
        o.brush.color = Qt::gray;
        pl.addObject(o);
        break;
    }
    case 0x01F9: // pattern brush from an old bitmap, palette, region: slots only
    case 0x00F7:
    case 0x06FF: {
        GdiObject o;
        o.kind = GdiObject::Kind::Other;
        if (function == 0x01F9) {
            o.kind = GdiObject::Kind::Brush;
            o.brush.color = Qt::gray;
        }
        pl.addObject(o);
        break;
    }
    case 0x0940:
    case 0x0B41:
    case 0x0F43:
        blit(function, r);
        break;
    default:
        break; // records that do not draw (palettes, escapes, ...) are skipped
    }
}

void WmfMetafile::Dispatcher::text(ByteReader& r, bool extended) {
    QPointF p;
    qsizetype count = 0;
    quint32 options = 0;
    QRectF rect;
    if (extended) {
        p = readYX(r);
        count = r.i16();
        options = r.u16();
        if (options & 0x6) {
            const double l = r.i16(), t = r.i16(), rt = r.i16(), b = r.i16();
            rect = QRectF(QPointF(l, t), QPointF(rt, b));
        }
    } else {
        count = r.i16();
    }
    if (!r.ok() || count < 0 || !r.has(count)) return;
    const QByteArray bytes(reinterpret_cast<const char*>(r.data() + r.pos()), count);
    r.skip(count + (count & 1));
    if (!extended) p = readYX(r);
    if (!r.ok()) return;
    QVector<double> dx;
    if (extended && r.has(count * 2)) {
        dx.reserve(count);
        for (qsizetype i = 0; i < count; ++i)
            dx.append(r.i16());
    }
    pl.textOut(p, fromWindows1252(bytes), dx, options, rect);
}

void WmfMetafile::Dispatcher::blit(quint16 function, ByteReader& r) {
    const quint32 rop = r.u32();
    double sh = 0, sw = 0, sy, sx;
    if (function == 0x0F43) r.u16(); // colour usage
    const qsizetype withoutBitmap = function == 0x0940 ? 18 : function == 0x0B41 ? 22 : 0;
    if (function != 0x0940) {
        sh = r.i16();
        sw = r.i16();
    }
    sy = r.i16();
    sx = r.i16();
    if (withoutBitmap && r.size() == withoutBitmap)
        r.i16(); // reserved word of the form without a bitmap
    double dh = r.i16(), dw = r.i16();
    const QPointF d = readYX(r);
    if (!r.ok()) return;
    if (function == 0x0940) {
        sw = dw;
        sh = dh;
    }
    const QRectF dest(d, QSizeF(dw, dh));
    if (withoutBitmap && r.size() == withoutBitmap) {
        pl.patBlt(dest, rop);
        return;
    }
    const ByteReader dib = r.sub(r.remaining());
    const QImage img = decodePackedDib(dib);
    if (img.isNull()) return;
    pl.drawImage(dest, img, dibSourceRect(dib, img, sx, sy, sw, sh), rop);
}

void WmfMetafile::play(QPainter& painter, const QRect& target) const {
    MetafilePlayer::Setup setup;
    setup.frame = MetafilePlayer::Frame::WindowToTarget;
    setup.defaultWindow = window_;
    setup.objectCount = objectCount_;
    MetafilePlayer player(painter, QRectF(target), setup);
    Dispatcher dispatch(player);
    const auto* bytes = reinterpret_cast<const uchar*>(data_.constData());
    for (const Record& rec : records_) {
        if (!player.canContinue()) break;
        player.addWork(1);
        dispatch.run(rec.function, ByteReader(bytes + rec.offset, rec.length));
    }
}
