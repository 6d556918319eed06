// A folder of 2,000 tagged MP3 files read in files mode with and without titles and playing
// times as comments (the option is to cost at most three times the plain reading): the first
// reading, with nothing in the tag cache, and a reading again.
#include "benchsupport.h"
#include "directory/audiotagcache.h"
#include "directory/treereading.h"

#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <QCoreApplication>
#include <QDataStream>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <taglib/fileref.h>
#include <taglib/tag.h>
#include <unistd.h>

namespace {
constexpr int kFiles = 2000;

bool makeMp3(const QString& mp3) {
    const QString wav = mp3 + QStringLiteral(".wav");
    QFile f(wav);
    if (!f.open(QIODevice::WriteOnly)) return false;
    // 3 s, 44.1 kHz mono 16 bit: LAME then writes its Info frame, as in the files people have,
    // and the file is larger than what the tag reading holds at once, so both ends are read.
    const quint32 data = 44100 * 2 * 3;
    QDataStream out(&f);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + data);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(44100) << quint32(88200) << quint16(2)
        << quint16(16);
    out.writeRawData("data", 4);
    out << data;
    f.write(QByteArray(int(data), '\0'));
    f.close();
    const bool ok =
        QProcess::execute(QStringLiteral("lame"), {QStringLiteral("--quiet"), wav, mp3}) == 0;
    QFile::remove(wav);
    return ok;
}

enum class Reading { Plain, First, Again };

double readSeconds(const QString& folder, Reading reading, qsizetype& lines) {
    const bool audio = reading != Reading::Plain;
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        if (reading == Reading::First) AudioTagCache::instance().clear();
        ReadProgress progress;
        DirectoryListing out;
        QElapsedTimer timer;
        timer.start();
        ReadFolderTree({QStringLiteral("/"), folder, {}, 7, {false, QStringLiteral("*"), audio}},
                       progress, out);
        best = std::min(best, timer.nsecsElapsed() / 1e9);
        lines = out.size();
    }
    return best;
}
// What no tag reading can go below: each file opened, its first and last 4 KiB read and
// closed again, on one thread.
double systemCallSeconds(const QString& folder) {
    double best = 1e9;
    const QByteArray dirPath = QFile::encodeName(folder);
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        DIR* dir = ::opendir(dirPath.constData());
        char buffer[4096];
        while (const dirent* e = ::readdir(dir)) {
            if (e->d_name[0] == '.') continue;
            const int fd = ::openat(dirfd(dir), e->d_name, O_RDONLY | O_CLOEXEC);
            if (fd < 0) continue;
            const off_t end = ::lseek(fd, 0, SEEK_END);
            if (::pread(fd, buffer, sizeof buffer, 0) < 0 ||
                ::pread(fd, buffer, sizeof buffer, std::max<off_t>(0, end - 4096)) < 0)
                std::fprintf(stderr, "read failed\n");
            ::close(fd);
        }
        ::closedir(dir);
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    return best;
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true); // the user's tag cache stays as it is
    QTemporaryDir tmp;
    const QString folder = tmp.filePath(QStringLiteral("mp3"));
    QDir().mkpath(folder);
    const QString first = folder + QStringLiteral("/0000.mp3");
    if (!makeMp3(first)) {
        std::fprintf(stderr, "lame is needed to make the MP3 files\n");
        return 1;
    }
    for (int i = 0; i < kFiles; ++i) {
        const QString file = folder + QStringLiteral("/%1.mp3").arg(i, 4, 10, QLatin1Char('0'));
        if (i > 0) QFile::copy(first, file);
        TagLib::FileRef ref(QFile::encodeName(file).constData());
        ref.tag()->setArtist(TagLib::String(QStringLiteral("Artist %1").arg(i % 37).toStdString()));
        ref.tag()->setTitle(TagLib::String(QStringLiteral("Title number %1").arg(i).toStdString()));
        ref.save();
    }
    qsizetype plainLines = 0, firstLines = 0, againLines = 0;
    const double plain = readSeconds(folder, Reading::Plain, plainLines);
    const double firstTime = readSeconds(folder, Reading::First, firstLines);
    const double againTime = readSeconds(folder, Reading::Again, againLines);
    const double calls = systemCallSeconds(folder);
    std::printf("audio tags: %d tagged MP3 files, plain reading %.1f ms, with titles and times "
                "%.1f ms (%.1f x) the first time and %.1f ms (%.1f x) again, %lld lines; opening "
                "and reading both ends of every file alone, one thread: %.1f ms (%.1f x with the "
                "plain reading)\n",
                kFiles, plain * 1000, firstTime * 1000, firstTime / plain, againTime * 1000,
                againTime / plain, (long long)firstLines, calls * 1000, (plain + calls) / plain);
    AudioTagCache::instance().clear();
    return plainLines == firstLines && plainLines == againLines ? 0 : 1;
}
