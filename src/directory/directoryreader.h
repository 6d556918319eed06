#pragma once
#include "directory/dirfiltersettings.h"
#include "directory/filemask.h"
#include "document/directorylisting.h"

#include <dirent.h>
#include <QByteArray>

class Dialogs;

// Reads a folder tree into a listing: the heading line, then for every folder (and, in
// files mode, every file matching the mask) its key and an empty comment line, sorted and
// indented at the end. Folders whose names begin with "." are hidden and neither listed nor
// entered; links to folders are listed but not entered, so link loops end; entries that are
// neither regular files nor folders (devices, sockets, pipes, dangling links) are never
// listed; a folder that cannot be read contributes nothing.
class DirectoryReader {
public:
    // tiefe: the depth index 0..7 of the listing format (depth 1..8); others are clamped.
    DirectoryReader(DirectoryListing& listing, int tiefe, const DirFilterSettings& filter);
    virtual ~DirectoryReader() = default;

    // The reading of the directory dialog's "Read directory" button: clears the listing,
    // heading line, scan of startDir, sort. True when at least one entry was found;
    // otherwise tells the user (message 814) and the listing keeps its heading only.
    bool ReadListing(const QString& heading, const QString& startDir, Dialogs& dialogs);

    // Appends the keys of the entries below path (relative to the start directory) with an
    // empty comment line each. CurrentDepth must be 1 for the start directory.
    void ScanDirectory(const QString& path);
    int CurrentDepth = 1;

protected:
    // Opens a folder for reading; a test may make it fail. Null when it cannot be read.
    virtual DIR* openFolder(const QByteArray& path);

private:
    void scan(QByteArray& path, QString& key);
    void appendKey(const QString& key);

    DirectoryListing& listing_;
    int tiefe_;
    bool onlyDirectories_;
    FileMask mask_;
};
