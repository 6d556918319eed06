#include "app/sdimain.h"
#include "app/startup.h"
#include "platform/paths.h"
#include "platform/qtdialogs.h"
#include "platform/textcodec.h"
#include "testprogdir.h"
#include "xvfbtest.h"

#include <cstdio>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <unistd.h>
#include <vector>

// F1 in the real window, through the real dialogs and Qt's desktop services, reaches the
// desktop's "xdg-open" with the page. The offscreen platform drops such calls, so this test
// runs itself on a private X server (see main below).
class TestHelpBrowser : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void f1ReachesXdgOpen();
};

void TestHelpBrowser::f1ReachesXdgOpen() {
    QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
    TestProgDir prog;
    writeTextLines(prog.file(IniNameFor(fileNamePart(QCoreApplication::applicationFilePath()))),
                   {"[EINSTELLUNGEN]", "sprache=49", "vorlage=ZVX/vorlage.zvx"});
    // A stand-in for the desktop's opener, first on the search path; it notes its arguments.
    QTemporaryDir bin;
    const QString stub = bin.filePath("xdg-open");
    {
        QFile f(stub);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.tmp\" && mv \"$0.tmp\" \"$0.args\"\n");
    }
    QVERIFY(QFile::setPermissions(stub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("PATH", (bin.path() + ':').toLocal8Bit() + qgetenv("PATH"));

    QtDialogs dialogs;
    TSDIAppForm w(dialogs);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F1);

    QFile args(stub + ".args");
    QTRY_VERIFY_WITH_TIMEOUT(args.exists(), 10000);
    QVERIFY(args.open(QIODevice::ReadOnly));
    const QStringList received = QString::fromUtf8(args.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(received.size(), 1);
    QCOMPARE(QUrl(received[0]).toLocalFile(), prog.path() + "hilfe/de/workshops.htm");
}

ZARVEX_XVFB_TEST_MAIN(TestHelpBrowser)

#include "tst_helpbrowser.moc"
