#include "platform/textcodec.h"
#include "platform/apperror.h"
#include "platform/safefile.h"
#include "platform/stringtable.h"
#include "platform/systemreason.h"

#include <QFile>
#include <QStringDecoder>

namespace {
// Windows-1252 bytes 0x80..0x9F; 0 marks the five unassigned bytes (kept as C1 controls).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int cp1252Byte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
    for (int i = 0; i < 32; ++i) {
        const char16_t m = kCp1252High[i] ? kCp1252High[i] : char16_t(0x80 + i);
        if (m == c) return 0x80 + i;
    }
    return -1;
}
} // namespace

QString fromWindows1252(const QByteArray& bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        char16_t c = b;
        if (b >= 0x80 && b <= 0x9F && kCp1252High[b - 0x80]) c = kCp1252High[b - 0x80];
        d[i] = QChar(c);
    }
    return out;
}

bool fitsWindows1252(QStringView text) {
    for (QChar ch : text)
        if (cp1252Byte(ch.unicode()) < 0) return false;
    return true;
}

QByteArray toWindows1252(const QString& text) {
    QByteArray out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = cp1252Byte(text[i].unicode());
        out[i] = char(b < 0 ? '?' : b);
    }
    return out;
}

QString decodeText(const QByteArray& bytes) {
    QByteArrayView view(bytes);
    // Files saved as "Unicode" by Windows editors: UTF-16 behind its byte order mark. Read
    // byte by byte they would be letters with NUL characters between them.
    const bool le = view.startsWith("\xFF\xFE"), be = view.startsWith("\xFE\xFF");
    if (le || be) {
        QStringDecoder utf16(le ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        return utf16(view.sliced(2));
    }
    if (view.startsWith("\xEF\xBB\xBF")) view = view.sliced(3);
    bool ascii = true;
    for (char c : view)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) return QString::fromLatin1(view);
    // Only the one mark dropped above: a further one is a character of the text.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString s = utf8(view);
    if (!utf8.hasError()) return s;
    // The mark goes before either decoding; as Windows-1252 it would read as three letters.
    return fromWindows1252(view.toByteArray());
}

bool startsAsUtf16Mark(QStringView text) {
    return text.startsWith(u"\u00FF\u00FE") || text.startsWith(u"\u00FE\u00FF");
}

QByteArray encodeText(const QString& text) {
    if (fitsWindows1252(text) && !startsAsUtf16Mark(text)) return toWindows1252(text);
    // Decoding drops one byte order mark at the start, so a text starting with that
    // character gets a mark of its own before it.
    if (text.startsWith(QChar(0xFEFF))) return "\xEF\xBB\xBF" + text.toUtf8();
    return text.toUtf8();
}

namespace {
template <typename MakeLine> QStringList split(QStringView text, bool stopAtNul, MakeLine line) {
    if (stopAtNul) {
        const qsizetype nul = text.indexOf(QChar(0));
        if (nul >= 0) text = text.first(nul);
    }
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    lines.reserve(text.count(u'\n') + 1); // lone CRs are rare: a guess, not a bound
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines << line(text.sliced(start, i - start));
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ++i;
            start = i + 1;
        }
    }
    if (start < n) lines << line(text.sliced(start));
    return lines;
}
} // namespace

QStringList splitLines(QStringView text, bool stopAtNul) {
    return split(text, stopAtNul, [](QStringView line) { return line.toString(); });
}

QStringList splitLineViews(const QString& text, bool stopAtNul) {
    return split(text, stopAtNul, [](QStringView line) {
        return QString::fromRawData(line.constData(), line.size());
    });
}

QStringList splitLines(const QString& text) {
    return splitLines(QStringView(text), false);
}

QStringList readTextLines(const QString& path, bool stopAtNul) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw AppError(LadeTextArg(StrCannotRead, path, FileReason(f)));
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw AppError(LadeTextArg(StrCannotRead, path, FileReason(f)));
    return splitLines(decodeText(bytes), stopAtNul);
}

QByteArray encodeLines(const QStringList& lines) {
    LineEncoder enc;
    for (const QString& l : lines)
        enc.measure(l);
    QByteArray out;
    out.reserve(enc.size());
    for (const QString& l : lines)
        enc.encode(l, out);
    return out;
}

void LineEncoder::measure(QStringView line) {
    // Both sizes at once: whether the whole fits Windows-1252 is known only at the end.
    bool surrogates = false;
    qint64 utf8 = 0;
    for (const QChar ch : line) {
        const char16_t c = ch.unicode();
        if (fits_ && cp1252Byte(c) < 0) fits_ = false;
        if (QChar::isSurrogate(c)) surrogates = true;
        utf8 += c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
    }
    // Pairs and lone halves as Qt encodes them.
    utf8Bytes_ += surrogates ? line.toUtf8().size() : utf8;
    if (first_ && line.startsWith(QChar(0xFEFF))) bom_ = true;
    if (first_ && startsAsUtf16Mark(line)) fits_ = false;
    first_ = false;
    cp1252Bytes_ += line.size() + 2;
    utf8Bytes_ += 2;
}

qint64 LineEncoder::size() const {
    return fits_ ? cp1252Bytes_ : utf8Bytes_ + (bom_ ? 3 : 0);
}

void LineEncoder::encode(QStringView line, QByteArray& out) {
    if (fits_) {
        const qsizetype at = out.size();
        out.resize(at + line.size());
        char* d = out.data() + at;
        for (const QChar ch : line)
            *d++ = char(cp1252Byte(ch.unicode()));
    } else {
        if (bom_ && !bomWritten_) out += "\xEF\xBB\xBF";
        bomWritten_ = true;
        out += line.toUtf8();
    }
    out += "\r\n";
}

void writeFileSafely(const QString& path, const QByteArray& bytes) {
    SafeFile::save(path, bytes);
}

void writeTextLines(const QString& path, const QStringList& lines) {
    writeFileSafely(path, encodeLines(lines));
}
