#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

// A mounted file system as the system reports it (QStorageInfo), so the choice of drives
// can be tested with made-up mounts.
struct MountedVolume {
    QString rootPath;
    QByteArray device;
    QByteArray fileSystemType;
    QString name; // the volume label, often empty
};

// One entry of the drive box. Folder entries are mounted volumes (or the home folder) whose
// folders are read directly; other kinds bring their own way of reading a tree (Other: a
// disc image; TrackList: a CUE sheet or playlist; AudioCd: a drive holding an audio CD).
enum class DriveKind { Folder, Other, TrackList, AudioCd };

struct DriveEntry {
    DriveKind kind = DriveKind::Folder;
    QString label;
    QString location; // mount point or folder, without a trailing "/" except the root
    bool optical = false;
    bool removable = false; // a disc or a medium the desktop mounted (below /media, /run/media)
    // What the box shows: the label and the mount point (of another kind the file name).
    QString displayText() const;
    bool operator==(const DriveEntry&) const = default;
};

// The volumes a user would pick a listing from: optical discs first, then the root file
// system, the home folder, and every medium mounted below /media, /run/media or /mnt.
class DriveList {
public:
    static QList<DriveEntry> build(const QList<MountedVolume>& volumes, const QString& home);
    // The mounted volumes now, from QStorageInfo.
    static QList<MountedVolume> systemVolumes();
    static QList<DriveEntry> current();

    // The folder entry whose location holds path (the longest one), or -1.
    static int entryFor(const QList<DriveEntry>& entries, const QString& path);
};

// The heading of a listing read from a removable volume or a disc image: the volume label,
// ":\\" and the folder inside it with "\\" ("MYDISC:\\MUSIK\\").
QString VolumeHeading(const QString& label, const QString& folderInside);
