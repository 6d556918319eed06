#include "directory/directoryreader.h"
#include "directory/directorystrings.h"
#include "directory/discimage.h"
#include "directory/discimagereader.h"
#include "discimagemaker.h"
#include "platform/apperror.h"
#include "platform/stringtable.h"
#include "scripteddialogs.h"

#include <cstring>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <QTest>
#include <sys/stat.h>

namespace {
QStringList entries(const DirectoryListing& listing) {
    QStringList out;
    for (qsizetype i = 1; i < listing.size(); i += 2)
        out << listing[i];
    return out;
}

const QStringList kNames{"MUSIK/ROCK/LIVE/", "MUSIK/JAZZ/", "DATA/",           "README",
                         "DATA/A.TXT",       "MUSIK/B.MP3", "MUSIK/ROCK/C.TXT"};
} // namespace

class TestDiscImage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void listingEqualsFileSystem_data();
    void listingEqualsFileSystem();
    void refused_data();
    void refused();
};

void TestDiscImage::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    SetLanguageOffset(1000);
    if (QStandardPaths::findExecutable(QStringLiteral("xorriso")).isEmpty())
        QSKIP("xorriso is missing (scripts/setup installs it)");
}

void TestDiscImage::listingEqualsFileSystem_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QString>("start");
    const QString longName = QString(70, u'L') + QStringLiteral(" Ärger");
    QTest::newRow("plain ISO 9660") << QStringList{"--norock"} << kNames << "";
    QTest::newRow("plain, start folder") << QStringList{"--norock"} << kNames << "MUSIK";
    QTest::newRow("Joliet") << QStringList{"--norock", "-J", "-joliet-long"}
                            << QStringList{"Ärger über Öl/Straße/", longName + u'/',
                                           "東京/Ёлка.txt", "Müller/ä b.MP3", "big.bin"}
                            << "";
    const QStringList deep{"a/b/c/d/e/f/g/h/i/j/k/",
                           "a/b/c/d/e/f/g/x.txt",
                           QString(200, u'R') + u'/',
                           "Mixed Case/",
                           "abc/",
                           "ABC/",
                           ".hidden/inner/",
                           "sub/deeper/",
                           "sub/a.txt",
                           "tolink->sub",
                           "flink.txt->sub/a.txt",
                           "up->..",
                           "dead.txt->nowhere",
                           "big.bin"};
    QTest::newRow("Rock Ridge") << QStringList{"-R", "-J"} << deep << "";
    QTest::newRow("Rock Ridge, start inside") << QStringList{"-R"} << deep << "a/b/c";
    QTest::newRow("Rock Ridge, deep folders moved")
        << QStringList{"-R", "-rr_reloc_dir", "rr_moved"} << deep << "a/b/c";
}

// The same tree gives the same listing from its image as from the file system, for every
// depth and filter; the dialog's folder list is the depth-1 reading's folders.
void TestDiscImage::listingEqualsFileSystem() {
    QFETCH(QStringList, options);
    QFETCH(QStringList, tree);
    QFETCH(QString, start);
    QTemporaryDir tmp;
    const QString root = tmp.filePath(QStringLiteral("tree"));
    makeTree(root, tree);
    // A name in another system's encoding (no valid UTF-8) reads as the same letters.
    const bool rockRidge = options.contains(QStringLiteral("-R"));
    const QByteArray odd = QFile::encodeName(root) + "/bad\xFF\xFEname";
    if (rockRidge)
        QVERIFY(::mkdir(odd.constData(), 0755) == 0 && ::mkdir(odd + "/inner", 0755) == 0);
    const QString iso = tmp.filePath(QStringLiteral("disc.ISO"));
    makeImage(root, iso, options);
    QVERIFY(DiscImage::isImageFile(iso));

    DiscImage image(iso);
    QCOMPARE(image.label(), QStringLiteral("MYDISC"));
    QCOMPARE(image.heading(u'/' + start),
             start.isEmpty()
                 ? QStringLiteral("MYDISC:\\")
                 : QStringLiteral("MYDISC:\\") + QString(start).replace(u'/', u'\\') + u'\\');
    const QString fsStart = start.isEmpty() ? root : root + u'/' + start;
    ScriptedDialogs dialogs;
    for (const DirFilterSettings& filter :
         {DirFilterSettings{}, DirFilterSettings{false, QStringLiteral("*.*")},
          DirFilterSettings{false, QStringLiteral("*.TXT")}}) {
        for (int tiefe : {0, 2, 7}) {
            DirectoryListing fromFs, fromImage;
            DirectoryReader(fromFs, tiefe, filter)
                .ReadListing(QStringLiteral("H"), fsStart, dialogs);
            DiscImageReader reader(fromImage, tiefe, filter, image);
            QVERIFY(reader.ReadImageListing(u'/' + start, dialogs));
            QCOMPARE(fromImage.first(), image.heading(u'/' + start));
            QCOMPARE(entries(fromImage), entries(fromFs));
            if (rockRidge && start.isEmpty())
                QVERIFY(entries(fromFs).contains(QStringLiteral("bad\u00FF\u00FEname")));
            if (tiefe == 0 && filter.OnlyDirectories)
                QCOMPARE(image.folders(u'/' + start), entries(fromFs));
        }
    }
    // A second reading with the same reader reads every folder again.
    DirectoryListing once, twice;
    DiscImageReader reader(once, 7, {}, image);
    QVERIFY(reader.ReadImageListing(QStringLiteral("/"), dialogs));
    twice = once;
    QVERIFY(reader.ReadImageListing(QStringLiteral("/"), dialogs));
    QCOMPARE(once, twice);
    QVERIFY_THROWS_EXCEPTION(AppError, image.folders(QStringLiteral("/no such folder")));
    if (rockRidge) // QTemporaryDir cannot remove what its names cannot spell
        QVERIFY(::rmdir(odd + "/inner") == 0 && ::rmdir(odd.constData()) == 0);
}

void TestDiscImage::refused_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<int>("message");
    QTest::newRow("cut short") << "cut" << int(StrImageDamaged);
    QTest::newRow("random bytes") << "random" << int(StrImageNotIso);
    QTest::newRow("empty file") << "empty" << int(StrImageNotIso);
    QTest::newRow("not there") << "missing" << int(StrImageUnreadable);
    QTest::newRow("broken records of the top folder") << "top" << int(StrImageDamaged);
    QTest::newRow("broken records deeper down") << "deeper" << int(StrImageDamaged);
    QTest::newRow("folder pointing at its parent") << "loop" << 0;
}

// A damaged image or another file is refused with a message naming it, and a listing being
// read into is left as it was; nothing crashes or runs away.
void TestDiscImage::refused() {
    QFETCH(QString, damage);
    QFETCH(int, message);
    QTemporaryDir tmp;
    const QString root = tmp.filePath(QStringLiteral("tree"));
    makeTree(root, kNames);
    const QString iso = tmp.filePath(QStringLiteral("disc.iso"));
    makeImage(root, iso, {"-R"});
    QFile f(iso);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    // The records of a folder: its record in the top folder names its first block.
    auto folderBlock = [&](const char* name) {
        const qsizetype at = bytes.indexOf(QByteArray(1, char(std::strlen(name))) + name);
        return qFromLittleEndian<quint32>(bytes.constData() + at - 32 + 2);
    };
    const quint32 topBlock = qFromLittleEndian<quint32>(bytes.constData() + 16 * 2048 + 156 + 2);
    if (damage == "cut") bytes.truncate(bytes.size() / 2);
    if (damage == "random") {
        for (char& c : bytes)
            c = char(QRandomGenerator::global()->bounded(256));
    }
    if (damage == "empty") bytes.clear();
    if (damage == "top") bytes[topBlock * 2048 + 32] = char(200); // name longer than record
    if (damage == "deeper") bytes[folderBlock("ROCK") * 2048 + 32] = char(200);
    if (damage == "loop") { // MUSIK/JAZZ's records become those of MUSIK
        const qsizetype at = bytes.indexOf(QByteArray("\x04JAZZ", 5));
        qToLittleEndian<quint32>(folderBlock("MUSIK"), bytes.data() + at - 32 + 2);
    }
    QVERIFY(f.resize(0) && f.write(bytes) == bytes.size());
    f.close();
    if (damage == "missing") QVERIFY(QFile::remove(iso));

    const DirectoryListing before{"old heading", "old entry", "a comment"};
    DirectoryListing listing = before;
    ScriptedDialogs dialogs;
    try {
        DiscImage image(iso);
        DiscImageReader reader(listing, 7, {}, image);
        const bool found = reader.ReadImageListing(QStringLiteral("/"), dialogs);
        QCOMPARE(message, 0);
        QVERIFY(found);
        QVERIFY(entries(listing).contains(QStringLiteral(" JAZZ"))); // listed, not entered
    } catch (const AppError& e) {
        QCOMPARE(e.message(), LadeTextArg(message, iso));
        QCOMPARE(listing, before);
    }
}

QTEST_MAIN(TestDiscImage)
#include "tst_discimage.moc"
