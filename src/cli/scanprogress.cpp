#include "cli/scanprogress.h"
#include "cli/clistrings.h"
#include "platform/stringtable.h"

#include <QFile>

namespace {
constexpr qint64 ProgressIntervalMs = 200;
} // namespace

ScanProgress::ScanProgress(TreeWalker& reader, QTextStream* progress) : progress_(progress) {
    reader.folderVisited = [this](const QByteArray& path, bool readable) {
        folderVisited(path, readable);
    };
    sinceShown_.start();
}

void ScanProgress::folderVisited(const QByteArray& path, bool readable) {
    ++folders_;
    if (!readable) unreadable_ << QFile::decodeName(path);
    if (progress_ && sinceShown_.elapsed() >= ProgressIntervalMs) showProgress();
}

void ScanProgress::showProgress() {
    *progress_ << '\r' << LadeTextArg(StrCliFoldersRead, QString::number(folders_)) << Qt::flush;
    shown_ = true;
    sinceShown_.restart();
}

void ScanProgress::finishProgress() {
    if (!shown_) return;
    showProgress();
    *progress_ << Qt::endl;
}
