#include "directory/verzeichmodel.h"
#include "directory/directorystrings.h"
#include "directory/listingfilecommands.h"
#include "document/coverdocument.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/picture.h"
#include "platform/stringtable.h"
#include "platform/usersettings.h"
#include "render/layouts.h"
#include "render/primitives.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSettings>

namespace {
constexpr int IdReadDirectory = 272; // "Verzeichnis lesen": the progress window's title
const char* const KeyLastFolder = "DirectoryDialog/lastFolder";

QString withoutTrailingSlash(QString path) {
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

// The folders a reading could not read, in one message: the first few by name.
QString unreadableMessage(const QStringList& folders) {
    constexpr qsizetype Named = 10;
    QString text = LadeText(StrDirUnreadable);
    for (const QString& f : folders.first(std::min(Named, folders.size())))
        text += u'\n' + f;
    if (folders.size() > Named)
        text += u'\n' + LadeTextArg(StrDirUnreadableMore, QString::number(folders.size() - Named));
    return text;
}

// The dialog shows side 2 and 3 with their own rows whatever the layout.
std::optional<SidePlacement> placementFor(int layout, int side) {
    if (auto p = SingleSidePlacement(layout, side)) return p;
    if (side == 2) return SingleSidePlacement(0, 2);
    if (side == 3) return SingleSidePlacement(1, 3);
    return SingleSidePlacement(0, side);
}
} // namespace

VerzeichnisModel::VerzeichnisModel(Dialogs& dialogs)
    : settingsFile(UserSettingsFile()), dialogs_(dialogs) {
    driveSource = [this] {
        return AudioCdEntries() + DriveList::current() << Images.entries() << Tracks.entry();
    };
    readers_[DriveKind::Folder] = &ReadFolderTree;
    readers_[DriveKind::Other] = &ReadImageTree;
    readers_[DriveKind::TrackList] = &ReadTrackListTree;
    readers_[DriveKind::AudioCd] = &ReadAudioCdTree;
}

void VerzeichnisModel::setTreeReader(DriveKind kind, TreeReadFunction read) {
    readers_[kind] = std::move(read);
}

TreeReadFunction VerzeichnisModel::treeReaderFor(DriveKind kind) const {
    const auto it = readers_.find(kind);
    return it == readers_.end() ? TreeReadFunction() : it->second;
}

void VerzeichnisModel::takeFromSide(const CoverDocument& doc, int side) {
    Seite = side;
    CoverLayout = doc.CoverLayout;
    Listing = doc.VerzListe[side];
    Format = doc.VerzFormat[side];
    KopfFormat = doc.KopfFormat[side];
    FussFormat = doc.FussFormat[side];
    HgBild = &doc.HgBild[side];
    HgFormat = doc.HgFormat[side];
}

void VerzeichnisModel::giveToSide(CoverDocument& doc) const {
    doc.Geaendert = true;
    doc.Inhalt[Seite] = 1;
    doc.VerzListe[Seite] = Listing;
    doc.VerzFormat[Seite] = Format;
}

bool VerzeichnisModel::BtnVerzeichnisClick(CoverDocument& doc,
                                           const std::function<bool()>& showModal) {
    Listing.clear();
    takeFromSide(doc, doc.AktSeite);
    const bool ok = showModal();
    if (ok) giveToSide(doc);
    return ok;
}

const DriveEntry* VerzeichnisModel::currentDrive() const {
    return DriveIndex >= 0 && DriveIndex < Drives.size() ? &Drives[DriveIndex] : nullptr;
}

bool VerzeichnisModel::onImage() const {
    const DriveEntry* drive = currentDrive();
    return drive && Images.isImage(*drive);
}

void VerzeichnisModel::prepareShow() {
    // Media come and go between openings; keep the chosen entry by its place.
    const QString previous = currentDrive() ? currentDrive()->location : QString();
    Drives = driveSource();
    DriveIndex = -1;
    for (int i = 0; i < Drives.size(); ++i)
        if (!previous.isEmpty() && Drives[i].location == previous) DriveIndex = i;

    if (!Listing.isEmpty()) {
        const QString heading = withoutTrailingSlash(Listing.first());
        const QString top = Images.heading(QStringLiteral("/"));
        if (onImage() && Listing.first().startsWith(top) &&
            DirectoryListBoxChange(QString(Listing.first().mid(top.size())).replace(u'\\', u'/'))) {
            // a reading of the image shown: the list stays inside it
        } else if (!heading.isEmpty() && QFileInfo(heading).isDir() && moveInFileSystem(heading)) {
            StartLabel = Folders.directory();
        } else if (const QString on = folderForHeading(Listing.first());
                   !on.isEmpty() && moveInFileSystem(on)) {
            // a reading of a medium mounted now: the label names it as the reading did
        } else {
            moveInFileSystem(ProgDir());
            StartLabel = Listing.first();
        }
    } else {
        const DriveEntry* drive = currentDrive();
        const bool usable =
            drive && (drive->kind != DriveKind::Folder ||
                      (!Folders.directory().isEmpty() && QFileInfo(Folders.directory()).isDir()));
        const QString remembered = rememberedFolder();
        if (!usable && !remembered.isEmpty() && moveInFileSystem(remembered)) {
            // the folder read last time, where the user left off
        } else if (!usable) {
            // At first a disc in the drive, otherwise the home folder.
            int start = -1;
            for (int i = 0; i < Drives.size() && start < 0; ++i)
                if (Drives[i].optical) start = i;
            for (int i = 0; i < Drives.size() && start < 0; ++i)
                if (Drives[i].location == QDir::homePath()) start = i;
            if (start < 0 || !DriveComboBoxChange(start)) moveInFileSystem(QDir::homePath());
        } else if (drive->kind == DriveKind::Folder) {
            moveInFileSystem(Folders.directory());
        }
    }
    ListingButtons = !Listing.isEmpty();
}

bool VerzeichnisModel::DriveComboBoxChange(int index) {
    if (index < 0 || index >= Drives.size()) return false;
    if (Images.isPicker(Drives[index])) return chooseImage();
    if (Images.isImage(Drives[index])) return showImage(index);
    if (Tracks.isEntry(Drives[index])) return chooseTrackList(index);
    if (index == DriveIndex) return true;
    const DriveEntry& entry = Drives[index];
    if (entry.kind != DriveKind::Folder) {
        DriveIndex = index;
        Folders.clear();
        StartLabel = entry.location;
        return true;
    }
    const auto last = lastFolder_.find(entry.location);
    const QString target = last != lastFolder_.end() ? last->second : entry.location;
    if (!Folders.setDirectory(target, entry.location) &&
        !Folders.setDirectory(entry.location, entry.location)) {
        dialogs_.message(MsgKind::Warning, MsgButtons::Ok, LadeText(IdMsgNoMedium));
        return false;
    }
    DriveIndex = index;
    followFolderList();
    return true;
}

bool VerzeichnisModel::chooseImage() {
    if (!Images.pick(dialogs_)) return false;
    const QString keep = currentDrive() ? currentDrive()->location : QString();
    Drives = driveSource(); // the new image gets its entry
    DriveIndex = -1;
    for (int i = 0; i < Drives.size(); ++i)
        if (!keep.isEmpty() && Drives[i].location == keep) DriveIndex = i;
    return showImage(int(Drives.indexOf(Images.imageEntry())));
}

bool VerzeichnisModel::showImage(int index) {
    if (index < 0) return false;
    if (!Folders.setDirectory(QStringLiteral("/"), Images.folders(), Images.label())) return false;
    DriveIndex = index;
    StartLabel = Images.heading(Folders.directory());
    return true;
}

bool VerzeichnisModel::chooseTrackList(int index) {
    if (!Tracks.pick(dialogs_)) return false;
    Drives[index] = Tracks.entry();
    DriveIndex = index;
    Folders.clear();
    StartLabel = Drives[index].location;
    return true;
}

bool VerzeichnisModel::readsAtOnce() const {
    const DriveEntry* drive = currentDrive();
    return drive && (drive->kind == DriveKind::TrackList || drive->kind == DriveKind::AudioCd);
}

bool VerzeichnisModel::DirectoryListBoxChange(const QString& path) {
    if (!onImage()) return moveInFileSystem(path);
    if (!Folders.setDirectory(path, Images.folders(), Images.label())) return false;
    StartLabel = Images.heading(Folders.directory());
    return true;
}

bool VerzeichnisModel::moveInFileSystem(const QString& path) {
    const QString clean = QDir::cleanPath(path);
    const DriveEntry* drive = currentDrive();
    QString top;
    if (drive && drive->kind == DriveKind::Folder && DriveList::entryFor({*drive}, clean) == 0)
        top = drive->location;
    else if (const int i = DriveList::entryFor(Drives, clean); i >= 0)
        top = Drives[i].location;
    if (!Folders.setDirectory(clean, top)) return false;
    followFolderList();
    return true;
}

// The drive box follows the folder list, and the label shows its folder.
void VerzeichnisModel::followFolderList() {
    const QString dir = Folders.directory();
    const DriveEntry* drive = currentDrive();
    const bool holds =
        drive && drive->kind == DriveKind::Folder && DriveList::entryFor({*drive}, dir) == 0;
    if (!holds) DriveIndex = DriveList::entryFor(Drives, dir);
    if (const DriveEntry* d = currentDrive()) lastFolder_[d->location] = dir;
    StartLabel = headingFor(dir);
}

// A folder of a removable medium is named by the medium's label, as a disc image is; the
// mount point says nothing once the medium is in another computer.
QString VerzeichnisModel::headingFor(const QString& folder) const {
    const DriveEntry* drive = currentDrive();
    if (drive && drive->kind == DriveKind::Folder && drive->removable &&
        DriveList::entryFor({*drive}, folder) == 0)
        return VolumeHeading(drive->label, folder.mid(drive->location.size()));
    return WithTrailingSlash(folder);
}

// The folder a heading of a removable medium names, when that medium is mounted now.
QString VerzeichnisModel::folderForHeading(const QString& heading) const {
    for (const DriveEntry& d : Drives) {
        const QString top = VolumeHeading(d.label, QString());
        if (d.kind != DriveKind::Folder || !d.removable || !heading.startsWith(top)) continue;
        const QString inside = QString(heading.mid(top.size())).replace(u'\\', u'/');
        const QString folder = QDir::cleanPath(d.location + QLatin1Char('/') + inside);
        if (QFileInfo(folder).isDir()) return folder;
    }
    return QString();
}

QString VerzeichnisModel::rememberedFolder() const {
    const QString folder = QSettings(settingsFile, QSettings::IniFormat)
                               .value(QLatin1String(KeyLastFolder))
                               .toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

QString VerzeichnisModel::startLocation() const {
    const DriveEntry* drive = currentDrive();
    if (drive && drive->kind != DriveKind::Folder) return drive->location;
    return Folders.directory();
}

bool VerzeichnisModel::BtnLadenClick() {
    const DriveEntry* drive = currentDrive();
    const DriveKind kind = drive ? drive->kind : DriveKind::Folder;
    const TreeReadFunction read = treeReaderFor(kind);
    const QString start = startLocation();
    if (!read || start.isEmpty()) return false;
    // The heading names what is read, also after a listing of elsewhere was loaded.
    QString folder;
    if (kind == DriveKind::Folder) {
        StartLabel = headingFor(start);
    } else if (onImage()) {
        folder = Folders.directory();
        StartLabel = Images.heading(folder);
    }
    TreeReadWork work(read, TreeReadRequest{StartLabel, start, folder, Format.Tiefe, Filter});
    const bool ran = dialogs_.runWithProgress(LadeText(IdReadDirectory), work);
    if (!ran || work.cancelled()) return false; // the working listing stays as it was
    work.rethrowFailure();
    Listing = std::move(work.result());
    work.problems().report(dialogs_);
    if (readsAtOnce() && !Listing.isEmpty()) StartLabel = Listing.first(); // "Band – Album"
    if (const QStringList unreadable = work.unreadableFolders(); !unreadable.isEmpty())
        dialogs_.message(MsgKind::Warning, MsgButtons::Ok, unreadableMessage(unreadable));
    if (kind == DriveKind::Folder)
        QSettings(settingsFile, QSettings::IniFormat).setValue(QLatin1String(KeyLastFolder), start);
    if (Listing.size() >= 2)
        ListingButtons = true;
    else
        dialogs_.message(MsgKind::Information, MsgButtons::Ok, LadeText(IdMsgNothingFound));
    return true;
}

bool VerzeichnisModel::goUp() {
    const QString dir = Folders.directory();
    if (dir.isEmpty() || dir == QLatin1String("/")) return false;
    const QString up = QFileInfo(dir).path();
    return onImage() ? DirectoryListBoxChange(up) : moveInFileSystem(up);
}

bool VerzeichnisModel::goAndRead(const QString& path) {
    QString folder = path.trimmed();
    if (folder == QLatin1String("~") || folder.startsWith(QLatin1String("~/")))
        folder = QDir::homePath() + folder.mid(1);
    const bool inImage = onImage() && folder.startsWith(QLatin1Char('/')) &&
                         Images.folders()(QDir::cleanPath(folder)).has_value();
    if (!inImage) {
        const QFileInfo info(folder);
        if (folder.isEmpty() || !info.isAbsolute() || !info.isDir()) {
            dialogs_.message(MsgKind::Warning, MsgButtons::Ok,
                             LadeTextArg(StrDirNoSuchFolder, path));
            return false;
        }
    }
    const int drive = DriveIndex;
    if (!inImage && onImage()) DriveIndex = -1; // leaves the image for the file system
    if (!(inImage ? DirectoryListBoxChange(folder) : moveInFileSystem(folder))) {
        DriveIndex = drive;
        dialogs_.message(MsgKind::Warning, MsgButtons::Ok,
                         LadeTextArg(StrDirFolderUnreadable, path));
        return false;
    }
    return BtnLadenClick();
}

QString VerzeichnisModel::filterState() const {
    return Filter.OnlyDirectories ? LadeText(StrDirFilterFolders)
                                  : LadeTextArg(StrDirFilterFiles, Filter.FileMask);
}

bool VerzeichnisModel::OpenBtnClick() {
    ListingFileCommands commands(dialogs_);
    if (!commands.OpenBtnClick(Listing)) return false;
    StartLabel = Listing.first();
    ListingButtons = true;
    return true;
}

bool VerzeichnisModel::SaveBtnClick() {
    ListingFileCommands commands(dialogs_);
    commands.SaveBtnClick(Listing);
    return false;
}

void VerzeichnisModel::BtnLoeschenClick() {
    Listing.clear();
    ListingButtons = false;
}

void VerzeichnisModel::drawPreview(QPainter& canvas) {
    const std::optional<SidePlacement> p = placementFor(CoverLayout, Seite);
    if (!p) return;
    const QRect& area = p->sideArea;
    const QRect& content = p->contentArea;
    static const Picture none;
    DrawBackground(true, canvas, area.x(), area.y(), 10.0, 10.0, HgBild ? *HgBild : none, HgFormat,
                   area.width(), area.height(), KopfFormat, FussFormat);
    RowsPerColumn =
        DrawDirectoryListing(canvas, content.x(), content.y(), 10.0, 10.0, Listing, Format, 1,
                             content.width(), content.height(), KopfFormat, FussFormat);
    DrawOutline(canvas, p->outline, p->outlineOrigin.x(), p->outlineOrigin.y());
}
