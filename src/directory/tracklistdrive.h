#pragma once
#include "directory/drivelist.h"
#include "directory/tracklist.h"
#include "directory/treereading.h"

class Dialogs;

// Whether path names a track list file by its extension (.cue, .m3u, .m3u8).
bool IsTrackListFile(const QString& path);

// Reads a track list file into a listing: a CUE sheet (libcue) or an M3U/M3U8 playlist;
// the heading falls back to the file's name. Throws AppError naming the file when it cannot
// be read at all.
DirectoryListing ReadTrackListFile(const QString& path, ReadProblems& problems);
// The listing of the audio CD in a drive, or of a disc image libcdio opens.
DirectoryListing ReadAudioCdListing(const QString& source);

// The drive box's "Track list…" entry: asks for a CUE sheet or playlist each time it is
// chosen; the entry then names the file, which a reading reads.
class TrackListDrive {
public:
    DriveEntry entry() const;
    bool isEntry(const DriveEntry& e) const { return e.kind == DriveKind::TrackList; }
    // False when the dialog was cancelled; the previous file stays.
    bool pick(Dialogs& dialogs);

private:
    QString file_;
};

// The drive box entries "Audio-CD (device)" of the drives holding an audio CD now.
QList<DriveEntry> AudioCdEntries();

// Readings for the drive box: request.start is the track list file or the drive.
void ReadTrackListTree(const TreeReadRequest& request, ReadProgress& progress,
                       DirectoryListing& out);
void ReadAudioCdTree(const TreeReadRequest& request, ReadProgress& progress, DirectoryListing& out);
