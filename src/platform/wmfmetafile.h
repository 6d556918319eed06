#pragma once
#include "platform/metafile.h"

#include <vector>

// A Windows metafile (16-bit records), with or without the placeable header.
// Natural size: the placeable bounds at its units per inch, shown at 96 pixels per inch;
// without that header the first window extent is taken as pixels (100 x 100 when there is none).
class WmfMetafile : public Metafile {
public:
    static std::shared_ptr<const WmfMetafile> parse(const QByteArray& data, QString* error);
    QSize pixelSize() const override { return size_; }
    void play(QPainter& painter, const QRect& target) const override;

    static constexpr quint32 PlaceableKey = 0x9AC6CDD7u;
    static constexpr qsizetype MaxRecords = 4'000'000;

private:
    struct Record {
        quint16 function;
        qsizetype offset; // of the parameters
        qsizetype length; // bytes of parameters
    };
    class Dispatcher;

    QByteArray data_;
    std::vector<Record> records_;
    QSize size_;
    QRectF window_; // the logical rectangle that fills the target by default
    int objectCount_ = 0;
};
