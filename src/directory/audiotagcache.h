#pragma once
#include <mutex>
#include <optional>
#include <QString>
#include <sys/stat.h>
#include <unordered_map>

// The comments made of audio files' tags, kept per user between readings and sessions, so
// that a folder read again costs a look at each file's details instead of its tags: a music
// collection or a disc is read once with the audio option, and every later reading of it
// costs little more than a plain one.
//
// A file is known by its device and inode; what was read of it holds while its size and its
// modification and change times stay the same to the nanosecond (a tag editor told to keep
// the modification time still changes the change time). The cache lives in memory from the
// first reading that uses it and is written to the user's cache folder when the program
// ends; a missing, unreadable or damaged cache file is an empty cache. It keeps the files
// used most recently, up to a limit.
class AudioTagCache {
public:
    // The comment of a file ("Artist – Title (m:ss)"), or nothing: the file holds no audio.
    using Comment = std::optional<QString>;

    static AudioTagCache& instance();

    // Nothing when the file is unknown or has changed since.
    std::optional<Comment> find(const struct stat& st);
    void put(const struct stat& st, const Comment& comment);
    // Whether any file is known (before that, nothing is worth looking up).
    bool empty();

    // Writes the cache file if anything changed (at the end of the program).
    void save();
    // Forgets every file, also in the cache file (benchmarks of a first reading).
    void clear();

    static constexpr size_t kLimit = 100000;
    // The user's cache file: "zarvex/audiotags" in the user's cache folder.
    static QString file();

private:
    AudioTagCache() = default;
    void loadOnce();

    struct Key {
        quint64 device, inode;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        size_t operator()(const Key& k) const { return k.inode * 0x9E3779B97F4A7C15ull ^ k.device; }
    };
    struct Entry {
        qint64 size, mtime, ctime; // times in nanoseconds
        quint32 used;              // the session that last used it
        Comment comment;
    };

    std::mutex mutex_;
    bool loaded_ = false;
    bool changed_ = false;
    quint32 session_ = 0;
    QString file_;
    std::unordered_map<Key, Entry, KeyHash> entries_;
};
