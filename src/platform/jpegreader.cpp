#include "platform/jpegreader.h"
#include "platform/stringtable.h"
#include "platform/systemreason.h"

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <jerror.h>
#include <jpeglib.h>
#include <libexif/exif-data.h>
#include <QTransform>

namespace {
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    jpeg_progress_mgr progress;
    bool incomplete;
    bool tooLarge;
};

void onError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings are not shown, but running out of data before anything was decoded means a
// damaged file: libjpeg would otherwise make up a whole grey picture of the claimed size.
void onMessage(j_common_ptr cinfo, int level) {
    if (level >= 0 || !cinfo->is_decompressor) return;
    const int code = cinfo->err->msg_code;
    if (code != JWRN_JPEG_EOF && code != JWRN_HIT_MARKER) return;
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (d->input_scan_number > 1 || d->input_iMCU_row > 0) {
        if (code == JWRN_JPEG_EOF) err->incomplete = true; // what was read is kept
        return;
    }
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Even the best-compressed Huffman-coded picture needs one bit per 8 x 8 block and colour
// component; twice that many pixels per byte leaves room, a header claiming more lies. The
// bound holds for small files too, so the work of a decoding stays in proportion to the
// file: a few hundred bytes claiming millions of CMYK pixels would cost as much as a photo.
constexpr quint64 MaxPixelsPerByte = 1024;
constexpr quint64 SmallPictureArea = 256 * 256;

// A damaged progressive file can hold endless scans; no real picture needs this many.
void onProgress(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (cinfo->is_decompressor && d->input_scan_number > 300) {
        auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
        err->message[0] = 0; // damaged, nothing more to say
        std::longjmp(err->jump, 1);
    }
}

// Decodes into image; kept free of C++ objects with destructors between setjmp and longjmp.
bool decode(jpeg_decompress_struct& cinfo, ErrorManager& err, const QByteArray& data,
            QImage& image) {
    if (setjmp(err.jump)) return false;
    jpeg_create_decompress(&cinfo);
    cinfo.progress = &err.progress; // set after create, which clears the struct
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_save_markers(&cinfo, JPEG_APP0 + 14, 0xFFFF);
    jpeg_read_header(&cinfo, TRUE);
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    if (cmyk)
        cinfo.out_color_space = JCS_CMYK;
    else if (cinfo.jpeg_color_space == JCS_GRAYSCALE)
        cinfo.out_color_space = JCS_GRAYSCALE;
    else
        cinfo.out_color_space = JCS_RGB;
    // Refuse absurd dimensions, and any its data cannot fill, before allocating.
    const quint64 area = quint64(cinfo.image_width) * cinfo.image_height;
    if (area > 64'000'000ull) {
        err.tooLarge = true;
        std::snprintf(err.message, sizeof err.message, "image too large");
        return false;
    }
    if (cinfo.image_width == 0 || cinfo.image_height == 0 ||
        area > std::max(SmallPictureArea, quint64(data.size()) * MaxPixelsPerByte)) {
        std::snprintf(err.message, sizeof err.message, "image too large for its data");
        return false;
    }
    jpeg_start_decompress(&cinfo);
    const int w = int(cinfo.output_width), h = int(cinfo.output_height);
    const int comps = cinfo.output_components;
    image = QImage(w, h, comps == 1 ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    if (image.isNull()) {
        err.tooLarge = true;
        std::snprintf(err.message, sizeof err.message, "out of memory");
        return false;
    }
    // Adobe writes CMYK inverted; its APP14 marker tells us.
    bool inverted = false;
    for (jpeg_saved_marker_ptr m = cinfo.marker_list; m; m = m->next)
        if (m->marker == JPEG_APP0 + 14 && m->data_length >= 5 &&
            std::memcmp(m->data, "Adobe", 5) == 0)
            inverted = true;
    // The row buffer belongs to libjpeg's pool so an error jump cannot leak it.
    JSAMPARRAY rows = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo),
                                                 JPOOL_IMAGE, JDIMENSION(w * comps), 1);
    const JSAMPLE* row = rows[0];
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rp = rows[0];
        const int y = int(cinfo.output_scanline);
        jpeg_read_scanlines(&cinfo, &rp, 1);
        uchar* line = image.scanLine(y);
        if (comps == 1) {
            std::memcpy(line, row, size_t(w));
        } else if (comps == 3) {
            auto* px = reinterpret_cast<QRgb*>(line);
            for (int x = 0; x < w; ++x)
                px[x] = qRgb(row[3 * x], row[3 * x + 1], row[3 * x + 2]);
        } else {
            auto* px = reinterpret_cast<QRgb*>(line);
            for (int x = 0; x < w; ++x) {
                int c = row[4 * x], m = row[4 * x + 1], yy = row[4 * x + 2], k = row[4 * x + 3];
                if (!inverted) {
                    c = 255 - c;
                    m = 255 - m;
                    yy = 255 - yy;
                    k = 255 - k;
                }
                // inverted CMYK: value = 255 - ink, so colour = value * k / 255
                px[x] = qRgb(c * k / 255, m * k / 255, yy * k / 255);
            }
        }
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

// libjpeg words its errors for developers: the user reads that the file is no JPEG picture
// or is damaged, with libjpeg's words only as the detail of the latter.
QString failureReason(const ErrorManager& err) {
    if (err.pub.msg_code == JERR_NO_SOI) return NotPictureOfKind(QStringLiteral("JPEG"));
    const QString detail = QString::fromLocal8Bit(err.message);
    const QString damaged = LadeText(StrBadPictureData);
    return detail.isEmpty() ? damaged : damaged + QStringLiteral(" (") + detail + u')';
}
} // namespace

int JpegExifOrientation(const QByteArray& data) {
    ExifData* exif =
        exif_data_new_from_data(reinterpret_cast<const unsigned char*>(data.constData()),
                                static_cast<unsigned int>(data.size()));
    if (!exif) return 1;
    int orientation = 1;
    if (ExifEntry* e = exif_content_get_entry(exif->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
        e && e->format == EXIF_FORMAT_SHORT && e->components >= 1 && e->size >= 2)
        orientation = exif_get_short(e->data, exif_data_get_byte_order(exif));
    exif_data_unref(exif);
    return orientation >= 1 && orientation <= 8 ? orientation : 1;
}

QImage OrientUpright(const QImage& image, int orientation) {
    // 2, 4: mirrored; 3: half a turn; 6, 8: a quarter turn clockwise or anticlockwise;
    // 5, 7: a quarter turn clockwise, then mirrored across or upside down.
    const auto turned = [&](int degrees) {
        return image.transformed(QTransform().rotate(degrees));
    };
    switch (orientation) {
    case 2:
        return image.mirrored(true, false);
    case 3:
        return turned(180);
    case 4:
        return image.mirrored(false, true);
    case 5:
        return turned(90).mirrored(true, false);
    case 6:
        return turned(90);
    case 7:
        return turned(90).mirrored(false, true);
    case 8:
        return turned(270);
    default:
        return image;
    }
}

QImage decodeJpeg(const QByteArray& data, QString* error, JpegNotes* notes) {
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onError;
    err.pub.emit_message = onMessage;
    err.progress.progress_monitor = onProgress;
    QImage image;
    const bool ok = decode(cinfo, err, data, image);
    const QSize claimed(int(cinfo.image_width), int(cinfo.image_height));
    jpeg_destroy_decompress(&cinfo);
    if (notes) {
        notes->incomplete = ok && err.incomplete;
        notes->tooLarge = err.tooLarge ? claimed : QSize();
    }
    if (!ok) {
        if (error) *error = failureReason(err);
        return QImage();
    }
    return OrientUpright(image, JpegExifOrientation(data));
}
