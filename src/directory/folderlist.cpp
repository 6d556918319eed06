#include "directory/folderlist.h"
#include "directory/listingsort.h"

#include <QDir>
#include <QFileInfo>

QString WithTrailingSlash(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

void FolderList::clear() {
    directory_.clear();
    items_.clear();
    currentRow_ = -1;
}

bool FolderList::setDirectory(const QString& path, const QString& top) {
    const QString dir = QDir::cleanPath(QDir(path).absolutePath());
    const QFileInfo info(dir);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable()) return false;
    QDir d(dir);
    QStringList children =
        d.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Readable, QDir::NoSort);
    SortFolderNames(children); // in the order a reading lists them

    show(dir, children, top, QString());
    return true;
}

bool FolderList::setDirectory(const QString& path, const FolderSource& tree,
                              const QString& topName) {
    const QString dir = QDir::cleanPath(QLatin1Char('/') + path);
    const std::optional<QStringList> children = tree(dir);
    if (!children) return false;
    show(dir, *children, QStringLiteral("/"), topName);
    return true;
}

void FolderList::show(const QString& dir, const QStringList& children, QString top,
                      const QString& topName) {
    // The path from the top (or the root when top does not hold dir) down to dir.
    QString start = QDir::cleanPath(std::move(top));
    if (start.isEmpty() ||
        !(dir == start || start == QLatin1String("/") || dir.startsWith(start + QLatin1Char('/'))))
        start = QStringLiteral("/");
    QList<Item> items;
    items.append({topName.isEmpty() ? start : topName, start, 0, true});
    QString walked = start;
    const QStringList below = dir.mid(start.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : below) {
        walked = walked == QLatin1String("/") ? walked + part : walked + QLatin1Char('/') + part;
        items.append({part, walked, int(items.size()), true});
    }
    const int current = int(items.size()) - 1;
    const int level = current + 1;
    for (const QString& c : children)
        items.append(
            {c, dir == QLatin1String("/") ? dir + c : dir + QLatin1Char('/') + c, level, false});
    directory_ = dir;
    items_ = std::move(items);
    currentRow_ = current;
}
