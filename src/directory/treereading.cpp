#include "directory/treereading.h"
#include "directory/audiotags.h"
#include "directory/directoryreader.h"
#include "directory/directorystrings.h"
#include "platform/stringtable.h"

#include <QFile>
#include <QMutexLocker>

void ReadProgress::folderOpened(const QByteArray& path) {
    folders_.fetch_add(1, std::memory_order_relaxed);
    const QMutexLocker lock(&mutex_);
    current_ = path; // shared, no copy of the bytes
}

void ReadProgress::folderUnreadable(const QByteArray& path) {
    const QMutexLocker lock(&mutex_);
    unreadable_.append(path);
}

QStringList ReadProgress::unreadableFolders() const {
    const QMutexLocker lock(&mutex_);
    QStringList names;
    for (const QByteArray& path : unreadable_)
        names << QFile::decodeName(path);
    return names;
}

void ReadProgress::watch(TreeWalker& reader) {
    reader.folderVisited = [this](const QByteArray& path, bool readable) {
        if (!readable && !cancelled()) folderUnreadable(path);
    };
}

QString ReadProgress::currentFolder() const {
    QByteArray path;
    {
        const QMutexLocker lock(&mutex_);
        path = current_;
    }
    return QFile::decodeName(path);
}

namespace {
// Reports every folder it opens (on either thread of the reading); once cancelled it opens
// none, so the walk unwinds at once.
class ProgressReader : public DirectoryReader {
public:
    ProgressReader(DirectoryListing& listing, int tiefe, const DirFilterSettings& filter,
                   ReadProgress& progress)
        : DirectoryReader(listing, tiefe, filter), progress_(progress) {}

protected:
    int openFolder(const QByteArray& path) override {
        if (progress_.cancelled()) return -1;
        progress_.folderOpened(path);
        return DirectoryReader::openFolder(path);
    }

private:
    ReadProgress& progress_;
};
} // namespace

void ReadFolderTree(const TreeReadRequest& request, ReadProgress& progress, DirectoryListing& out) {
    out.clear();
    out.append(ListedName(request.heading));
    ProgressReader reader(out, request.tiefe, request.filter, progress);
    if (request.filter.AudioComments)
        reader.fileComments =
            AudioFileComments(progress.problems, [&progress] { return progress.cancelled(); });
    progress.watch(reader);
    reader.CurrentDepth = 1;
    reader.ScanDirectory(request.start);
}

void TreeReadWork::run() {
    // An exception must not leave the worker thread; the window's side reports it.
    try {
        read_(request_, progress_, result_);
    } catch (...) {
        failure_ = std::current_exception();
    }
}

QString TreeReadWork::progressText() const {
    return LadeTextArg(StrDirFoldersRead, QString::number(progress_.folders()),
                       progress_.currentFolder());
}
