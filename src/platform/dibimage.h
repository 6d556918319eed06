#pragma once
#include <QImage>
#include <QRectF>

class ByteReader;

// Decodes a device-independent bitmap as metafiles embed it: the info block (header and
// colour table) and the pixel bits, which may follow the info directly (packed) or lie
// elsewhere. Sizes are checked against both ranges; returns a null image when they do not fit.
QImage decodeDib(const ByteReader& info, const ByteReader& bits);
// A packed DIB: info and bits in one range.
QImage decodePackedDib(const ByteReader& packed);
// True when the DIB's rows run bottom-up (positive height), which puts the source origin of a
// blit at the lower-left corner.
bool dibIsBottomUp(const ByteReader& info);
// The part of a DIB a blit takes, in image coordinates (y from the top).
QRectF dibSourceRect(const ByteReader& info, const QImage& image, double x, double y, double w,
                     double h);
