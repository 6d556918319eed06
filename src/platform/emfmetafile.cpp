#include "platform/emfmetafile.h"
#include "platform/bytereader.h"
#include "platform/emfdispatcher.h"
#include "platform/metafileplayer.h"
#include "platform/stringtable.h"

#include <cmath>
#include <QPainter>

namespace {
bool fail(QString* error, int id, int record = -1) {
    if (error) *error = record >= 0 ? LadeTextArg(id, record) : LadeText(id);
    return false;
}
} // namespace

std::shared_ptr<const EmfMetafile> EmfMetafile::parse(const QByteArray& data, QString* error) {
    auto mf = std::make_shared<EmfMetafile>();
    mf->data_ = data;
    const ByteReader all(reinterpret_cast<const uchar*>(mf->data_.constData()), mf->data_.size());
    ByteReader r = all;
    const quint32 type = r.u32();
    const quint32 headerSize = r.u32();
    const qint32 bl = r.i32(), bt = r.i32(), br = r.i32(), bb = r.i32();
    const qint32 fl = r.i32(), ft = r.i32(), fr = r.i32(), fb = r.i32();
    const quint32 signature = r.u32();
    if (!r.ok() || type != 1 || signature != Signature) {
        fail(error, StrNotMetafile);
        return nullptr;
    }
    r.u32(); // version
    r.u32(); // bytes
    r.u32(); // records
    const int handles = r.u16();
    r.u16();
    r.u32();
    r.u32();
    r.u32();
    const double devX = r.i32(), devY = r.i32(), mmX = r.i32(), mmY = r.i32();
    if (!r.ok() || headerSize < 88 || headerSize % 4 || headerSize > quint64(all.size())) {
        fail(error, StrMetafileHeader);
        return nullptr;
    }
    double umX = 0, umY = 0;
    if (headerSize >= 108) {
        r.u32();
        r.u32();
        r.u32();
        umX = r.u32();
        umY = r.u32();
    }
    mf->objectCount_ = handles;
    // Reference device resolution; the micrometre sizes are the more precise where present.
    double perMmX = 0, perMmY = 0;
    if (devX > 0 && devY > 0) {
        if (umX > 0 && umY > 0) {
            perMmX = devX / (umX / 1000);
            perMmY = devY / (umY / 1000);
        } else if (mmX > 0 && mmY > 0) {
            perMmX = devX / mmX;
            perMmY = devY / mmY;
        }
    }
    if (!(perMmX > 0.01 && perMmX < 1e5 && perMmY > 0.01 && perMmY < 1e5))
        perMmX = perMmY = 96 / 25.4;
    mf->devicePerMm_ = QSizeF(perMmX, perMmY);
    const double fw = double(fr) - fl, fh = double(fb) - ft;
    if (fw > 0 && fh > 0) {
        mf->deviceFrame_ =
            QRectF(fl * perMmX / 100, ft * perMmY / 100, fw * perMmX / 100, fh * perMmY / 100);
        mf->size_ = QSize(std::max(1, int(std::lround(fw * 96 / 2540))),
                          std::max(1, int(std::lround(fh * 96 / 2540))));
    } else {
        const double bw = double(br) - bl + 1, bh = double(bb) - bt + 1;
        if (bw <= 0 || bh <= 0) {
            fail(error, StrPictureNoSize);
            return nullptr;
        }
        mf->deviceFrame_ = QRectF(bl, bt, bw, bh);
        mf->size_ = QSize(std::max(1, int(std::lround(bw / perMmX * 96 / 25.4))),
                          std::max(1, int(std::lround(bh / perMmY * 96 / 25.4))));
    }
    if (mf->size_.width() > 100000 || mf->size_.height() > 100000) {
        fail(error, StrMetafileHeader);
        return nullptr;
    }
    // Walk the records once, so playing never meets a size that does not fit.
    qsizetype pos = headerSize;
    while (pos + 8 <= all.size()) {
        if (qsizetype(mf->records_.size()) >= MaxRecords) {
            fail(error, StrMetafileTooLarge);
            return nullptr;
        }
        ByteReader h = all.at(quint64(pos), 8);
        const quint32 rtype = h.u32();
        const quint32 size = h.u32();
        if (size < 8 || size % 4 || !all.fits(quint64(pos), size)) {
            fail(error, StrMetafileRecord, int(mf->records_.size() + 1));
            return nullptr;
        }
        if (rtype == 14) // end of file
            break;
        mf->records_.push_back(Record{rtype, pos, qsizetype(size)});
        pos += size;
    }
    return mf;
}

void EmfMetafile::play(QPainter& painter, const QRect& target) const {
    MetafilePlayer::Setup setup;
    setup.frame = MetafilePlayer::Frame::DeviceFrameToTarget;
    setup.deviceFrame = deviceFrame_;
    setup.devicePerMm = devicePerMm_;
    setup.objectCount = objectCount_;
    MetafilePlayer player(painter, QRectF(target), setup);
    EmfDispatcher dispatch(player);
    const auto* bytes = reinterpret_cast<const uchar*>(data_.constData());
    for (const Record& rec : records_) {
        if (!player.canContinue()) break;
        player.addWork(1);
        dispatch.run(rec.type, ByteReader(bytes + rec.offset, rec.length));
    }
}
