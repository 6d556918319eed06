#include "cli/scanreader.h"
#include "cli/clistrings.h"
#include "platform/stringtable.h"

#include <QFile>

namespace {
constexpr qint64 ProgressIntervalMs = 200;
} // namespace

ScanReader::ScanReader(DirectoryListing& listing, int tiefe, const DirFilterSettings& filter,
                       QTextStream* progress)
    : DirectoryReader(listing, tiefe, filter), progress_(progress) {
    sinceShown_.start();
}

DIR* ScanReader::openFolder(const QByteArray& path) {
    DIR* dir = DirectoryReader::openFolder(path);
    ++folders_;
    if (!dir) unreadable_ << QFile::decodeName(path);
    if (progress_ && sinceShown_.elapsed() >= ProgressIntervalMs) showProgress();
    return dir;
}

void ScanReader::showProgress() {
    *progress_ << '\r' << LadeTextArg(StrCliFoldersRead, QString::number(folders_)) << Qt::flush;
    shown_ = true;
    sinceShown_.restart();
}

void ScanReader::finishProgress() {
    if (!shown_) return;
    showProgress();
    *progress_ << Qt::endl;
}
