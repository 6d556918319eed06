#pragma once
#include "directory/dirfiltersettings.h"
#include "directory/drivelist.h"
#include "directory/folderlist.h"
#include "directory/imagedrive.h"
#include "directory/tracklistdrive.h"
#include "directory/treereading.h"
#include "document/directorylisting.h"
#include "document/formats.h"

#include <functional>
#include <map>

class CoverDocument;
class Dialogs;
class Picture;
class QPainter;

// What the directory dialog does, without its widgets: the working listing and the copies
// of the side's formats, the drive and folder choice with the start-directory label, the
// reading, the listing files and the preview drawing. Lives as long as the dialog, so the
// filter and the folder position hold for the whole run.
class VerzeichnisModel {
public:
    explicit VerzeichnisModel(Dialogs& dialogs);
    VerzeichnisModel(const VerzeichnisModel&) = delete; // driveSource refers to this one
    VerzeichnisModel& operator=(const VerzeichnisModel&) = delete;

    int Seite = 0;
    int CoverLayout = 0;
    DirectoryListing Listing; // the working listing
    TFormatVerzeichnis Format;
    TFormatUeberschrift KopfFormat;
    TFormatUeberschrift FussFormat;
    const Picture* HgBild = nullptr; // the side's texture, not a copy
    TFormatHintergrund HgFormat;
    int RowsPerColumn = -1; // from the last preview drawing
    DirFilterSettings Filter;

    ImageDrive Images; // the last entries of the drive box
    TrackListDrive Tracks;
    QList<DriveEntry> Drives;
    int DriveIndex = -1;
    FolderList Folders;
    QString StartLabel;          // LabelStartVerzeichnis
    bool ListingButtons = false; // delete, edit and save

    // Where the drive box gets its entries: audio CDs, the mounted volumes, the disc image
    // entries and the track list entry (tests put made-up drives here).
    std::function<QList<DriveEntry>()> driveSource;
    // A kind of drive entry other than a folder reads its tree through its own function.
    void setTreeReader(DriveKind kind, TreeReadFunction read);
    TreeReadFunction treeReaderFor(DriveKind kind) const;

    // Opening from the main window: the side's listing and formats in, showModal, and on
    // OK the listing and the listing format back into the side as its directory content.
    // True on OK; the caller then redraws the side.
    bool BtnVerzeichnisClick(CoverDocument& doc, const std::function<bool()>& showModal);
    void takeFromSide(const CoverDocument& doc, int side);
    void giveToSide(CoverDocument& doc) const;

    // The drive, folder and label as the dialog is shown; the enabled state of the buttons.
    void prepareShow();
    // The drive box chose entry index. False (message 813, box back to the folder list's
    // drive) when it cannot be read. The disc image entry asks for an image each time it
    // is chosen; without one taken, nothing changes.
    bool DriveComboBoxChange(int index);
    // The folder list moved to path (false when it cannot be read); drive box and label follow.
    bool DirectoryListBoxChange(const QString& path);
    // The folder a reading starts from.
    QString startLocation() const;
    // A track list or audio CD is read as soon as it is chosen.
    bool readsAtOnce() const;
    // "Total playing time: …" of the working listing, empty when it has no times.
    QString totalTimeText() const { return TotalPlayingTimeText(Listing); }
    // Backspace in the folder list: the folder above the current one (false at the top).
    bool goUp();
    // The location field, "Choose folder…" and a dropped folder: moves the folder list to
    // path (a folder of the open image, else of the file system; "~" is the home folder)
    // and reads it as BtnLadenClick does. A path that names no folder gets a message and
    // changes nothing. True when the listing changed.
    bool goAndRead(const QString& path);
    // The text of the location field: the folder list's folder.
    QString location() const { return Folders.directory(); }
    // What the dialog shows of the reading filter: "only folders" or the files' mask.
    QString filterState() const;

    // Where our own per-user settings lie (the last folder read); tests use their own.
    QString settingsFile;

    // Each returns true when the listing changed and the preview needs drawing again.
    bool BtnLadenClick();
    bool OpenBtnClick(); // AppError when the file cannot be read
    bool SaveBtnClick(); // AppError when the file cannot be written
    void BtnLoeschenClick();

    // Draws the side as the dialog's preview shows it and sets RowsPerColumn.
    void drawPreview(QPainter& canvas);

private:
    const DriveEntry* currentDrive() const;
    bool onImage() const;
    bool chooseImage();
    bool showImage(int index);
    bool chooseTrackList(int index);
    bool moveInFileSystem(const QString& path);
    void followFolderList();
    QString headingFor(const QString& folder) const;
    QString folderForHeading(const QString& heading) const;
    QString rememberedFolder() const;

    Dialogs& dialogs_;
    std::map<DriveKind, TreeReadFunction> readers_;
    std::map<QString, QString> lastFolder_; // per drive location, the folder last shown
};
