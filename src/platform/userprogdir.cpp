#include "platform/userprogdir.h"

#include "platform/apperror.h"
#include "platform/paths.h"
#include "platform/stringtable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString withSlash(QString d) {
    if (!d.endsWith(QLatin1Char('/'))) d += QLatin1Char('/');
    return d;
}

QStringList settingsFiles(const QString& dir) {
    return QDir(dir).entryList({QStringLiteral("*.INI"), QStringLiteral("*.ini")}, QDir::Files);
}

void makeFolder(const QString& path) {
    if (!QDir().mkpath(path)) throw AppError(LadeTextArg(740, QDir::toNativeSeparators(path)));
}

void copyMissing(const QString& from, const QString& to) {
    if (QFileInfo::exists(to)) return;
    QFile::remove(to + QStringLiteral(".part"));
    // Through a temporary name, so a file cut short by a full disk is never taken for a seed.
    if (!QFile::copy(from, to + QStringLiteral(".part")) ||
        !QFile::rename(to + QStringLiteral(".part"), to)) {
        QFile::remove(to + QStringLiteral(".part"));
        throw AppError(LadeTextArg(741, QDir::toNativeSeparators(to)));
    }
    // Installed files are read-only; the user's copies are the user's to change.
    QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::WriteOwner);
}

void copyFolder(const QString& from, const QString& to) {
    makeFolder(to);
    const QDir source(from);
    for (const QFileInfo& f :
         source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (f.isDir())
            copyFolder(f.filePath(), to + QLatin1Char('/') + f.fileName());
        else
            copyMissing(f.filePath(), to + QLatin1Char('/') + f.fileName());
    }
}

} // namespace

QString UserProgramDir::installedDataDir(const QString& exeDir) {
    const QString dir = withSlash(exeDir);
    if (!settingsFiles(dir).isEmpty()) return dir;
    const QString shared = QDir::cleanPath(dir + QStringLiteral("../share/zarvex"));
    return withSlash(QFileInfo(shared).isDir() ? shared : dir);
}

QString UserProgramDir::location() {
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                     QStringLiteral("/zarvex"));
}

void UserProgramDir::seed(const QString& dataDir, const QString& dir) {
    makeFolder(dir);
    const QStringList inis = settingsFiles(dataDir);
    const bool firstStart = settingsFiles(dir).isEmpty();
    if (firstStart) {
        for (const QString& name : {QStringLiteral("ZVX"), QStringLiteral("texturen")}) {
            const QString from = resolveCaseInsensitive(dataDir + name);
            if (QFileInfo(from).isDir()) copyFolder(from, dir + name);
        }
    }
    for (const char* name : {"ZVX", "BILDER", "texturen", "TEXTE", "VERZEICH"})
        if (!QFileInfo(resolveCaseInsensitive(dir + QLatin1String(name))).isDir())
            makeFolder(dir + QLatin1String(name));
    if (firstStart)
        for (const QString& ini : inis)
            copyMissing(dataDir + ini, dir + ini);
}

QString UserProgramDir::programDirFor(const QString& exeDir) {
    const QString exe = withSlash(QDir::cleanPath(exeDir));
    return installedDataDir(exe) == exe && QFileInfo(exe).isWritable() ? exe : location();
}

void UserProgramDir::apply(const QString& exeDir) {
    const QString exe = withSlash(QDir::cleanPath(exeDir));
    const QString data = installedDataDir(exe);
    const QString dir = programDirFor(exe);
    if (dir != exe) seed(data, dir);
    SetProgDir(dir);
    SetProgDataDir(data);
}
