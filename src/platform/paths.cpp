#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString g_progDir;
QString g_progDataDir;

QString withSlash(QString d) {
    if (!d.endsWith(QLatin1Char('/'))) d += QLatin1Char('/');
    return d;
}
} // namespace

QString ProgDir() {
    if (g_progDir.isEmpty() && QCoreApplication::instance())
        g_progDir = withSlash(QCoreApplication::applicationDirPath());
    return g_progDir;
}

void SetProgDir(const QString& dir) {
    g_progDir = withSlash(QDir::cleanPath(dir));
}

QString ProgDataDir() {
    return g_progDataDir.isEmpty() ? ProgDir() : g_progDataDir;
}

void SetProgDataDir(const QString& dir) {
    g_progDataDir = dir.isEmpty() ? QString() : withSlash(QDir::cleanPath(dir));
}

QString ProgSubDir(const QString& name) {
    return withSlash(resolveCaseInsensitive(ProgDir() + name));
}

QString normalizeSeparators(const QString& path) {
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p;
}

QString resolveCaseInsensitive(const QString& path) {
    const QString p = normalizeSeparators(path);
    if (p.isEmpty() || QFileInfo::exists(p)) return p;
    const bool absolute = p.startsWith(QLatin1Char('/'));
    const QStringList parts = p.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = absolute ? QStringLiteral("/") : QString();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        const QString exact = current + part;
        QString next;
        if (QFileInfo::exists(exact)) {
            next = exact;
        } else {
            const QDir dir(current.isEmpty() ? QStringLiteral(".") : current);
            const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden |
                                                      QDir::System | QDir::NoDotAndDotDot);
            for (const QString& e : entries)
                if (e.compare(part, Qt::CaseInsensitive) == 0) {
                    next = current + e;
                    break;
                }
        }
        if (next.isEmpty()) return p;
        current = (i + 1 < parts.size()) ? next + QLatin1Char('/') : next;
    }
    return current;
}

static qsizetype lastSeparator(const QString& path) {
    qsizetype i = path.size() - 1;
    while (i >= 0 && path[i] != u'/' && path[i] != u'\\' && path[i] != u':')
        --i;
    return i;
}

QString fileNamePart(const QString& path) {
    return path.mid(lastSeparator(path) + 1);
}

QString directoryPart(const QString& path) {
    return path.left(lastSeparator(path) + 1);
}

bool samePathIgnoringCase(const QString& a, const QString& b) {
    return QDir::cleanPath(normalizeSeparators(a))
               .compare(QDir::cleanPath(normalizeSeparators(b)), Qt::CaseInsensitive) == 0;
}
