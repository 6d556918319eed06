#include "directory/audiotags.h"
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
    return QString::fromStdString(s.to8Bit(true)).trimmed();
}

// An audio file's bytes for TagLib, read only. TagLib reads a tag in many small pieces
// (headers, frames, the ID3v1 and APE places at the end, a backward search for the last
// frame) and asks for the length now and then; through a plain file each is a system call.
// Here seeking and the length cost nothing, and reads are served from one window of the
// file, loaded forwards from the place read or, when reading goes backwards, ending there;
// a piece larger than the window is read directly.
class WindowStream final : public TagLib::IOStream {
public:
    WindowStream(const QByteArray& name, qint64 length, const AudioBytesReader& read)
        : name_(name), length_(std::max<qint64>(length, 0)), read_(read) {}

    TagLib::FileName name() const override { return name_.constData(); }

    TagLib::ByteVector readBlock(unsigned long size) override {
        if (pos_ >= length_ || size == 0) return {};
        const qint64 want = std::min<qint64>(qint64(size), length_ - pos_);
        if (!inWindow(want) && want <= kWindow) load(want);
        if (inWindow(want)) {
            TagLib::ByteVector out(window_.data() + (pos_ - start_), unsigned(want));
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
    static constexpr qint64 kWindow = 4096; // more costs more copying than it saves calls

    bool inWindow(qint64 want) const {
        return pos_ >= start_ && pos_ + want <= start_ + qint64(window_.size());
    }
    void load(qint64 want) {
        qint64 start = pos_ < start_ ? pos_ + want - kWindow : pos_;
        start = std::clamp<qint64>(start, 0, std::max<qint64>(0, length_ - kWindow));
        window_.resize(size_t(std::min(kWindow, length_ - start)));
        window_.resize(size_t(readFully(start, window_.data(), qint64(window_.size()))));
        start_ = start;
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
    qint64 start_ = 0;
    std::vector<char> window_;
};

// The tags of the file name in the folder open as folder (AT_FDCWD: name is a path); a
// file of a folder being read is opened by its name alone, without looking up the
// folder's path again for each.
std::optional<TrackInfo> readAudioAt(int folder, const QByteArray& name) {
    const int fd = ::openat(folder, name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    std::optional<TrackInfo> track;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
        track = ReadAudioBytes(name, st.st_size, [fd](qint64 offset, char* data, qint64 size) {
            return qint64(::pread(fd, data, size_t(size), off_t(offset)));
        });
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
        std::vector<qsizetype> audio;
        for (qsizetype i = 0; i < names.size(); ++i)
            if (isAudioName(QLatin1String(names[i]))) audio.push_back(i); // ASCII endings
        if (audio.empty()) return result;
        const int dir = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        std::vector<std::optional<TrackInfo>> tracks(audio.size());
        std::atomic<size_t> next{0};
        std::atomic<bool> stopped{false};
        auto work = [&] {
            for (size_t k; (k = next.fetch_add(1)) < audio.size();) {
                if (stopped.load(std::memory_order_relaxed)) return;
                if (cancelled && cancelled()) {
                    stopped = true;
                    return;
                }
                tracks[k] = dir < 0 ? std::nullopt : readAudioAt(dir, names[audio[k]]);
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
        if (stopped) return result; // a cancelled reading is thrown away
        for (size_t k = 0; k < audio.size(); ++k) {
            if (tracks[k])
                result[audio[k]] = AudioComment(*tracks[k]);
            else
                problems.add(
                    LadeTextArg(StrProblemNoAudio, QFile::decodeName(folder + names[audio[k]])));
        }
        return result;
    }
};
} // namespace

bool IsAudioFileName(QStringView name) {
    return isAudioName(name);
}

std::optional<TrackInfo> ReadAudioBytes(const QByteArray& name, qint64 length,
                                        const AudioBytesReader& read) {
    WindowStream stream(name, length, read);
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
    return readAudioAt(AT_FDCWD, path);
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
