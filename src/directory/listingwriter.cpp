#include "directory/listingwriter.h"
#include "platform/safefile.h"
#include "platform/textcodec.h"

namespace {
constexpr qsizetype kChunk = 32 * 1024;
}

void ListingWriter::add(QStringView text) {
    // Reading drops one byte order mark at the start of a file, so a first line starting
    // with that character gets a mark of its own before it.
    if (!started_ && utf8_ && text.startsWith(QChar(0xFEFF))) pending_ += QChar(0xFEFF);
    started_ = true;
    pending_ += text;
    flushIfFull();
}

void ListingWriter::add(QLatin1StringView text) {
    started_ = true;
    pending_ += text;
    flushIfFull();
}

void ListingWriter::endLine() {
    started_ = true;
    pending_ += QLatin1String("\r\n");
    flushIfFull();
}

void ListingWriter::flushIfFull() {
    if (pending_.size() >= kChunk) finish();
}

bool ListingWriter::finish() {
    if (!pending_.isEmpty()) {
        const QByteArray bytes = utf8_ ? pending_.toUtf8() : toWindows1252(pending_);
        if (device_.write(bytes) != bytes.size()) ok_ = false;
        pending_.resize(0); // keeps the buffer for the next piece
    }
    return ok_;
}

bool ListingWriter::needsUtf8(const DirectoryListing& lines) {
    bool utf8 = !lines.isEmpty() && startsAsUtf16Mark(lines.first());
    lines.forEachLine([&](QStringView l) { utf8 = utf8 || !fitsWindows1252(l); });
    return utf8;
}

void ListingWriter::saveFile(const QString& path, const std::function<bool(QIODevice&)>& fill) {
    SafeFile::save(path, fill);
}
