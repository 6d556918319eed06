#include "directory/listingwriter.h"
#include "platform/apperror.h"
#include "platform/stringtable.h"
#include "platform/textcodec.h"

#include <QSaveFile>

namespace {
constexpr qsizetype kChunk = 32 * 1024;
}

void ListingWriter::add(QStringView text) {
    pending_ += text;
    flushIfFull();
}

void ListingWriter::add(QLatin1StringView text) {
    pending_ += text;
    flushIfFull();
}

void ListingWriter::endLine() {
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

bool ListingWriter::needsUtf8(const QStringList& lines) {
    for (const QString& l : lines)
        if (!fitsWindows1252(l)) return true;
    return false;
}

void ListingWriter::saveFile(const QString& path, const std::function<bool(QIODevice&)>& fill) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        throw AppError(LadeTextArg(StrCannotWrite, path, f.errorString()));
    if (!fill(f) || !f.commit()) throw AppError(LadeTextArg(StrCannotWrite, path, f.errorString()));
}
