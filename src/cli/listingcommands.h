#pragma once
#include "cli/clioptions.h"
#include "directory/dirfiltersettings.h"
#include "directory/tracklist.h"

#include <QTextStream>

class Dialogs;

// The listing commands of zarvex-cli: scan a folder tree, a disc image, a track list or an
// audio CD, convert a listing file. Each returns the exit status; bad input throws AppError
// naming the file or folder.
class ListingCommands {
public:
    ListingCommands(const CliOptions& options, QTextStream& err, Dialogs& dialogs,
                    bool showProgress)
        : o_(options), err_(err), dialogs_(dialogs), showProgress_(showProgress) {}

    int scan();
    int listing();

    // The heading line of a listing read from dir: its absolute path ending in '/'.
    static QString headingFor(const QString& dir);

private:
    int scanImage(const QString& file, const DirFilterSettings& filter);
    int saveTracks(const DirectoryListing& tracks, const ReadProblems& problems);
    void save(const QString& path, const DirectoryListing& listing);

    const CliOptions& o_;
    QTextStream& err_;
    Dialogs& dialogs_;
    bool showProgress_;
};
