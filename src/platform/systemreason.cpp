#include "platform/systemreason.h"
#include "platform/stringtable.h"

#include <cerrno>
#include <QFileDevice>
#include <QFileInfo>
#include <QSaveFile>

namespace {
struct CommonReason {
    int errorNumber;
    int id;
};
constexpr CommonReason kCommonReasons[] = {
    {EACCES, StrReasonNoPermission}, {EPERM, StrReasonNoPermission},
    {ENOSPC, StrReasonNoSpace},      {EDQUOT, StrReasonNoSpace},
    {EROFS, StrReasonReadOnly},      {ENOENT, StrReasonNotFound},
    {EISDIR, StrReasonIsFolder},     {ENAMETOOLONG, StrReasonNameTooLong},
};
} // namespace

QString SystemReason(int errorNumber) {
    for (const CommonReason& r : kCommonReasons)
        if (r.errorNumber == errorNumber) return LadeText(r.id);
    return qt_error_string(errorNumber);
}

QString FileReason(const QFileDevice& file) {
    if (QFileInfo(file.fileName()).isDir()) return LadeText(StrReasonIsFolder);
    // Qt words a system error with qt_error_string, so the words lead back to the number.
    const QString said = file.errorString();
    for (const CommonReason& r : kCommonReasons)
        if (said == qt_error_string(r.errorNumber)) return LadeText(r.id);
    // QSaveFile refuses an existing file it may not replace without asking the system.
    if (said == QSaveFile::tr("Existing file %1 is not writable").arg(file.fileName()))
        return LadeText(StrReasonNoPermission);
    return said;
}

QString NotPictureOfKind(const QString& kind) {
    return LadeTextArg(StrReasonNotPictureOfKind, kind);
}
