#include "directory/playlist.h"
#include "directory/audiotags.h"
#include "directory/directorystrings.h"
#include "platform/stringtable.h"
#include "platform/textcodec.h"

#include <optional>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace {
// "#EXTINF:123,Artist - Title"; the length may be followed by attributes ("-1 tvg-id=...").
TrackInfo fromExtInf(QStringView info) {
    TrackInfo track;
    const qsizetype comma = info.indexOf(u',');
    const QStringView length = comma < 0 ? info : info.first(comma);
    bool ok = false;
    const double seconds = length.trimmed().split(u' ').value(0).toDouble(&ok);
    if (ok && seconds >= 0 && seconds < 1e7) track.ms = qint64(seconds * 1000);
    if (comma < 0) return track;
    const QString name = info.sliced(comma + 1).trimmed().toString();
    const qsizetype dash = name.indexOf(QLatin1String(" - "));
    if (dash < 0) {
        track.title = name;
    } else {
        track.performer = name.first(dash).trimmed();
        track.title = name.sliced(dash + 3).trimmed();
    }
    return track;
}

// The local file of an entry line: a path or a file:// address; other addresses (streams)
// have none.
std::optional<QString> localFile(const QString& entry) {
    if (entry.contains(QLatin1String("://"))) {
        const QUrl url(entry);
        if (!url.isLocalFile()) return std::nullopt;
        return url.toLocalFile();
    }
    return entry;
}

QString baseName(const QString& entry) {
    return QFileInfo(QString(entry).replace(u'\\', u'/')).completeBaseName();
}
} // namespace

TrackList ReadPlaylist(const QByteArray& bytes, const QString& folder, ReadProblems& problems) {
    TrackList list;
    QString playlistTitle;
    std::optional<TrackInfo> pending; // from the #EXTINF line before an entry
    for (const QString& raw : splitLines(decodeText(bytes))) {
        const QString line = raw.trimmed();
        if (line.isEmpty()) continue;
        if (line.startsWith(u'#')) {
            if (line.startsWith(QLatin1String("#EXTINF:"), Qt::CaseInsensitive))
                pending = fromExtInf(QStringView(line).sliced(8));
            else if (line.startsWith(QLatin1String("#PLAYLIST:"), Qt::CaseInsensitive))
                playlistTitle = line.sliced(10).trimmed();
            else if (line.startsWith(QLatin1String("#EXTART:"), Qt::CaseInsensitive))
                list.performer = line.sliced(8).trimmed();
            else if (line.startsWith(QLatin1String("#EXTALB:"), Qt::CaseInsensitive))
                list.album = line.sliced(8).trimmed();
            continue;
        }
        if (pending) {
            TrackInfo track = *pending;
            if (track.title.isEmpty()) track.title = baseName(line);
            list.tracks.push_back(track);
            pending.reset();
            continue;
        }
        TrackInfo track;
        track.title = baseName(line);
        if (const std::optional<QString> file = localFile(line)) {
            const QString path = FindListedFile(*file, folder);
            if (path.isEmpty()) {
                problems.add(LadeTextArg(StrProblemMissing, line));
            } else if (const std::optional<TrackInfo> audio =
                           ReadAudioFile(QFile::encodeName(path))) {
                track.performer = audio->performer;
                track.ms = audio->ms;
                if (!audio->title.isEmpty()) track.title = audio->title;
            } else {
                problems.add(LadeTextArg(StrProblemNoAudio, line));
            }
        }
        list.tracks.push_back(track);
    }
    if (list.album.isEmpty()) list.album = playlistTitle;
    return list;
}
