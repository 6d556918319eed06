// BMP and ICO through the picture container: the first byte picks the kind.
#include "fuzzapp.h"
#include "platform/apperror.h"
#include "platform/picture.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ensureFuzzApp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const QString suffix = (data[0] & 1) ? QStringLiteral("ico") : QStringLiteral("bmp");
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    try {
        const Picture p = Picture::decode(bytes, suffix, QStringLiteral("fuzz"));
        QImage img(32, 32, QImage::Format_RGB32);
        QPainter painter(&img);
        p.draw(painter, img.rect());
    } catch (const AppError&) {
    }
    return 0;
}
