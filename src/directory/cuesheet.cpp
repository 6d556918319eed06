#include "directory/cuesheet.h"
#include "directory/audiotags.h"
#include "directory/directorystrings.h"
#include "platform/apperror.h"
#include "platform/stringtable.h"
#include "platform/textcodec.h"

#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSet>
#include <unistd.h>

extern "C" {
#include <libcue.h>
}

namespace {
constexpr qint64 kFramesPerSecond = 75;
constexpr qint64 kRawSectorBytes = 2352; // a sector of CD audio in a BIN file
constexpr int kMaxRetries = 100;
constexpr long kMaxFrames = 100L * 3600 * kFramesPerSecond; // beyond 100 hours: not a position

// The commands of the format; a line starting with anything else is left out when libcue
// refuses the whole sheet.
const QSet<QString>& commands() {
    static const QSet<QString> c = {
        QStringLiteral("REM"),      QStringLiteral("CATALOG"),    QStringLiteral("CDTEXTFILE"),
        QStringLiteral("FILE"),     QStringLiteral("FLAGS"),      QStringLiteral("INDEX"),
        QStringLiteral("ISRC"),     QStringLiteral("PERFORMER"),  QStringLiteral("POSTGAP"),
        QStringLiteral("PREGAP"),   QStringLiteral("SONGWRITER"), QStringLiteral("TITLE"),
        QStringLiteral("TRACK"),    QStringLiteral("ARRANGER"),   QStringLiteral("COMPOSER"),
        QStringLiteral("MESSAGE"),  QStringLiteral("DISC_ID"),    QStringLiteral("GENRE"),
        QStringLiteral("UPC_EAN"),  QStringLiteral("SIZE_INFO"),  QStringLiteral("TOC_INFO1"),
        QStringLiteral("TOC_INFO2")};
    return c;
}

QString firstWord(const QString& line) {
    return line.trimmed().section(u' ', 0, 0).section(u'\t', 0, 0).toUpper();
}

struct CdDeleter {
    void operator()(Cd* cd) const { cd_delete(cd); }
};
using CdPtr = std::unique_ptr<Cd, CdDeleter>;

// libcue's parser keeps its state in globals, and it writes every character it cannot read
// to the terminal; the reader counts such lines itself, so that output is dropped.
CdPtr parse(const QStringList& lines) {
    static QMutex mutex;
    const QMutexLocker lock(&mutex);
    const QByteArray utf8 = lines.join(u'\n').toUtf8() + '\n';
    std::fflush(stderr);
    const int terminal = ::dup(STDERR_FILENO);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (terminal >= 0 && null >= 0) ::dup2(null, STDERR_FILENO);
    CdPtr cd(cue_parse_string(utf8.constData()));
    std::fflush(stderr);
    if (terminal >= 0 && null >= 0) ::dup2(terminal, STDERR_FILENO);
    if (null >= 0) ::close(null);
    if (terminal >= 0) ::close(terminal);
    return cd;
}

QString text(const char* s) {
    return s ? QString::fromUtf8(s).trimmed() : QString();
}

// The playing time of a whole audio file, or -1.
qint64 fileLength(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("bin") || ext == QLatin1String("img") || ext == QLatin1String("raw"))
        return QFileInfo(path).size() / kRawSectorBytes * 1000 / kFramesPerSecond;
    const std::optional<TrackInfo> audio = ReadAudioFile(QFile::encodeName(path));
    return audio ? audio->ms : -1;
}
} // namespace

TrackList ReadCueSheet(const QByteArray& bytes, const QString& folder, const QString& name,
                       ReadProblems& problems) {
    QStringList lines = splitLines(decodeText(bytes)); // a BOM is dropped by decodeText
    for (QString& line : lines)
        line.replace(QChar(0), u' ');
    CdPtr cd = parse(lines);
    if (!cd) {
        QList<int> numbers;
        QStringList kept;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (commands().contains(firstWord(lines[i]))) {
                kept << lines[i];
                numbers << int(i + 1);
            } else if (!lines[i].trimmed().isEmpty()) {
                problems.add(LadeTextArg(StrProblemLine, QString::number(i + 1), name));
            }
        }
        cd = parse(kept);
        // Still refused: leave out tracks from the end until the rest reads.
        for (int retry = 0; !cd && retry < kMaxRetries; ++retry) {
            qsizetype last = kept.size() - 1;
            while (last >= 0 && firstWord(kept[last]) != QLatin1String("TRACK"))
                --last;
            if (last < 0) break;
            problems.add(LadeTextArg(StrProblemLine, QString::number(numbers[last]), name));
            kept.resize(last);
            numbers.resize(last);
            cd = parse(kept);
        }
    }
    if (!cd || cd_get_ntrack(cd.get()) < 1)
        throw AppError(LadeTextArg(StrTrackListUnreadable, name));

    TrackList list;
    const Cdtext* disc = cd_get_cdtext(cd.get());
    list.performer = text(cdtext_get(PTI_PERFORMER, disc));
    list.album = text(cdtext_get(PTI_TITLE, disc));
    struct Place {
        QString file;
        long start;
    };
    std::vector<Place> places;
    for (int i = 1; i <= cd_get_ntrack(cd.get()); ++i) {
        const Track* t = cd_get_track(cd.get(), i);
        if (!t || track_get_mode(t) != MODE_AUDIO) continue; // data tracks hold no music
        const Cdtext* cdtext = track_get_cdtext(t);
        long start = track_get_index(t, 1); // -1: the sheet gives no position
        if (start > kMaxFrames) start = -1;
        list.tracks.push_back(
            {text(cdtext_get(PTI_PERFORMER, cdtext)), text(cdtext_get(PTI_TITLE, cdtext)), -1});
        places.push_back({text(track_get_filename(t)), start});
    }

    // A track runs to the next one placed in its file, the last one to the file's end.
    QSet<QString> missing;
    for (std::size_t i = 0; i < places.size(); ++i) {
        const Place& p = places[i];
        if (p.start < 0) continue;
        std::size_t next = i + 1;
        while (next < places.size() && places[next].file == p.file && places[next].start < 0)
            ++next;
        qint64 end = -1;
        if (next < places.size() && places[next].file == p.file) {
            end = places[next].start * 1000 / kFramesPerSecond;
        } else if (const QString path = FindListedFile(p.file, folder); !path.isEmpty()) {
            end = fileLength(path);
        } else if (!missing.contains(p.file)) {
            missing.insert(p.file);
            problems.add(LadeTextArg(StrProblemMissing, p.file));
        }
        const qint64 begin = p.start * 1000 / kFramesPerSecond;
        if (end > begin) list.tracks[i].ms = end - begin;
    }
    return list;
}
