#include "app/startup.h"
#include "content/sidepanel.h"
#include "platform/inifile.h"
#include "platform/textcodec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void languageChoice_data();
    void languageChoice();
    void textureList();
    void iniName();
};

void TestStartup::languageChoice_data() {
    QTest::addColumn<QString>("file");      // "absent", "readonly", "writable"
    QTest::addColumn<QStringList>("lines"); // the settings file
    QTest::addColumn<int>("answer");        // the language dialog's code
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("sprache");
    QTest::addColumn<QStringList>("linesAfter");
    const QStringList first = {"[EINSTELLUNGEN]", "sprache=0", "vorlage=ZVX/vorlage.zvx"};
    QTest::newRow("absent: asked, nothing written")
        << "absent" << QStringList{} << 49 << true << 49 << QStringList{};
    QTest::newRow("read-only: asked, file unchanged")
        << "readonly" << first << 44 << true << 44 << first;
    QTest::newRow("writable: answer stored, other lines kept")
        << "writable" << first << 49 << true << 49
        << QStringList{"[EINSTELLUNGEN]", "sprache=49", "vorlage=ZVX/vorlage.zvx"};
    QTest::newRow("writable without the key: key added")
        << "writable" << QStringList{"[EINSTELLUNGEN]", "vorlage=v.zvx"} << 44 << true << 44
        << QStringList{"[EINSTELLUNGEN]", "vorlage=v.zvx", "sprache=44"};
    QTest::newRow("already chosen: not asked")
        << "writable" << QStringList{"[EINSTELLUNGEN]", "sprache=44"} << 49 << false << 44
        << QStringList{"[EINSTELLUNGEN]", "sprache=44"};
    QTest::newRow("any other value counts as chosen")
        << "writable" << QStringList{"[einstellungen]", "SPRACHE=7"} << 49 << false << 7
        << QStringList{"[einstellungen]", "SPRACHE=7"};
}

void TestStartup::languageChoice() {
    QFETCH(QString, file);
    QFETCH(QStringList, lines);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(int, sprache);
    QFETCH(QStringList, linesAfter);
    QTemporaryDir dir;
    const QString path = dir.filePath("zarvex.INI");
    if (file != "absent") {
        writeTextLines(path, lines);
        if (file == "readonly")
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
    }
    const IniFile ini(path);
    // As start-up does it: read, ask when not chosen yet, store.
    const int stored = ini.readInteger("EINSTELLUNGEN", "sprache", 0);
    bool wasAsked = false;
    const int result = ChooseLanguage(stored, ini, [&] {
        wasAsked = true;
        return answer;
    });
    QCOMPARE(wasAsked, asked);
    QCOMPARE(result, sprache);
    if (file == "absent")
        QVERIFY(!QFile::exists(path));
    else
        QCOMPARE(readTextLines(path), linesAfter);
    // The next start finds what was stored: the question comes again unless it was written.
    const bool storedNow = file == "writable";
    QCOMPARE(IniFile(path).readInteger("EINSTELLUNGEN", "sprache", 0), storedNow ? sprache : 0);
}

void TestStartup::textureList() {
    QTemporaryDir dir;
    for (const char* name : {"standard.bmp", "Holz.JPG", "marmor.Bmp", "a.wmf", "B.EMF", "c.ico",
                             "foto.jpeg", "liesmich.txt", "ohne"}) {
        QFile f(dir.filePath(QLatin1String(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QDir(dir.path()).mkdir("unter.bmp"); // folders are not textures
    QCOMPARE(TextureFileNames(dir.path()), (QStringList{"a.wmf", "B.EMF", "c.ico", "foto.jpeg",
                                                        "Holz.JPG", "marmor.Bmp", "standard.bmp"}));
    QCOMPARE(TextureFileNames(dir.filePath("fehlt")), QStringList());
}

void TestStartup::iniName() {
    QCOMPARE(IniNameFor("zarvex"), QString("zarvex.INI"));
    QCOMPARE(IniNameFor("Zarvex.exe"), QString("Zarvex.INI"));
    QCOMPARE(IniNameFor("zarvex.2.bin"), QString("zarvex.2.INI"));
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
