#include "platform/fontlist.h"
#include "platform/inifile.h"
#include "platform/textcodec.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

class TestIniFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reading_data();
    void reading();
    void writingKeepsEveryOtherLine_data();
    void writingKeepsEveryOtherLine();
    void writeGoesToDiskWithCrLf();
    void writableFollowsPermissionBits();
    void fontListSortedUniqueWithFallback_data();
    void fontListSortedUniqueWithFallback();
    void systemFontList();
};

void TestIniFile::reading_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    const QStringList plain = {"[EINSTELLUNGEN]", "sprache=49", "vorlage=ZVX/vorlage.zvx"};
    QTest::newRow("exact") << plain << "sprache"
                           << "49";
    QTest::newRow("key any case") << plain << "VORLAGE"
                                  << "ZVX/vorlage.zvx";
    QTest::newRow("section and key any case, blanks")
        << QStringList{"  [einstellungen] ", " Sprache = 44 "} << "sprache"
        << "44";
    QTest::newRow("missing key gives default") << plain << "farbe"
                                               << "DEF";
    QTest::newRow("key of another section is not taken")
        << QStringList{"[ANDERS]", "sprache=49", "[EINSTELLUNGEN]", "vorlage=x"} << "sprache"
        << "DEF";
    QTest::newRow("first of two wins")
        << QStringList{"[EINSTELLUNGEN]", "sprache=49", "sprache=44"} << "sprache"
        << "49";
    QTest::newRow("value keeps '='") << QStringList{"[EINSTELLUNGEN]", "vorlage=a=b"} << "vorlage"
                                     << "a=b";
    QTest::newRow("no file content") << QStringList{} << "sprache"
                                     << "DEF";
}

void TestIniFile::reading() {
    QFETCH(QStringList, lines);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QCOMPARE(IniFile::valueIn(lines, "EINSTELLUNGEN", key).value_or("DEF"), expected);

    QTemporaryDir dir;
    const QString path = dir.filePath("zarvex.INI");
    writeTextLines(path, lines);
    const IniFile ini(path);
    QCOMPARE(ini.readString("EINSTELLUNGEN", key, "DEF"), expected);
}

void TestIniFile::writingKeepsEveryOtherLine_data() {
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("replaces the value in place")
        << QStringList{"; comment", "[EINSTELLUNGEN]", "Sprache=0", "vorlage=ZVX/v.zvx",
                       "",          "[Sonst]",         "x=1"}
        << QStringList{"; comment", "[EINSTELLUNGEN]", "sprache=49", "vorlage=ZVX/v.zvx",
                       "",          "[Sonst]",         "x=1"};
    QTest::newRow("adds the key at the end of its section")
        << QStringList{"[EINSTELLUNGEN]", "vorlage=v.zvx", "", "[Sonst]", "sprache=7"}
        << QStringList{"[EINSTELLUNGEN]", "vorlage=v.zvx", "sprache=49", "",
                       "[Sonst]",         "sprache=7"};
    QTest::newRow("adds the section when missing")
        << QStringList{"[Sonst]", "x=1"}
        << QStringList{"[Sonst]", "x=1", "[EINSTELLUNGEN]", "sprache=49"};
    QTest::newRow("empty section")
        << QStringList{"[einstellungen]"} << QStringList{"[einstellungen]", "sprache=49"};
}

void TestIniFile::writingKeepsEveryOtherLine() {
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    QCOMPARE(IniFile::withValue(before, "EINSTELLUNGEN", "sprache", "49"), after);
}

void TestIniFile::writeGoesToDiskWithCrLf() {
    QTemporaryDir dir;
    const QString path = dir.filePath("zarvex.INI");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[EINSTELLUNGEN]\nsprache=0\nvorlage=ZVX/M\xFCller.zvx\n");
    f.close();
    IniFile(path).writeString("EINSTELLUNGEN", "sprache", "44");
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(),
             QByteArray("[EINSTELLUNGEN]\r\nsprache=44\r\nvorlage=ZVX/M\xFCller.zvx\r\n"));
    QCOMPARE(IniFile(path).readInteger("EINSTELLUNGEN", "sprache", 0), 44);
    QCOMPARE(IniFile(path).readString("einstellungen", "VORLAGE", ""), QString("ZVX/Müller.zvx"));
}

void TestIniFile::writableFollowsPermissionBits() {
    QTemporaryDir dir;
    const QString path = dir.filePath("zarvex.INI");
    QVERIFY(!IniFile(path).exists());
    QVERIFY(!IniFile(path).isWritable());
    writeTextLines(path, {"[EINSTELLUNGEN]"});
    QVERIFY(IniFile(path).isWritable());
    // Also for the super-user, whom the system would let write anyway.
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    QVERIFY(IniFile(path).exists());
    QVERIFY(!IniFile(path).isWritable());
    QCOMPARE(IniFile(path).readInteger("EINSTELLUNGEN", "sprache", 0), 0);
}

void TestIniFile::fontListSortedUniqueWithFallback_data() {
    QTest::addColumn<QStringList>("families");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("sorted ignoring case")
        << QStringList{"Liberation Serif", "DejaVu Sans", "century", "Bitstream"}
        << QStringList{"Bitstream", "century", "DejaVu Sans", "Liberation Serif"};
    QTest::newRow("each name once")
        << QStringList{"Liberation Mono", "DejaVu Sans", "Liberation Mono", "dejavu sans"}
        << QStringList{"DejaVu Sans", "Liberation Mono"};
    QTest::newRow("none found") << QStringList{} << QStringList{"Times New Roman"};
    QTest::newRow("blank names dropped") << QStringList{"", " "} << QStringList{"Times New Roman"};
    QTest::newRow("foundry tags dropped")
        << QStringList{"C059 [UKWN]", "C059 [urw]", "Nimbus Sans [URW ]", "C059"}
        << QStringList{"C059", "Nimbus Sans"};
    QTest::newRow("generic aliases dropped")
        << QStringList{"Sans Serif", "serif", "Monospace", "DejaVu Sans"}
        << QStringList{"DejaVu Sans"};
    // Stand-in for fontconfig: Arial falls back to an unrelated face, Courier New's
    // substitute is not installed.
    QTest::newRow("metric-compatible names")
        << QStringList{"Liberation Serif", "DejaVu Sans"}
        << QStringList{"DejaVu Sans", "Liberation Serif", "Times New Roman"};
}

void TestIniFile::fontListSortedUniqueWithFallback() {
    QFETCH(QStringList, families);
    QFETCH(QStringList, expected);
    const auto drawnWith = [](const QString& name) {
        if (name == QLatin1String("Times New Roman")) return QStringLiteral("Liberation Serif");
        if (name == QLatin1String("Courier New")) return QStringLiteral("Liberation Mono");
        return QStringLiteral("DejaVu Sans");
    };
    const bool metric = QByteArray(QTest::currentDataTag()).startsWith("metric");
    QCOMPARE(metric ? BuildSchriftListe(families, drawnWith) : BuildSchriftListe(families),
             expected);
}

void TestIniFile::systemFontList() {
    const QStringList list = SchriftListe();
    // fonts-liberation2 draws the Windows names the template and old covers store.
    for (const char* stored : {"Times New Roman", "Arial", "Courier New"})
        QVERIFY2(list.contains(QLatin1String(stored)), stored);
    for (qsizetype i = 1; i < list.size(); ++i)
        QVERIFY2(list[i - 1].compare(list[i], Qt::CaseInsensitive) < 0,
                 qPrintable(list[i - 1] + " / " + list[i]));
}

QTEST_MAIN(TestIniFile)
#include "tst_inifile.moc"
