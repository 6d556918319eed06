#include "testprogdir.h"
#include "platform/paths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>

TestProgDir::TestProgDir() {
    const QString src = QStringLiteral(ZARVEX_SOURCE_DIR "/data/progdir");
    QDirIterator it(src, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        const QString rel = QDir(src).relativeFilePath(f);
        if (rel.endsWith(QLatin1String(".keep"))) continue;
        QDir().mkpath(QFileInfo(dir_.filePath(rel)).absolutePath());
        QFile::copy(f, dir_.filePath(rel));
        QFile(dir_.filePath(rel)).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
    for (const char* d : {"ZVX", "BILDER", "texturen", "TEXTE", "VERZEICH", "hilfe/de"})
        QDir().mkpath(dir_.filePath(QLatin1String(d)));
    if (!QFile::exists(dir_.filePath(QStringLiteral("texturen/standard.bmp")))) {
        QImage img(8, 8, QImage::Format_RGB32);
        img.fill(QColor(200, 210, 230));
        img.save(dir_.filePath(QStringLiteral("texturen/standard.bmp")), "BMP");
    }
    SetProgDir(dir_.path());
    hadConfigHome_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    configHome_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.filePath(QStringLiteral(".config"))));
}

TestProgDir::~TestProgDir() {
    if (hadConfigHome_)
        qputenv("XDG_CONFIG_HOME", configHome_);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

QString TestProgDir::path() const {
    return dir_.path() + QLatin1Char('/');
}

QString fixturePath(const QString& name) {
    return QStringLiteral(ZARVEX_FIXTURE_DIR "/") + name;
}

QByteArray fixtureBytes(const QString& name) {
    QFile f(fixturePath(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}
