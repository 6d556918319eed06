#pragma once
#include "directory/dirfiltersettings.h"
#include "directory/tracklist.h"
#include "document/directorylisting.h"
#include "platform/backgroundwork.h"

#include <atomic>
#include <exception>
#include <functional>
#include <QByteArray>
#include <QMutex>
#include <QStringList>
#include <utility>

class TreeWalker;

// What one reading of a tree needs: the heading line (the start-directory label), the start
// location (a folder for mounted volumes, the file of a disc image), the folder inside a
// file ("/" its top), the depth index 0..7 and the filter.
struct TreeReadRequest {
    QString heading;
    QString start;
    QString folder;
    int tiefe = 2;
    DirFilterSettings filter;
};

// Shared between the reading thread, which reports, and the window, which shows and cancels.
class ReadProgress {
public:
    void folderOpened(const QByteArray& path);
    // A folder the reading met but could not read (no permission, the medium gone).
    void folderUnreadable(const QByteArray& path);
    int folders() const { return folders_.load(std::memory_order_relaxed); }
    QString currentFolder() const;
    QStringList unreadableFolders() const;
    // Lets reader report the folders it cannot read here; a cancelled reading reports none.
    void watch(TreeWalker& reader);
    void cancel() { cancelled_.store(true); }
    bool cancelled() const { return cancelled_.load(std::memory_order_relaxed); }
    // What the reading could not read; written by the reading, read after it ended.
    ReadProblems problems;

private:
    std::atomic<int> folders_{0};
    std::atomic<bool> cancelled_{false};
    mutable QMutex mutex_;
    QByteArray current_;
    QList<QByteArray> unreadable_;
};

// Reads a tree below request.start into out: heading, entries, sorted and indented. Another
// kind of source (not a mounted folder) brings its own function of this form.
using TreeReadFunction =
    std::function<void(const TreeReadRequest&, ReadProgress&, DirectoryListing& out)>;

// The folders of a mounted volume, through DirectoryReader. A cancelled reading stops at
// the next folder and leaves out unsorted.
void ReadFolderTree(const TreeReadRequest& request, ReadProgress& progress, DirectoryListing& out);

// One reading as work for the progress window: "n folders read" and the current folder.
class TreeReadWork : public BackgroundWork {
public:
    TreeReadWork(TreeReadFunction read, TreeReadRequest request)
        : read_(std::move(read)), request_(std::move(request)) {}

    void run() override;
    void cancel() override { progress_.cancel(); }
    QString progressText() const override;

    bool cancelled() const { return progress_.cancelled(); }
    const ReadProblems& problems() const { return progress_.problems; }
    QStringList unreadableFolders() const { return progress_.unreadableFolders(); }
    DirectoryListing& result() { return result_; }
    // What the reading threw, thrown again on the calling (user-interface) thread.
    void rethrowFailure() const {
        if (failure_) std::rethrow_exception(failure_);
    }

private:
    TreeReadFunction read_;
    TreeReadRequest request_;
    ReadProgress progress_;
    DirectoryListing result_;
    std::exception_ptr failure_;
};
