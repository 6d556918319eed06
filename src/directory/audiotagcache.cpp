#include "directory/audiotagcache.h"
#include "platform/apperror.h"
#include "platform/safefile.h"

#include <algorithm>
#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <vector>

namespace {
constexpr quint32 kMagic = 0x5A564154; // "ZVAT"
constexpr quint32 kVersion = 1; // raised when the comments are made differently

qint64 nanoseconds(const struct timespec& t) {
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}
} // namespace

AudioTagCache& AudioTagCache::instance() {
    static AudioTagCache cache;
    return cache;
}

QString AudioTagCache::file() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/zarvex/audiotags");
}

void AudioTagCache::loadOnce() {
    if (loaded_) return;
    loaded_ = true;
    file_ = file();
    QDir().mkpath(QFileInfo(file_).absolutePath());
    if (QCoreApplication::instance()) qAddPostRoutine([] { AudioTagCache::instance().save(); });
    QFile f(file_);
    if (!f.open(QIODevice::ReadOnly)) return;
    QDataStream in(&f);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0, version = 0;
    quint64 count = 0;
    in >> magic >> version >> session_ >> count;
    if (magic != kMagic || version != kVersion || count > kLimit) {
        session_ = 0;
        return;
    }
    for (quint64 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        Key key{};
        Entry entry{};
        bool audio = false;
        in >> key.device >> key.inode >> entry.size >> entry.mtime >> entry.ctime >> entry.used >>
            audio;
        if (audio) {
            QString comment;
            in >> comment;
            entry.comment = comment;
        }
        entries_[key] = std::move(entry);
    }
    if (in.status() != QDataStream::Ok) entries_.clear(); // damaged: start afresh
    ++session_;
}

std::optional<AudioTagCache::Comment> AudioTagCache::find(const struct stat& st) {
    std::lock_guard lock(mutex_);
    loadOnce();
    const auto it = entries_.find({quint64(st.st_dev), quint64(st.st_ino)});
    if (it == entries_.end()) return std::nullopt;
    Entry& e = it->second;
    if (e.size != st.st_size || e.mtime != nanoseconds(st.st_mtim) ||
        e.ctime != nanoseconds(st.st_ctim))
        return std::nullopt;
    if (e.used != session_) {
        e.used = session_;
        changed_ = true;
    }
    return e.comment;
}

void AudioTagCache::put(const struct stat& st, const Comment& comment) {
    std::lock_guard lock(mutex_);
    loadOnce();
    entries_[{quint64(st.st_dev), quint64(st.st_ino)}] = {
        st.st_size, nanoseconds(st.st_mtim), nanoseconds(st.st_ctim), session_, comment};
    changed_ = true;
}

bool AudioTagCache::empty() {
    std::lock_guard lock(mutex_);
    loadOnce();
    return entries_.empty();
}

void AudioTagCache::save() {
    std::lock_guard lock(mutex_);
    if (!changed_) return;
    changed_ = false;
    // Over the limit, the files used longest ago go first.
    if (entries_.size() > kLimit) {
        std::vector<quint32> used;
        used.reserve(entries_.size());
        for (const auto& [key, e] : entries_)
            used.push_back(e.used);
        std::nth_element(used.begin(), used.end() - kLimit, used.end());
        const quint32 oldestKept = *(used.end() - kLimit);
        for (auto it = entries_.begin(); it != entries_.end() && entries_.size() > kLimit;)
            it = it->second.used < oldestKept ? entries_.erase(it) : std::next(it);
        for (auto it = entries_.begin(); it != entries_.end() && entries_.size() > kLimit;)
            it = it->second.used == oldestKept ? entries_.erase(it) : std::next(it); // ties
    }
    // A cache that cannot be written is only slower next time: no message.
    try {
        SafeFile::save(file_, [this](QIODevice& device) {
            QDataStream out(&device);
            out.setVersion(QDataStream::Qt_6_0);
            out << kMagic << kVersion << session_ << quint64(entries_.size());
            for (const auto& [key, e] : entries_) {
                out << key.device << key.inode << e.size << e.mtime << e.ctime << e.used
                    << e.comment.has_value();
                if (e.comment) out << *e.comment;
            }
            return out.status() == QDataStream::Ok;
        });
    } catch (const AppError&) {
    }
}

void AudioTagCache::clear() {
    std::lock_guard lock(mutex_);
    loadOnce();
    entries_.clear();
    changed_ = false;
    QFile::remove(file_);
}
