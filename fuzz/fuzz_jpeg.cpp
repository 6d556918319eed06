// The libjpeg decoder with our colour-space handling.
#include "fuzzapp.h"
#include "platform/jpegreader.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ensureFuzzApp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QString why;
    const QImage img = decodeJpeg(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)), &why);
    if (!img.isNull()) (void)img.pixel(img.width() - 1, img.height() - 1);
    return 0;
}
