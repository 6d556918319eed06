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
    for (Home& home : homes_) {
        home.had = qEnvironmentVariableIsSet(home.variable);
        home.before = qgetenv(home.variable);
        qputenv(home.variable, QFile::encodeName(dir_.filePath(QLatin1String(home.folder))));
    }
}

TestProgDir::~TestProgDir() {
    for (const Home& home : homes_) {
        if (home.had)
            qputenv(home.variable, home.before);
        else
            qunsetenv(home.variable);
    }
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
