#pragma once
#include <initializer_list>
#include <QByteArray>
#include <QImage>
#include <QString>

// Builds small Windows metafiles for tests: a placeable header with the bounds
// (0, 0, width, height) at unitsPerInch, then 16-bit records given in file order.
class WmfWriter {
public:
    explicit WmfWriter(int width = 1000, int height = 1000, int unitsPerInch = 1000,
                       bool placeable = true);
    WmfWriter& rec(quint16 function, std::initializer_list<qint16> params);
    WmfWriter& raw(quint16 function, const QByteArray& params);
    WmfWriter& textOut(int x, int y, const QByteArray& text);
    WmfWriter& font(int height, int weight, const QByteArray& face);
    WmfWriter& dibStretchBlt(int x, int y, int w, int h, const QImage& image);
    QByteArray finish() const;

private:
    QByteArray records_;
    int width_, height_, inch_;
    bool placeable_;
    int maxRecord_ = 3;
};
