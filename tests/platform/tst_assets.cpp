#include "platform/paths.h"
#include "platform/picture.h"
#include "platform/programresources.h"
#include "platform/stringtable.h"
#include "platform/textcodec.h"
#include "testprogdir.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QSvgRenderer>
#include <QTest>

// The installation data the program reads but does not define: textures, the template,
// help pages and the pictures compiled in.
class TestAssets : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void texturesLoad();
    void templateIsAnEmptyVersion2Cover();
    void helpPagesExistForEveryHelpTarget();
    void compiledPictures_data();
    void compiledPictures();
    void logoIsA468x60Jpeg();
};

void TestAssets::texturesLoad() {
    TestProgDir prog;
    const QDir dir(ProgSubDir("texturen"));
    const QStringList files =
        dir.entryList({"*.bmp", "*.jpg", "*.BMP", "*.JPG"}, QDir::Files, QDir::Name);
    QVERIFY(files.contains("standard.bmp"));
    QVERIFY2(files.size() >= 6, qPrintable(files.join(',')));
    int jpegs = 0;
    for (const QString& name : files) {
        const Picture pic = Picture::load(dir.filePath(name)); // throws on a bad file
        QVERIFY2(!pic.isNull(), qPrintable(name));
        QVERIFY(pic.width() >= 64 && pic.height() >= 64);
        if (pic.kind() == Picture::Kind::Jpeg) ++jpegs;
    }
    QVERIFY(jpegs >= 1);
}

void TestAssets::templateIsAnEmptyVersion2Cover() {
    TestProgDir prog;
    QFile f(prog.file("ZVX/vorlage.zvx"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray raw = f.readAll();
    QVERIFY(raw.endsWith("\r\n"));
    QCOMPARE(raw.count("\r\n"), 118);
    QCOMPARE(raw.count('\n'), 118); // no lone line feeds
    const QStringList lines = splitLines(decodeText(raw));
    QCOMPARE(lines.size(), 118);
    QCOMPARE(lines[0], QStringLiteral("\\\\\\V2.0\\\\\\"));
    const QStringList lineBlock{"",  "1", "12632256", "Times New Roman", "0", "0", "0",
                                "0", "2", "8"};
    for (int start : {1, 11, 22, 32, 43, 53, 72, 82})
        QCOMPARE(lines.mid(start, 10), lineBlock);
    QCOMPARE(lines.mid(63, 8),
             (QStringList{"", "8421504", "Times New Roman", "16777215", "0", "0", "2", "2"}));
    for (int kind : {21, 42, 71, 92})
        QCOMPARE(lines[kind], QStringLiteral("0"));
    for (int start = 93; start < 117; start += 6)
        QCOMPARE(lines.mid(start, 6),
                 (QStringList{"0", "16777215", "0", "20", "20", "standard.bmp"}));
    QCOMPARE(lines[117], QStringLiteral("0"));
}

void TestAssets::helpPagesExistForEveryHelpTarget() {
    TestProgDir prog;
    for (int id = 65300; id <= 65311; ++id) {
        const QString page =
            resolveCaseInsensitive(prog.path() + normalizeSeparators(StringTableEntry(id)));
        QVERIFY2(QFile::exists(page), qPrintable(page));
        QFile f(page);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains("<html lang="));
    }
}

void TestAssets::compiledPictures_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("flag de") << "flag_de.svg";
    QTest::newRow("flag en") << "flag_en.svg";
    QTest::newRow("icon") << "zarvex.svg";
}

void TestAssets::compiledPictures() {
    QFETCH(QString, name);
    QSvgRenderer svg(ProgramImagePath(name));
    QVERIFY(svg.isValid());
    QVERIFY(!svg.defaultSize().isEmpty());
}

void TestAssets::logoIsA468x60Jpeg() {
    QImageReader reader(ProgramImagePath("logo.jpg"));
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    QCOMPARE(reader.size(), QSize(468, 60));
    QVERIFY(!reader.read().isNull());
    QCOMPARE(QImage(ProgramImagePath("zarvex.png")).size(), QSize(64, 64));
}

QTEST_MAIN(TestAssets)
#include "tst_assets.moc"
