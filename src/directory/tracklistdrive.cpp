#include "directory/tracklistdrive.h"
#include "directory/audiocd.h"
#include "directory/cuesheet.h"
#include "directory/directorystrings.h"
#include "directory/playlist.h"
#include "platform/apperror.h"
#include "platform/dialogs.h"
#include "platform/stringtable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
constexpr qint64 kMaxCueSheet = 1 << 20;    // a sheet of 99 tracks is a few kilobytes
constexpr qint64 kMaxPlaylist = 64ll << 20; // a million entries
} // namespace

bool IsTrackListFile(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    return ext == QLatin1String("cue") || ext == QLatin1String("m3u") ||
           ext == QLatin1String("m3u8");
}

DirectoryListing ReadTrackListFile(const QString& path, ReadProblems& problems) {
    const QFileInfo info(path);
    const bool cue = info.suffix().compare(QLatin1String("cue"), Qt::CaseInsensitive) == 0;
    QFile file(path);
    if (!info.isFile() || info.size() > (cue ? kMaxCueSheet : kMaxPlaylist) ||
        !file.open(QIODevice::ReadOnly))
        throw AppError(LadeTextArg(StrTrackListUnreadable, path));
    const QByteArray bytes = file.readAll();
    const QString folder = info.absolutePath();
    const TrackList list =
        cue ? ReadCueSheet(bytes, folder, path, problems) : ReadPlaylist(bytes, folder, problems);
    return TrackListing(list, info.completeBaseName());
}

DirectoryListing ReadAudioCdListing(const QString& source) {
    return TrackListing(ReadAudioCd(source), LadeText(StrAudioCdHeading));
}

DriveEntry TrackListDrive::entry() const {
    if (file_.isEmpty()) return DriveEntry{DriveKind::TrackList, LadeText(StrTrackListEntry), {}};
    return DriveEntry{DriveKind::TrackList, QString(), file_};
}

bool TrackListDrive::pick(Dialogs& dialogs) {
    FileDialogRequest request;
    request.title = LadeText(StrTrackListOpenTitle);
    request.filter = LadeText(StrTrackListFilter);
    if (file_.isEmpty()) {
        request.directory = QDir::homePath();
    } else {
        request.directory = QFileInfo(file_).absolutePath();
        request.fileName = QFileInfo(file_).fileName();
    }
    const std::optional<QString> chosen = dialogs.openFile(request);
    if (!chosen) return false;
    file_ = *chosen;
    return true;
}

QList<DriveEntry> AudioCdEntries() {
    QList<DriveEntry> entries;
    for (const QString& drive : AudioCdDrives())
        entries << DriveEntry{DriveKind::AudioCd, LadeTextArg(StrAudioCdEntry, drive), drive, true};
    return entries;
}

void ReadTrackListTree(const TreeReadRequest& request, ReadProgress& progress,
                       DirectoryListing& out) {
    progress.folderOpened(QFile::encodeName(request.start));
    out = ReadTrackListFile(request.start, progress.problems);
}

void ReadAudioCdTree(const TreeReadRequest& request, ReadProgress& progress,
                     DirectoryListing& out) {
    progress.folderOpened(QFile::encodeName(request.start));
    out = ReadAudioCdListing(request.start);
}
