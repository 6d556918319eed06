// The EMF record player: parse, then play onto a small image.
#include "fuzzapp.h"
#include "platform/emfmetafile.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ensureFuzzApp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString why;
    const auto mf = EmfMetafile::parse(bytes, &why);
    if (!mf) return 0;
    (void)mf->pixelSize();
    QImage img(48, 36, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter painter(&img);
    mf->play(painter, img.rect());
    return 0;
}
