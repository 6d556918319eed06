#pragma once
#include <QString>
#include <QTemporaryDir>

// A complete, private program directory for one test: a copy of data/progdir (settings
// file, template, textures) plus the empty folders. Makes itself the program directory,
// and its ".config" folder the user's settings folder (recent files, calibrations) while
// it lives.
class TestProgDir {
public:
    TestProgDir();
    ~TestProgDir();
    QString path() const; // ends in '/'
    QString file(const QString& relative) const { return path() + relative; }
    bool isValid() const { return dir_.isValid(); }

private:
    QTemporaryDir dir_;
    QByteArray configHome_; // XDG_CONFIG_HOME before
    bool hadConfigHome_ = false;
};

// Reads a fixture file from tests/fixtures.
QByteArray fixtureBytes(const QString& name);
QString fixturePath(const QString& name);
