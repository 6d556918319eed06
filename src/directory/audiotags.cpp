#include "directory/audiotags.h"
#include "directory/audiotagcache.h"
#include "directory/directorystrings.h"
#include "platform/stringtable.h"

#include <algorithm>
#include <atomic>
#include <fcntl.h>
#include <memory>
#include <QFile>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <sys/stat.h>
#include <taglib/audioproperties.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>
#include <taglib/tiostream.h>
#include <unistd.h>
#include <vector>

namespace {
QString fromTag(const TagLib::String& s) {
    return QString::fromWCharArray(s.toCWString(), qsizetype(s.size())).trimmed();
}

// An audio file's bytes for TagLib, read only. TagLib reads a tag in many small pieces
// (headers, frames, the ID3v1 and APE places at the end, a backward search for the last
// frame) and asks for the length now and then; through a plain file each is a system call.
// Here seeking and the length cost nothing, and reads are served from two windows of the
// file, so that the start and the end of a file are read once each. A window is loaded
// forwards from the place read or, when reading goes backwards, ending there; a piece
// larger than a window is read directly.
class WindowStream final : public TagLib::IOStream {
public:
    // The windows' bytes are kept in buffers, used again for the next file: TagLib's many
    // small pieces make a fresh 4 KiB block costly to get from the allocator. A buffer that
    // TagLib still holds a view of is copied before it is written (TagLib's byte vectors
    // share their bytes until written).
    using Buffers = TagLib::ByteVector[2];
    WindowStream(const QByteArray& name, qint64 length, const AudioBytesReader& read,
                 Buffers& buffers)
        : name_(name), length_(std::max<qint64>(length, 0)),
          read_(read), windows_{{0, 0, &buffers[0]}, {0, 0, &buffers[1]}} {}

    TagLib::FileName name() const override { return name_.constData(); }

    TagLib::ByteVector readBlock(unsigned long size) override {
        if (pos_ >= length_ || size == 0) return {};
        const qint64 want = std::min<qint64>(qint64(size), length_ - pos_);
        const Window* w = find(want);
        if (!w && want <= kWindow) w = &load(want);
        if (w) { // a view of the window's bytes, as TagLib's own memory stream gives
            const TagLib::ByteVector out = w->bytes->mid(unsigned(pos_ - w->start), unsigned(want));
            pos_ += want;
            return out;
        }
        TagLib::ByteVector out(unsigned(want), '\0');
        const qint64 got = readFully(pos_, out.data(), want);
        out.resize(unsigned(got));
        pos_ += got;
        return out;
    }
    void writeBlock(const TagLib::ByteVector&) override {}
    void insert(const TagLib::ByteVector&, unsigned long, unsigned long) override {}
    void removeBlock(unsigned long, unsigned long) override {}
    bool readOnly() const override { return true; }
    bool isOpen() const override { return true; }
    void seek(long offset, Position p = Beginning) override {
        const qint64 base = p == Beginning ? 0 : p == Current ? pos_ : length_;
        pos_ = std::max<qint64>(0, base + offset);
    }
    long tell() const override { return long(pos_); }
    long length() override { return long(length_); }
    void truncate(long) override {}

private:
    // More costs more copying than it saves calls. At the end of a file TagLib looks only
    // at the last 160 bytes (the ID3v1 tag and the APE footer before it), unless it has to
    // search for the last frame; a window there starts at most kTail before the end.
    static constexpr qint64 kWindow = 4096;
    static constexpr qint64 kTail = 512;

    struct Window {
        qint64 start;
        qint64 size;
        TagLib::ByteVector* bytes;
    };

    const Window* find(qint64 want) {
        for (int i = 0; i < 2; ++i) {
            const Window& w = windows_[i];
            if (pos_ >= w.start && pos_ + want <= w.start + w.size) {
                used_ = i;
                return &w;
            }
        }
        return nullptr;
    }
    // Replaces the window not used last.
    const Window& load(qint64 want) {
        const Window& last = windows_[used_];
        qint64 start = pos_;
        if (pos_ < last.start && last.size > 0)
            start = std::max<qint64>(0, pos_ + want - kWindow); // reading backwards
        else if (pos_ + kWindow >= length_)
            start = std::max<qint64>(0, std::min(pos_, length_ - kTail));
        used_ = 1 - used_;
        Window& w = windows_[used_];
        w.start = start;
        w.bytes->resize(unsigned(kWindow));
        w.size = readFully(start, w.bytes->data(), std::min(kWindow, length_ - start));
        return w;
    }
    qint64 readFully(qint64 offset, char* data, qint64 size) const {
        qint64 done = 0;
        while (done < size) {
            const qint64 got = read_(offset + done, data + done, size - done);
            if (got <= 0) break;
            done += got;
        }
        return done;
    }

    QByteArray name_;
    qint64 length_;
    const AudioBytesReader& read_;
    qint64 pos_ = 0;
    Window windows_[2];
    int used_ = 0;
};

// The tags of the file name in the folder open as folder (AT_FDCWD: name is a path); a
// file of a folder being read is opened by its name alone, without looking up the
// folder's path again for each. st is what the opened file says of itself.
std::optional<TrackInfo> readAudioAt(int folder, const QByteArray& name, struct stat& st) {
    const int fd = ::openat(folder, name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::optional<TrackInfo> track;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
        track = ReadAudioBytes(name, st.st_size, [fd](qint64 offset, char* data, qint64 size) {
            return qint64(::pread(fd, data, size_t(size), off_t(offset)));
        });
    else
        st.st_ino = 0; // nothing to remember
    ::close(fd);
    return track;
}

template <typename Name> bool isAudioName(Name name) {
    static const char* const kinds[] = {".mp3", ".flac", ".ogg", ".oga", ".opus", ".m4a",
                                        ".m4b", ".aac",  ".mp4", ".wav", ".aif",  ".aiff"};
    for (const char* kind : kinds)
        if (name.endsWith(QLatin1String(kind), Qt::CaseInsensitive)) return true;
    return false;
}

// Files of a folder are read on the calling thread and on helpers of a pool kept for the
// whole reading, each taking the next file; a helper is worth its start from a few files.
constexpr int kFilesPerHelper = 4;

struct CommentReading {
    ReadProblems& problems;
    std::function<bool()> cancelled;
    QThreadPool helpers;

    QStringList comments(const QByteArray& folder, const QList<QByteArray>& names) {
        QStringList result(names.size());
        std::vector<bool> noAudio(size_t(names.size()));
        const int dir = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        // What the cache knows goes straight in; the other audio files are read.
        AudioTagCache& cache = AudioTagCache::instance();
        const bool lookUp = dir >= 0 && !cache.empty();
        std::vector<qsizetype> audio;
        for (qsizetype i = 0; i < names.size(); ++i) {
            if (!isAudioName(QLatin1String(names[i]))) continue; // ASCII endings
            struct stat st {};
            std::optional<AudioTagCache::Comment> known;
            // A file read below is looked at again once opened: what the cache keeps must
            // describe the file whose tags were read.
            if (lookUp && ::fstatat(dir, names[i].constData(), &st, 0) == 0) known = cache.find(st);
            if (!known)
                audio.push_back(i);
            else if (*known)
                result[i] = **known;
            else
                noAudio[size_t(i)] = true;
        }
        std::vector<std::optional<TrackInfo>> tracks(audio.size());
        std::vector<struct stat> stats(audio.size());
        std::atomic<size_t> next{0};
        std::atomic<bool> stopped{false};
        auto work = [&] {
            for (size_t k; (k = next.fetch_add(1)) < audio.size();) {
                if (stopped.load(std::memory_order_relaxed)) return;
                if (cancelled && cancelled()) {
                    stopped = true;
                    return;
                }
                if (dir >= 0) tracks[k] = readAudioAt(dir, names[audio[k]], stats[k]);
            }
        };
        const int started = std::min(helpers.maxThreadCount(), int(audio.size()) / kFilesPerHelper);
        QSemaphore finished;
        for (int h = 0; h < started; ++h)
            helpers.start([&] {
                work();
                finished.release();
            });
        work();
        finished.acquire(started);
        if (dir >= 0) ::close(dir);
        // What was read holds also when the reading is cancelled.
        for (size_t k = 0; k < audio.size(); ++k) {
            AudioTagCache::Comment comment;
            if (tracks[k]) comment = AudioComment(*tracks[k]);
            if (stats[k].st_ino != 0) cache.put(stats[k], comment); // opened as a file
            if (comment)
                result[audio[k]] = *comment;
            else
                noAudio[size_t(audio[k])] = true;
        }
        if (stopped) return QStringList(names.size()); // a cancelled reading is thrown away
        for (qsizetype i = 0; i < names.size(); ++i)
            if (noAudio[size_t(i)])
                problems.add(LadeTextArg(StrProblemNoAudio, QFile::decodeName(folder + names[i])));
        return result;
    }
};
} // namespace

bool IsAudioFileName(QStringView name) {
    return isAudioName(name);
}

std::optional<TrackInfo> ReadAudioBytes(const QByteArray& name, qint64 length,
                                        const AudioBytesReader& read) {
    thread_local WindowStream::Buffers buffers;
    WindowStream stream(name, length, read, buffers);
    // TagLib picks the reader by the name's extension and then checks the content.
    TagLib::FileRef file(&stream, true, TagLib::AudioProperties::Average);
    if (file.isNull()) return std::nullopt;
    TrackInfo track;
    if (const TagLib::AudioProperties* audio = file.audioProperties()) {
        const int ms = audio->lengthInMilliseconds();
        if (ms > 0) track.ms = ms;
    }
    if (const TagLib::Tag* tag = file.tag()) {
        track.performer = fromTag(tag->artist());
        track.title = fromTag(tag->title());
    }
    if (track.ms < 0 && track.performer.isEmpty() && track.title.isEmpty()) return std::nullopt;
    return track;
}

std::optional<TrackInfo> ReadAudioFile(const QByteArray& path) {
    struct stat st {};
    return readAudioAt(AT_FDCWD, path, st);
}

QString AudioComment(const TrackInfo& track) {
    QString comment = track.performer;
    if (!track.title.isEmpty()) {
        if (!comment.isEmpty()) comment += QStringLiteral(" – ");
        comment += track.title;
    }
    if (track.ms >= 0) {
        if (!comment.isEmpty()) comment += u' ';
        comment += u'(' + PlayingTime(track.ms) + u')';
    }
    return comment;
}

FolderComments AudioFileComments(ReadProblems& problems, std::function<bool()> cancelled) {
    auto reading =
        std::shared_ptr<CommentReading>(new CommentReading{problems, std::move(cancelled), {}});
    reading->helpers.setMaxThreadCount(std::max(0, QThread::idealThreadCount() - 1));
    return [reading](const QByteArray& folder, const QList<QByteArray>& names) {
        return reading->comments(folder, names);
    };
}
