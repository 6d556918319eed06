#pragma once
#include "platform/metafile.h"

#include <QRectF>
#include <QSizeF>
#include <vector>

// An enhanced metafile (32-bit records). EMF+ "dual" files are drawn from their plain records;
// the EMF+ comments are skipped. Natural size: the header's frame (0.01 mm) at 96 pixels per
// inch; the frame is mapped onto the target through the reference device's pixels per mm.
class EmfMetafile : public Metafile {
public:
    static std::shared_ptr<const EmfMetafile> parse(const QByteArray& data, QString* error);
    QSize pixelSize() const override { return size_; }
    void play(QPainter& painter, const QRect& target) const override;

    static constexpr quint32 Signature = 0x464D4520u; // " EMF"
    static constexpr qsizetype MaxRecords = 4'000'000;

private:
    struct Record {
        quint32 type;
        qsizetype offset; // of the record (type and size included)
        qsizetype length;
    };
    QByteArray data_;
    std::vector<Record> records_;
    QSize size_;
    QRectF deviceFrame_;
    QSizeF devicePerMm_;
    int objectCount_ = 0;
};
