#include "directory/folderdrop.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

QString DroppedFolder(const QMimeData* data) {
    if (!data || !data->hasUrls()) return QString();
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        const QFileInfo info(url.toLocalFile());
        if (info.isDir()) return QDir::cleanPath(info.absoluteFilePath());
    }
    return QString();
}
