#include "platform/picturepath.h"
#include "platform/paths.h"

#include <QFileInfo>
#include <QRegularExpression>

QString resolvePicturePath(const QString& stored) {
    if (stored.trimmed().isEmpty()) return stored;
    static const QRegularExpression windowsPath(QStringLiteral("^([A-Za-z]:|\\\\\\\\)"));
    const bool foreign = windowsPath.match(stored).hasMatch();
    if (!foreign) {
        const QString p = normalizeSeparators(stored);
        const QString direct =
            resolveCaseInsensitive(QFileInfo(p).isAbsolute() ? p : ProgDir() + p);
        if (QFileInfo(direct).isFile()) return direct;
    }
    const QString name = fileNamePart(stored);
    if (name.isEmpty()) return stored;
    const QString inPictures = resolveCaseInsensitive(ProgSubDir(QStringLiteral("BILDER")) + name);
    if (QFileInfo(inPictures).isFile()) return inPictures;
    return stored;
}
