#pragma once
#include <initializer_list>
#include <QByteArray>
#include <QImage>
#include <QString>

// Builds small enhanced metafiles record by record for tests. The reference device is
// 1000 x 1000 pixels on 100 x 100 mm and the frame covers it, so MM_TEXT coordinates
// 0..1000 fill the target.
class EmfWriter {
public:
    EmfWriter();
    // A record of 32-bit fields.
    EmfWriter& rec(quint32 type, std::initializer_list<qint32> fields);
    // A record with raw parameter bytes (after type and size).
    EmfWriter& raw(quint32 type, const QByteArray& params);
    EmfWriter& rect(quint32 type, int l, int t, int r, int b) { return rec(type, {l, t, r, b}); }
    EmfWriter& solidBrush(quint32 index, quint32 colorRef) {
        return rec(39, {qint32(index), 0, qint32(colorRef), 0});
    }
    EmfWriter& nullPen(quint32 index) { return rec(38, {qint32(index), 5, 0, 0, 0}); }
    EmfWriter& select(quint32 index) { return rec(37, {qint32(index)}); }
    EmfWriter& polygon16(quint32 type, std::initializer_list<QPoint> pts);
    EmfWriter& font(quint32 index, int height, int weight, const QString& face, int escapement = 0);
    EmfWriter& textOutW(int x, int y, const QString& text);
    EmfWriter& worldTransform(float m11, float m12, float m21, float m22, float dx, float dy);
    EmfWriter& stretchDiBits(int x, int y, int w, int h, const QImage& image);
    EmfWriter& dibPatternBrush(quint32 index, const QImage& image);
    // The file with an end record; the header counts match.
    QByteArray finish() const;
    // The 24-bit bottom-up DIB (info + bits) of an image.
    static QByteArray dib(const QImage& image, QByteArray* bitsOut = nullptr);

private:
    QByteArray records_;
    int count_ = 0;
};
