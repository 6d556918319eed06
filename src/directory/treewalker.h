#pragma once
#include "directory/dirfiltersettings.h"
#include "directory/filemask.h"
#include "document/directorylisting.h"

#include <functional>
#include <QByteArray>
#include <QByteArrayView>
#include <QCollator>
#include <QStringList>
#include <vector>

class Dialogs;

// A name as a listing line shows it: a line break would split the line, so it becomes a
// blank.
QString ListedName(const QString& name);

// The name of a folder entry from its bytes, the same for every source: UTF-8 where the
// bytes are valid UTF-8, Windows-1252 otherwise (as text files are read), so a name of an
// older system reads as its letters instead of replacement marks.
QString DecodedName(QByteArrayView raw);

// One entry of a folder as a tree source reports it.
struct TreeEntry {
    enum Kind { Other, File, Folder, FolderLink };
    QByteArray raw; // the name as the source spells it, for the path of a sub-folder
    QString name;   // the name as listed
    Kind kind = Other;
    bool hidden = false; // a hidden folder is neither listed nor entered
};

// The reading of a folder tree into a listing, whatever holds the tree: the heading line,
// then for every folder (and, in files mode, every file matching the mask) its key and an
// empty comment line, sorted and indented at the end. Folders that are hidden or whose
// names begin with "." are neither listed nor entered; links to folders are listed but not
// entered; entries that are neither files nor folders are never listed; a folder that
// cannot be read contributes nothing. Subclasses say how a folder is read.
class TreeWalker {
public:
    // tiefe: the depth index 0..7 of the listing format (depth 1..8); others are clamped.
    TreeWalker(DirectoryListing& listing, int tiefe, const DirFilterSettings& filter);
    virtual ~TreeWalker() = default;

    // The reading of the directory dialog's "Read directory" button: heading line, scan of
    // startDir, sort, then the listing is replaced. True when at least one entry was found;
    // otherwise tells the user (message 814) and the listing keeps its heading only. When
    // the reading throws, the listing is left as it was.
    bool ReadListing(const QString& heading, const QString& startDir, Dialogs& dialogs);

    // Appends the entry lines of the entries below path with a comment line each, in tree
    // order (siblings by the listing collator, exact comparison where they compare equal,
    // every folder followed by its contents) and indented by their level. CurrentDepth must
    // be 1 for the start directory.
    void ScanDirectory(const QString& path);
    int CurrentDepth = 1;

    // Told about every folder the reading tries to read, in the walk's order: whether it
    // could be read and, where it could not, its path (empty for a folder that was read),
    // e.g. to show progress and name the folders left out.
    std::function<void(const QByteArray& path, bool readable)> folderVisited;
    // The comment lines of a folder's listed files (e.g. their audio tags), given the
    // folder's path (ending in '/') and the files' names in listing order; without it,
    // comments stay empty.
    std::function<QStringList(const QByteArray& folder, const QList<QByteArray>& names)>
        fileComments;

protected:
    // Fills entries with the entries of the folder at path (ends in '/'), "." and ".."
    // left out. False when the folder cannot be read.
    virtual bool readFolder(const QByteArray& path, std::vector<TreeEntry>& entries) = 0;
    // False in folder mode: a source may then leave files out.
    bool listsFiles() const { return !onlyDirectories_; }
    // Called when a scan of a start directory begins.
    virtual void startReading() {}
    // The path of a start directory as the source spells it.
    virtual QByteArray encodePath(const QString& path) const;
    // True when readFolder may run on a second thread while the walk goes on: on a machine
    // with a second core, whole sub-trees the walk has not reached yet are then read there.
    virtual bool readsConcurrently() const { return false; }

private:
    class SecondWalker;
    struct Walk;
    void scan(QByteArray& path, int depth, Walk& walk);

    DirectoryListing& listing_;
    DirectoryListing* target_; // the listing being filled
    int tiefe_;
    bool onlyDirectories_;
    FileMask mask_;
    QCollator collator_;
};
