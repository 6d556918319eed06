#include "platform/instanceguard.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>
#include <unistd.h>

QString SingleInstanceGuard::lockFilePath(const QString& name) {
    // The name may hold any character; the file name holds a digest of it. The user id keeps
    // users apart in a shared temporary folder, as a desktop session keeps them apart.
    const QByteArray digest =
        QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir::tempPath() + QStringLiteral("/zarvex-") + QString::number(::getuid()) +
           QLatin1Char('-') + QString::fromLatin1(digest) + QStringLiteral(".lock");
}

SingleInstanceGuard::SingleInstanceGuard(const QString& name)
    : lock_(std::make_unique<QLockFile>(lockFilePath(name))) {
    // Age never makes the lock stale (a copy may run for days); a dead owner does, and
    // tryLock takes such a lock over.
    lock_->setStaleLockTime(0);
    first_ = lock_->tryLock(0);
}

SingleInstanceGuard::~SingleInstanceGuard() = default;
