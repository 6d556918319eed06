#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>

#include <QSize>

// What decoding found besides the picture.
struct JpegNotes {
    bool incomplete = false; // the data ended early; the rest of the picture is grey
    QSize tooLarge;          // set when the picture is refused for its size alone
};

// Decodes a JPEG with libjpeg: grey, RGB, CMYK and YCCK (inverted when the Adobe marker
// says so), baseline or progressive, turned upright by its EXIF orientation (libexif).
// Returns a null image and sets *error on failure.
QImage decodeJpeg(const QByteArray& data, QString* error = nullptr, JpegNotes* notes = nullptr);

// The EXIF orientation (1..8) of JPEG data; 1 when there is none.
int JpegExifOrientation(const QByteArray& data);
// image turned and mirrored so that a picture stored with orientation shows upright.
QImage OrientUpright(const QImage& image, int orientation);
