#pragma once
#include <cstring>
#include <QtGlobal>

// Little-endian reads from an untrusted byte range. Every read is checked against the end;
// a read past it yields 0 and sets ok() to false, so a record parser can read all its fields
// and test once.
class ByteReader {
public:
    ByteReader() = default;
    ByteReader(const uchar* data, qsizetype size) : data_(data), size_(size < 0 ? 0 : size) {}

    qsizetype size() const { return size_; }
    qsizetype pos() const { return pos_; }
    qsizetype remaining() const { return size_ - pos_; }
    bool ok() const { return ok_; }
    const uchar* data() const { return data_; }

    void seek(qsizetype pos) {
        if (pos < 0 || pos > size_) {
            ok_ = false;
            pos_ = size_;
        } else {
            pos_ = pos;
        }
    }
    void skip(qsizetype n) { seek(n < 0 || n > remaining() ? -1 : pos_ + n); }
    bool has(qsizetype n) const { return n >= 0 && n <= remaining(); }

    quint8 u8() { return quint8(take(1)); }
    quint16 u16() { return quint16(take(2)); }
    qint16 i16() { return qint16(take(2)); }
    quint32 u32() { return quint32(take(4)); }
    qint32 i32() { return qint32(quint32(take(4))); }
    float f32() {
        const quint32 v = u32();
        float f;
        std::memcpy(&f, &v, sizeof f);
        return f;
    }
    // A sub-range of n bytes from the current position (empty and !ok() when too short).
    ByteReader sub(qsizetype n) {
        if (!has(n)) {
            ok_ = false;
            return ByteReader();
        }
        ByteReader r(data_ + pos_, n);
        pos_ += n;
        return r;
    }
    // A sub-range at an absolute offset without moving; empty when it does not fit.
    ByteReader at(quint64 offset, quint64 n) const {
        if (offset > quint64(size_) || n > quint64(size_) - offset) return ByteReader(nullptr, 0);
        return ByteReader(data_ + offset, qsizetype(n));
    }
    bool fits(quint64 offset, quint64 n) const {
        return offset <= quint64(size_) && n <= quint64(size_) - offset;
    }

private:
    quint64 take(int n) {
        if (!has(n)) {
            ok_ = false;
            pos_ = size_;
            return 0;
        }
        quint64 v = 0;
        for (int i = 0; i < n; ++i)
            v |= quint64(data_[pos_ + i]) << (8 * i);
        pos_ += n;
        return v;
    }

    const uchar* data_ = nullptr;
    qsizetype size_ = 0;
    qsizetype pos_ = 0;
    bool ok_ = true;
};
