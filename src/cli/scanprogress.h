#pragma once
#include "directory/directoryreader.h"

#include <QElapsedTimer>
#include <QStringList>
#include <QTextStream>

// The directory reader of the scan command: counts the folders it opens, shows the count
// now and then on a terminal, and notes the folders that could not be read.
class ScanReader : public DirectoryReader {
public:
    // progress: where to show the count (a terminal), or null for no progress.
    ScanReader(DirectoryListing& listing, int tiefe, const DirFilterSettings& filter,
               QTextStream* progress);

    int folders() const { return folders_; }
    const QStringList& unreadable() const { return unreadable_; }
    // Ends the progress line, if one was shown.
    void finishProgress();

protected:
    DIR* openFolder(const QByteArray& path) override;

private:
    void showProgress();
    QTextStream* progress_;
    QElapsedTimer sinceShown_;
    bool shown_ = false;
    int folders_ = 0;
    QStringList unreadable_;
};
