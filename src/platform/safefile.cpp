#include "platform/safefile.h"
#include "platform/apperror.h"
#include "platform/stringtable.h"
#include "platform/systemreason.h"

#include <QFileInfo>

#include <cerrno>
#include <unistd.h>

SafeFile::SafeFile(const QString& path) : path_(path), file_(path) {}

// Qt's words name the cause where it has them (errno may have been changed since by Qt's
// own later calls); errno names it where Qt would only say "Unknown error".
bool SafeFile::failed(const QString& qtReason) {
    if (!reason_.isEmpty()) return false;
    const int e = errno;
    if (!qtReason.isEmpty() && qtReason != QIODevice::tr("Unknown error"))
        reason_ = FileReason(file_);
    else if (e != 0)
        reason_ = SystemReason(e);
    else
        reason_ = FileReason(file_);
    return false;
}

bool SafeFile::open() {
    errno = 0;
    // Unbuffered: a refused write is reported by the write itself, not by a later flush.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(file_.errorString());
    return true;
}

bool SafeFile::write(const char* data, qint64 size) {
    errno = 0;
    if (file_.write(data, size) != size) return failed(file_.errorString());
    return true;
}

bool SafeFile::finish() {
    if (!reason_.isEmpty()) return false;
    errno = 0;
    if (!file_.flush() || file_.error() != QFileDevice::NoError) return failed(file_.errorString());
    errno = 0;
    if (::fsync(file_.handle()) != 0) return failed(QString());
    return true;
}

bool SafeFile::commit() {
    if (!finish()) {
        cancel();
        return false;
    }
    errno = 0;
    // QSaveFile of Qt 6.4 renames even after a failed flush, hence the checks above.
    if (!file_.commit()) return failed(file_.errorString());
    return true;
}

void SafeFile::fail() const {
    throw AppError(LadeTextArg(StrCannotWrite, path_, reason_));
}

QString SafeFile::linkTarget(const QString& path) {
    QString file = path;
    // As many links in a row as the system follows; a loop is left to fail on writing.
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(file);
        if (!info.isSymLink()) return file;
        file = info.symLinkTarget();
    }
    return path;
}

void SafeFile::save(const QString& path, const QByteArray& bytes) {
    save(path, [&](QIODevice& d) { return d.write(bytes) == bytes.size(); });
}

void SafeFile::save(const QString& path, const std::function<bool(QIODevice&)>& fill) {
    SafeFile f(path);
    if (!f.open()) f.fail();
    errno = 0;
    if (!fill(f.device())) {
        f.failed(f.file_.errorString());
        f.cancel();
        f.fail();
    }
    if (!f.commit()) f.fail();
}
