#include "platform/stringtable.h"
#include "platform/stringtable_data.h"

#include <QSet>
#include <QTest>

#include <span>

namespace {
// Every block of the table, as the program assembles it.
QList<std::span<const StringTableItem>> blocks() {
    return {{kStringsBase, kStringsBaseSize},
            {kStringsPlatform, kStringsPlatformSize},
            {kStringsDocument, kStringsDocumentSize},
            {kStringsDirectory, kStringsDirectorySize},
            {kStringsApp, kStringsAppSize},
            {kStringsContent, kStringsContentSize},
            {kStringsRender, kStringsRenderSize}};
}

QList<int> allIds() {
    QList<int> ids;
    for (const auto& block : blocks())
        for (const StringTableItem& item : block)
            if (item.id > 0) // id 0 marks an empty placeholder block
                ids.append(item.id);
    return ids;
}
} // namespace

class TestStringTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { SetLanguageOffset(1000); }
    void idsAreUniqueAcrossBlocks();
    void everyTextHasItsTwin();
    void baseBlockIsSorted();
    void noTextIsCut();
    void missingIdGivesEmptyText();
    void languageOffset_data();
    void languageOffset();
    void textsOtherCodeReliesOn_data();
    void textsOtherCodeReliesOn();
    void helpTargets();
};

void TestStringTable::idsAreUniqueAcrossBlocks() {
    // A duplicate would silently replace another area's text.
    QSet<int> seen;
    for (int id : allIds()) {
        QVERIFY2(!seen.contains(id), qPrintable(QStringLiteral("id %1 twice").arg(id)));
        seen.insert(id);
    }
}

void TestStringTable::everyTextHasItsTwin() {
    const QList<int> ids = allIds();
    const QSet<int> set(ids.begin(), ids.end());
    for (int id : ids) {
        if (id < 1000)
            QVERIFY2(set.contains(id + 1000),
                     qPrintable(QStringLiteral("%1 has no English twin").arg(id)));
        else if (id < 2000)
            QVERIFY2(set.contains(id - 1000),
                     qPrintable(QStringLiteral("%1 has no German twin").arg(id)));
        else
            QVERIFY2(id >= 65280 && id <= 65311, qPrintable(QStringLiteral("stray id %1").arg(id)));
    }
}

void TestStringTable::baseBlockIsSorted() {
    for (std::size_t i = 1; i < kStringsBaseSize; ++i)
        QVERIFY2(kStringsBase[i - 1].id < kStringsBase[i].id,
                 qPrintable(QStringLiteral("out of order at %1").arg(kStringsBase[i].id)));
}

void TestStringTable::noTextIsCut() {
    // LadeText keeps only the first 254 characters, so a longer text of ours would lose its end.
    for (int offset : {0, 1000})
        for (int id : allIds()) {
            const QString full = StringTableEntry(id);
            QVERIFY2(full.size() <= 254, qPrintable(QStringLiteral("id %1 too long").arg(id)));
            if (id >= offset && id - offset < 1000) {
                SetLanguageOffset(offset);
                QCOMPARE(LadeText(id - offset), full);
            }
        }
}

void TestStringTable::missingIdGivesEmptyText() {
    for (int offset : {0, 1000}) {
        SetLanguageOffset(offset);
        QVERIFY(LadeText(1).size() > 0);
        QCOMPARE(LadeText(401), QString()); // the File menu itself has no status text
        QCOMPARE(LadeText(9), QString());
        QCOMPARE(LadeText(999), QString());
        QCOMPARE(LadeText(-5), QString());
    }
    QCOMPARE(StringTableEntry(0), QString());
    QCOMPARE(StringTableEntry(65535), QString());
}

void TestStringTable::languageOffset_data() {
    QTest::addColumn<int>("sprache");
    QTest::addColumn<QString>("fileMenu");
    QTest::newRow("49 German") << 49 << "&Datei";
    QTest::newRow("44 English") << 44 << "&File";
    QTest::newRow("0 not chosen") << 0 << "&File";
    QTest::newRow("other") << 33 << "&File";
    QTest::newRow("negative") << -49 << "&File";
}

void TestStringTable::languageOffset() {
    QFETCH(int, sprache);
    QFETCH(QString, fileMenu);
    SetLanguageOffset(LanguageOffsetFor(sprache));
    QCOMPARE(LadeText(1), fileMenu);
}

void TestStringTable::textsOtherCodeReliesOn_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::newRow("new") << 2 << "&Neu";
    QTest::newRow("new en") << 1002 << "&New";
    QTest::newRow("open hint") << 101 << "Öffnen|";
    QTest::newRow("new status") << 402 << "Ein neues leeres CD-Cover erzeugen";
    QTest::newRow("exit status keeps double blank") << 408 << "Das Programm  beenden";
    QTest::newRow("paper case") << 374 << "CD-Hülle-Bastelbogen";
    QTest::newRow("paper case en") << 1374 << "CD-Paper-Case";
    QTest::newRow("overwrite") << 804 << "existiert bereits! Überschreiben?";
    QTest::newRow("overwrite en") << 1804 << "already exists! Overwrite?";
    QTest::newRow("depth 8") << 269 << "8";
    QTest::newRow("comments 3:1") << 1276 << "3:1";
    QTest::newRow("header dialog") << 260 << "Kopf / Fußzeile formatieren...";
}

void TestStringTable::textsOtherCodeReliesOn() {
    QFETCH(int, id);
    QFETCH(QString, text);
    QCOMPARE(StringTableEntry(id), text);
}

void TestStringTable::helpTargets() {
    // Chosen by the language directly, never shifted by the offset.
    for (int id = 65300; id <= 65311; ++id) {
        const QString path = StringTableEntry(id);
        QVERIFY2(path.startsWith(id < 65306 ? "hilfe\\" : "hilfe\\de\\") && path.endsWith(".htm"),
                 qPrintable(path));
        if (id < 65306) QVERIFY(!path.startsWith("hilfe\\de\\"));
    }
    QCOMPARE(StringTableEntry(65280), "hilfe\\index.htm"); // the home page, until a web site
    QCOMPARE(StringTableEntry(65281), "hilfe\\de\\index.htm");
}

QTEST_GUILESS_MAIN(TestStringTable)
#include "tst_stringtable.moc"
