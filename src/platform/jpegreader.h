#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>

// Decodes a JPEG with libjpeg: grey, RGB, CMYK and YCCK (inverted when the Adobe marker
// says so), baseline or progressive. Returns a null image and sets *error on failure.
QImage decodeJpeg(const QByteArray& data, QString* error = nullptr);
