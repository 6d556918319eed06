#pragma once
#include <QString>
#include <QStringList>

// Trees and disc images made by tests. Failures are reported through QVERIFY; the caller
// checks QTest::currentTestFailed() when it must stop.

// A tree from "folder/", "file" and "link->target" items below root; a file whose name
// begins with "big" is 4.5 GB (sparse).
void makeTree(const QString& root, const QStringList& items);

// The image xorriso makes of root (volume label "MYDISC") with the extra options. Its
// folders come before the file data, so the output is cut after a few megabytes and the
// rest left as a hole of the volume's size.
void makeImage(const QString& root, const QString& iso, const QStringList& options);
