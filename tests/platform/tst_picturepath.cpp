#include "document/coverdocument.h"
#include "platform/apperror.h"
#include "platform/picturepath.h"
#include "platform/stringtable.h"
#include "testprogdir.h"

#include <QDir>
#include <QFile>
#include <QTest>

// Where pictures and textures are found: stored picture paths from other computers and
// texture names in any letter case.
class TestPicturePath : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { SetLanguageOffset(1000); }
    void storedPathResolves_data();
    void storedPathResolves();
    void textureNameIgnoresLetterCase();
    void everyInstalledTextureLoads();
    void textureThatCannotBeLoadedIsAClearError_data();
    void textureThatCannotBeLoadedIsAClearError();
};

void TestPicturePath::storedPathResolves_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected"); // relative to the program folder; "=" is stored itself
    QTest::newRow("existing absolute path") << "@/elsewhere/own.jpg"
                                            << "elsewhere/own.jpg";
    QTest::newRow("windows path, picture folder") << "C:\\Programme\\X\\BILDER\\foto.jpg"
                                                  << "BILDER/Foto.JPG";
    QTest::newRow("windows path, other folder") << "D:\\Eigene Dateien\\FOTO.JPG"
                                                << "BILDER/Foto.JPG";
    QTest::newRow("network path") << "\\\\server\\share\\foto.jpg"
                                  << "BILDER/Foto.JPG";
    QTest::newRow("missing unix path") << "/home/someone/foto.jpg"
                                       << "BILDER/Foto.JPG";
    QTest::newRow("relative, other case") << "bilder\\foto.jpg"
                                          << "BILDER/Foto.JPG";
    QTest::newRow("not anywhere") << "C:\\BILDER\\missing.jpg"
                                  << "=";
    QTest::newRow("empty") << ""
                           << "=";
}

void TestPicturePath::storedPathResolves() {
    QFETCH(QString, stored);
    QFETCH(QString, expected);
    TestProgDir prog;
    QDir().mkpath(prog.file("elsewhere"));
    for (const QString& f :
         {QStringLiteral("BILDER/Foto.JPG"), QStringLiteral("elsewhere/own.jpg")}) {
        QFile out(prog.file(f));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("x");
    }
    stored.replace('@', prog.path().chopped(1));
    const QString got = resolvePicturePath(stored);
    QCOMPARE(got, expected == "=" ? stored : prog.file(expected));
}

void TestPicturePath::textureNameIgnoresLetterCase() {
    TestProgDir prog;
    QDir tex(prog.file("texturen"));
    for (const QString& f : tex.entryList(QDir::Files))
        tex.remove(f);
    QVERIFY(QFile::copy(fixturePath("pictures/rgb24.bmp"), prog.file("texturen/STANDARD.BMP")));
    CoverDocument doc;
    doc.reset(); // "standard.bmp" on every side
    for (int s = 0; s < CoverDocument::SideCount; ++s) {
        QCOMPARE(doc.HgFormat[s].Textur, QStringLiteral("standard.bmp"));
        QCOMPARE(doc.HgBild[s].size(), QSize(16, 12));
    }
    QCOMPARE(CoverDocument::texturePath("Standard.Bmp"), prog.file("texturen/STANDARD.BMP"));
}

void TestPicturePath::everyInstalledTextureLoads() {
    TestProgDir prog;
    const QStringList names = QDir(prog.file("texturen")).entryList(QDir::Files);
    QVERIFY(names.contains("standard.bmp", Qt::CaseInsensitive));
    CoverDocument doc;
    for (const QString& name : names) {
        if (name.startsWith('.')) continue;
        doc.HgFormat[0].Textur = name;
        doc.loadTexture(0);
        QVERIFY2(!doc.HgBild[0].isNull(), qPrintable(name));
    }
}

void TestPicturePath::textureThatCannotBeLoadedIsAClearError_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "fehlt.bmp" << QByteArray() << "cannot be read";
    QTest::newRow("damaged") << "kaputt.jpg" << QByteArray("\xFF\xD8\xFF garbage")
                             << "cannot be loaded";
    QTest::newRow("empty name") << "" << QByteArray() << "is not a picture file";
}

void TestPicturePath::textureThatCannotBeLoadedIsAClearError() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    TestProgDir prog;
    if (!content.isEmpty()) {
        QFile f(prog.file("texturen/" + name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    CoverDocument doc;
    doc.HgFormat[1].Textur = name;
    try {
        doc.loadTexture(1);
        QFAIL("loaded");
    } catch (const AppError& e) {
        QVERIFY2(e.message().contains(message), qPrintable(e.message()));
    }
    QVERIFY(doc.HgBild[1].isNull()); // the side keeps an empty texture picture
}

QTEST_MAIN(TestPicturePath)
#include "tst_picturepath.moc"
