#include "content/picturefilecopy.h"
#include "platform/apperror.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/safefile.h"
#include "platform/stringtable.h"
#include "platform/systemreason.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace {
constexpr int MsgAlreadyExists = 804;

// Same file by identity (device and inode), whatever path or letter case leads to it.
bool sameFile(const QString& a, const QString& b) {
    struct stat sa {
    }, sb{};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0 ||
        ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}
} // namespace

QString CopyPictureFile(const QString& source, const QString& destination, Dialogs& dialogs) {
    const QString src = resolveCaseInsensitive(normalizeSeparators(source));
    const QString dest = resolveCaseInsensitive(normalizeSeparators(destination));
    const QFileInfo destInfo(dest);
    if (destInfo.exists()) {
        if (sameFile(src, dest)) return dest; // copying a file onto itself would only truncate it
        const QString question =
            fileNamePart(dest).toUpper() + QLatin1Char(' ') + LadeText(MsgAlreadyExists);
        if (dialogs.message(MsgKind::Warning, MsgButtons::OkCancel, question) != MsgResult::Ok)
            return dest;
    }
    const QString dir = directoryPart(dest);
    if (!dir.isEmpty() && !QDir(dir).exists() && !QDir().mkpath(dir))
        throw AppError(LadeTextArg(StrCannotCreateDir, QDir::toNativeSeparators(dir)));

    QFile in(src);
    if (!in.open(QIODevice::ReadOnly))
        throw AppError(LadeTextArg(StrCannotRead, src, FileReason(in)));
    SafeFile out(dest);
    if (!out.open()) out.fail();
    QByteArray chunk;
    while (!in.atEnd()) {
        chunk = in.read(1 << 20);
        if (in.error() != QFileDevice::NoError)
            throw AppError(LadeTextArg(StrCannotRead, src, FileReason(in)));
        if (!out.write(chunk)) out.fail();
    }
    if (!out.commit()) out.fail();
    return dest;
}
