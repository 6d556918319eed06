#include "directory/drivelist.h"
#include "directory/directorystrings.h"
#include "platform/stringtable.h"

#include <algorithm>
#include <cstring>
#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace {
QString withoutTrailingSlash(QString path) {
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

bool isOptical(const MountedVolume& v) {
    const QByteArray fs = v.fileSystemType.toLower();
    return fs == "iso9660" || fs == "udf" || v.device.startsWith("/dev/sr") ||
           v.device.startsWith("/dev/cdrom");
}

// Media the desktop mounts for the user, and what an administrator mounts by hand.
bool isUserMedium(const QString& mountPoint) {
    for (const char* prefix : {"/media/", "/run/media/", "/mnt/"})
        if (mountPoint.startsWith(QLatin1String(prefix)) &&
            mountPoint.size() > qsizetype(std::strlen(prefix)))
            return true;
    return false;
}

bool isRemovableMedium(const QString& mountPoint) {
    return mountPoint.startsWith(QLatin1String("/media/")) ||
           mountPoint.startsWith(QLatin1String("/run/media/"));
}

bool holds(const QString& location, const QString& path) {
    if (location == QLatin1String("/")) return path.startsWith(QLatin1Char('/'));
    return path == location || path.startsWith(location + QLatin1Char('/'));
}
} // namespace

QString DriveEntry::displayText() const {
    if (location.isEmpty() || kind == DriveKind::AudioCd) return label; // names its drive
    // Another kind names a file (a disc image); its folders would crowd the narrow box.
    const QString place = kind == DriveKind::Folder ? location : QFileInfo(location).fileName();
    if (label.isEmpty() || label == place) return place;
    return QStringLiteral("%1  (%2)").arg(label, place);
}

QList<DriveEntry> DriveList::build(const QList<MountedVolume>& volumes, const QString& home) {
    QList<DriveEntry> optical, media;
    for (const MountedVolume& v : volumes) {
        const QString at = withoutTrailingSlash(v.rootPath);
        if (!isUserMedium(at)) continue;
        DriveEntry e;
        e.location = at;
        e.label = v.name.isEmpty() ? QDir(at).dirName() : v.name;
        e.optical = isOptical(v);
        e.removable = e.optical || isRemovableMedium(at);
        QList<DriveEntry>& into = e.optical ? optical : media;
        if (!into.contains(e)) into.append(e);
    }
    const auto byLocation = [](const DriveEntry& a, const DriveEntry& b) {
        return a.location < b.location;
    };
    std::sort(optical.begin(), optical.end(), byLocation);
    std::sort(media.begin(), media.end(), byLocation);

    QList<DriveEntry> out = optical;
    out.append(DriveEntry{DriveKind::Folder, LadeText(StrDirSystemDrive), QStringLiteral("/")});
    const QString h = withoutTrailingSlash(home);
    if (!h.isEmpty() && h != QLatin1String("/"))
        out.append(DriveEntry{DriveKind::Folder, LadeText(StrDirHomeFolder), h});
    out.append(media);
    return out;
}

QList<MountedVolume> DriveList::systemVolumes() {
    QList<MountedVolume> out;
    for (const QStorageInfo& s : QStorageInfo::mountedVolumes()) {
        if (!s.isValid()) continue;
        out.append({s.rootPath(), s.device(), s.fileSystemType(), s.name()});
    }
    return out;
}

QList<DriveEntry> DriveList::current() {
    return build(systemVolumes(), QDir::homePath());
}

int DriveList::entryFor(const QList<DriveEntry>& entries, const QString& path) {
    int best = -1;
    for (int i = 0; i < entries.size(); ++i) {
        const DriveEntry& e = entries[i];
        if (e.kind != DriveKind::Folder || !holds(e.location, path)) continue;
        if (best < 0 || e.location.size() > entries[best].location.size()) best = i;
    }
    return best;
}

QString VolumeHeading(const QString& label, const QString& folderInside) {
    QString inside = folderInside;
    inside.replace(u'/', u'\\');
    while (inside.startsWith(u'\\'))
        inside.remove(0, 1);
    while (inside.endsWith(u'\\'))
        inside.chop(1);
    return label + QStringLiteral(":\\") + (inside.isEmpty() ? QString() : inside + u'\\');
}
