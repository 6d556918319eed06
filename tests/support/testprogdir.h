#pragma once
#include <QString>
#include <QTemporaryDir>

// A complete, private program directory for one test: a copy of data/progdir (settings
// file, template, textures) plus the empty folders. Makes itself the program directory,
// its ".config" folder the user's settings folder (recent files, calibrations) and its
// ".cache" folder the user's cache folder (audio tags) while it lives.
class TestProgDir {
public:
    TestProgDir();
    ~TestProgDir();
    QString path() const; // ends in '/'
    QString file(const QString& relative) const { return path() + relative; }
    bool isValid() const { return dir_.isValid(); }

private:
    QTemporaryDir dir_;
    struct Home {
        const char* variable;
        const char* folder;
        QByteArray before;
        bool had = false;
    } homes_[2] = {{"XDG_CONFIG_HOME", ".config", {}}, {"XDG_CACHE_HOME", ".cache", {}}};
};

// Reads a fixture file from tests/fixtures.
QByteArray fixtureBytes(const QString& name);
QString fixturePath(const QString& name);
