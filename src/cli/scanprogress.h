#pragma once
#include "directory/treewalker.h"

#include <QElapsedTimer>
#include <QStringList>
#include <QTextStream>

// Watches a reading of the scan command: counts the folders it reads, shows the count now
// and then on a terminal, and notes the folders that could not be read.
class ScanProgress {
public:
    // progress: where to show the count (a terminal), or null for no progress.
    ScanProgress(TreeWalker& reader, QTextStream* progress);

    int folders() const { return folders_; }
    const QStringList& unreadable() const { return unreadable_; }
    // Ends the progress line, if one was shown.
    void finishProgress();

private:
    void folderVisited(const QByteArray& path, bool readable);
    void showProgress();
    QTextStream* progress_;
    QElapsedTimer sinceShown_;
    bool shown_ = false;
    int folders_ = 0;
    QStringList unreadable_;
};
