#include "document/directorylisting.h"

#include <algorithm>
#include <limits>
#include <QStringDecoder>
#include <QStringEncoder>
#include <stdexcept>

DirectoryListing::DirectoryListing(std::initializer_list<QString> lines) {
    reserve(qsizetype(lines.size()));
    for (const QString& line : lines)
        append(line);
}

DirectoryListing::DirectoryListing(const QStringList& lines) {
    reserve(lines.size());
    for (const QString& line : lines)
        append(line);
}

DirectoryListing::DirectoryListing(qsizetype n, const QString& line) {
    reserve(n);
    for (qsizetype i = 0; i < n; ++i)
        append(line);
}

void DirectoryListing::appendText(QStringView line) {
    const qsizetype start = text_.size();
    // Up to three bytes for every UTF-16 unit; the unused part goes again at once, while
    // the capacity grows as for any append.
    text_.resize(start + 3 * line.size());
    QStringEncoder utf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    char* end = utf8.appendToBuffer(text_.data() + start, line);
    text_.resize(end - text_.constData());
    if (text_.size() > qsizetype(std::numeric_limits<quint32>::max())) {
        text_.resize(start);
        throw std::length_error("directory listing larger than 4 GiB");
    }
}

void DirectoryListing::append(QStringView line) {
    appendText(line);
    ends_.append(quint32(text_.size()));
}

void DirectoryListing::append(const DirectoryListing& other) {
    const qsizetype base = text_.size();
    if (base + other.text_.size() > qsizetype(std::numeric_limits<quint32>::max()))
        throw std::length_error("directory listing larger than 4 GiB");
    text_.append(other.text_);
    ends_.reserve(ends_.size() + other.ends_.size());
    for (const quint32 end : other.ends_)
        ends_.append(quint32(base + end));
}

void DirectoryListing::replace(qsizetype i, QStringView line) {
    const QByteArray bytes = line.toUtf8();
    const QByteArrayView old = utf8At(i);
    const qsizetype start = old.constData() - text_.constData();
    const qint64 delta = bytes.size() - old.size();
    if (qint64(text_.size()) + delta > qint64(std::numeric_limits<quint32>::max()))
        throw std::length_error("directory listing larger than 4 GiB");
    text_.replace(start, old.size(), bytes);
    for (qsizetype k = i; k < ends_.size(); ++k)
        ends_[k] = quint32(ends_[k] + delta);
}

void DirectoryListing::remove(qsizetype i, qsizetype n) {
    if (n <= 0) return;
    const qsizetype start = i == 0 ? 0 : ends_[i - 1];
    const qsizetype length = ends_[i + n - 1] - start;
    text_.remove(start, length);
    ends_.remove(i, n);
    for (qsizetype k = i; k < ends_.size(); ++k)
        ends_[k] -= quint32(length);
}

void DirectoryListing::clear() {
    text_.clear();
    ends_.clear();
}

// Element by element: QList's own comparison hands a null pointer to memcmp for an empty
// list that never held anything.
bool operator==(const DirectoryListing& a, const DirectoryListing& b) {
    return a.text_ == b.text_ &&
           std::equal(a.ends_.cbegin(), a.ends_.cend(), b.ends_.cbegin(), b.ends_.cend());
}

QStringList DirectoryListing::toStringList() const {
    QStringList lines;
    lines.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        lines.append(at(i));
    return lines;
}

QString DirectoryListing::at(qsizetype i) const {
    QString line;
    decodeInto(line, i);
    return line;
}

const QString& DirectoryListing::decodeInto(QString& buffer, qsizetype i) const {
    const QByteArrayView bytes = utf8At(i);
    buffer.resize(bytes.size()); // never more UTF-16 units than UTF-8 bytes
    // A mark U+FEFF at the start of a line is a letter of the line here.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QChar* end = utf8.appendToBuffer(buffer.data(), bytes);
    buffer.resize(end - buffer.constData());
    return buffer;
}

int EntryIndentLevel(const QString& line) {
    if (line.isEmpty())
        return 1;
    qsizetype i = 0;
    while (i < line.size() - 1 && line[i] == u' ')
        ++i;
    return int(i + 1);
}
