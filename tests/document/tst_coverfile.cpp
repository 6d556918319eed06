#include "document/coverfile.h"
#include "document/coverreader.h"
#include "document/coverwriter.h"
#include "platform/apperror.h"
#include "platform/stringtable.h"
#include "platform/textcodec.h"
#include "testprogdir.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>

namespace {
QStringList fixtureLines(const QString& name) {
    return splitLines(QStringView(decodeText(fixtureBytes(name))), true);
}

// Reads lines into a reset document; returns the error text (empty on success).
QString readInto(const QStringList& lines, CoverDocument& doc, std::optional<int>* layout = nullptr,
                 QStringList* notLoaded = nullptr) {
    doc.reset();
    try {
        CoverReader r(lines, doc, QStringLiteral("test.zvx"));
        const std::optional<int> l = r.read();
        if (layout) *layout = l;
        if (notLoaded) *notLoaded = r.notLoaded();
    } catch (const AppError& e) {
        return e.message();
    }
    return {};
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Temporary files of a save are hidden files beside the target.
QStringList tempFilesIn(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden);
}

// Index of the first content-kind line of side 0 in a version 2.0 file.
constexpr int kSide0Content = 21;
} // namespace

class TestCoverFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { SetLanguageOffset(1000); }
    void resetStateIsTheWorkedExample();
    void contentBlocks_data();
    void contentBlocks();
    void textsRoundTrip_data();
    void textsRoundTrip();
    void booleansKeepLowestBit_data();
    void booleansKeepLowestBit();
    void sizeIndexesKeptInRange_data();
    void sizeIndexesKeptInRange();
    void version12File();
    void oldestForm();
    void pictureSides();
    void windows1252FileRoundTripsByteForByte();
    void nonLatinTextSurvives();
    void badFiles_data();
    void badFiles();
    void everyTruncationAndJunkLineIsRefused();
    void oversizedAndOddFilesAreRefused();
    void whatSavingWritesOpensAgain();
    void savedInPieces_data();
    void savedInPieces();
    void backupPath_data();
    void backupPath();
    void saveKeepsBackup();
    void saveUnderFaults_data();
    void saveUnderFaults();
};

void TestCoverFile::resetStateIsTheWorkedExample() {
    TestProgDir dir;
    CoverDocument doc;
    doc.reset();
    const QStringList lines = CoverWriter::WriteCover(doc);
    QCOMPARE(lines.size(), 118);
    QCOMPARE(encodeLines(lines), fixtureBytes(QStringLiteral("cover_reset.zvx")));

    CoverFile::save(dir.file(QStringLiteral("ZVX/r.zvx")), doc);
    QCOMPARE(fileBytes(dir.file(QStringLiteral("ZVX/r.zvx"))),
             fixtureBytes(QStringLiteral("cover_reset.zvx")));
    CoverDocument back;
    std::optional<int> layout;
    QCOMPARE(readInto(lines, back, &layout), QString());
    QCOMPARE(layout, std::optional<int>(0));
    QCOMPARE(CoverWriter::WriteCover(back), lines);
    QVERIFY(!back.HgBild[3].isNull());
}

void TestCoverFile::contentBlocks_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("block");
    QTest::newRow("none") << 0 << QStringList{"0"};
    QTest::newRow("directory") << 1
                               << QStringList{"1",   "3", "D:\\", "  SUB", "note", "Courier New",
                                              "255", "4", "2",    "0",     "3"};
    QTest::newRow("text") << 2 << QStringList{"2",     "2", "eins", "zwei", "Arial",
                                              "65280", "1", "0",    "2",    "27"};
    QTest::newRow("picture") << 3 << QStringList{"3", "0", "1", "/pics/bild.bmp"};
}

void TestCoverFile::contentBlocks() {
    QFETCH(int, kind);
    QFETCH(QStringList, block);
    TestProgDir dir;
    CoverDocument doc;
    doc.reset();
    doc.Inhalt[0] = quint8(kind);
    // Every kind's data is filled; only the current kind's is written.
    doc.VerzListe[0] = {"D:\\", "  SUB", "note"};
    doc.VerzFormat[0] = {QStringLiteral("Courier New"), 255, 3, 4, 2, 0};
    doc.TextInhalt[0] = QStringLiteral("eins\r\nzwei");
    doc.TextFormat[0] = {QStringLiteral("Arial"), 65280, 1, 0, 2, 27};
    doc.BildFormat[0] = {0, 1, QStringLiteral("/pics/bild.bmp")};
    const QStringList lines = CoverWriter::WriteCover(doc);
    QCOMPARE(lines.mid(kSide0Content, block.size()), block);
    QCOMPARE(lines.size(), 118 + block.size() - 1);

    CoverDocument back;
    QCOMPARE(readInto(lines, back), QString());
    QCOMPARE(int(back.Inhalt[0]), kind);
    QCOMPARE(CoverWriter::WriteCover(back), lines);
}

void TestCoverFile::textsRoundTrip_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("no final break") << "Wort" << QStringList{"Wort"} << "Wort\r\n";
    QTest::newRow("one empty line") << "\r\n" << QStringList{""} << "\r\n";
    QTest::newRow("ends in CR LF") << "a\r\nb\r\n" << QStringList{"a", "b"} << "a\r\nb\r\n";
    QTest::newRow("empty") << "" << QStringList{} << "";
    QTest::newRow("lone LF from a Linux file") << "a\nb" << QStringList{"a", "b"} << "a\r\nb\r\n";
    const QString longLine(5000, u'x');
    QTest::newRow("5000 characters written whole")
        << longLine << QStringList{longLine} << longLine + "\r\n";
}

void TestCoverFile::textsRoundTrip() {
    QFETCH(QString, text);
    QFETCH(QStringList, stored);
    QFETCH(QString, readBack);
    TestProgDir dir;
    CoverDocument doc;
    doc.reset();
    doc.Inhalt[1] = 2;
    doc.TextInhalt[1] = text;
    const QStringList lines = CoverWriter::WriteCover(doc);
    const int at = kSide0Content + 1 + 20 + 1; // count line of side 1
    QCOMPARE(lines[at], QString::number(stored.size()));
    QCOMPARE(lines.mid(at + 1, stored.size()), stored);

    const QString path = dir.file(QStringLiteral("ZVX/t.zvx"));
    CoverFile::save(path, doc);
    CoverDocument back;
    back.reset();
    CoverFile::load(path, back, CoverFile::Reader::ByFirstLine);
    QCOMPARE(back.TextInhalt[1], readBack);
    QCOMPARE(CoverWriter::WriteCover(back), lines);
}

void TestCoverFile::booleansKeepLowestBit_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("value");
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("1") << "1" << 1;
    QTest::newRow("2") << "2" << 0;
    QTest::newRow("3") << "3" << 1;
    QTest::newRow("-1") << "-1" << 1;
}

void TestCoverFile::booleansKeepLowestBit() {
    QFETCH(QString, line);
    QFETCH(int, value);
    TestProgDir dir;
    QStringList lines = fixtureLines(QStringLiteral("cover_reset.zvx"));
    lines[2] = line;  // Sichtbar of the header of side 0
    lines[16] = line; // Fett of its footer
    CoverDocument doc;
    QCOMPARE(readInto(lines, doc), QString());
    QCOMPARE(int(doc.KopfFormat[0].Sichtbar), value);
    QCOMPARE(int(doc.FussFormat[0].Fett), value);
}

void TestCoverFile::sizeIndexesKeptInRange_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("header, huge") << 10 << "1000000" << 8;
    QTest::newRow("header, negative") << 10 << "-5" << 0;
    QTest::newRow("footer") << 20 << "9" << 8;
    QTest::newRow("listing") << 31 << "1000000" << 4;
    QTest::newRow("text, largest integer") << 60 << "2147483647" << 27;
    QTest::newRow("text, smallest integer") << 60 << "-2147483648" << 0;
    QTest::newRow("margin") << 88 << "5" << 4;
    QTest::newRow("in range stays") << 60 << "27" << 27;
}

// A size index outside its list would make the drawing overflow or ask for gigabytes.
void TestCoverFile::sizeIndexesKeptInRange() {
    QFETCH(int, line);
    QFETCH(QString, value);
    QFETCH(int, expected);
    TestProgDir dir;
    CoverDocument doc;
    doc.reset();
    doc.Inhalt[0] = 1;
    doc.VerzListe[0] = {"H", "e", ""};
    doc.Inhalt[1] = 2;
    doc.TextInhalt[1] = QStringLiteral("t");
    // Distinct sizes, so each one's line can be checked before it is changed.
    doc.KopfFormat[0].Groesse = 5;
    doc.FussFormat[0].Groesse = 6;
    doc.VerzFormat[0].Groesse = 3;
    doc.TextFormat[1].Groesse = 17;
    doc.RandFormat.Groesse = 1;
    QStringList lines = CoverWriter::WriteCover(doc);
    const QMap<int, QString> original = {{10, "5"}, {20, "6"}, {31, "3"}, {60, "17"}, {88, "1"}};
    QCOMPARE(lines[line], original[line]);
    lines[line] = value;

    CoverDocument back;
    QCOMPARE(readInto(lines, back), QString());
    const QMap<int, qint32> read = {{10, back.KopfFormat[0].Groesse},
                                    {20, back.FussFormat[0].Groesse},
                                    {31, back.VerzFormat[0].Groesse},
                                    {60, back.TextFormat[1].Groesse},
                                    {88, back.RandFormat.Groesse}};
    QCOMPARE(read[line], expected);
}

void TestCoverFile::version12File() {
    TestProgDir dir;
    CoverDocument doc;
    std::optional<int> layout;
    QCOMPARE(readInto(fixtureLines(QStringLiteral("cover_v12.zvx")), doc, &layout), QString());
    QVERIFY(!layout);
    QCOMPARE(doc.KopfFormat[0].Schriftfarbe, 0x0000FF); // index 9: red
    QCOMPARE(doc.KopfFormat[0].HgFarbe, 0xC0C0C0);      // index 8: silver
    QCOMPARE(doc.FussFormat[0].Schriftfarbe, 0);        // index 16: black
    QCOMPARE(doc.FussFormat[0].HgFarbe, 0xFFFFFF);
    QCOMPARE(int(doc.Inhalt[0]), 1);
    QCOMPARE(doc.VerzListe[0], (QStringList{"C:\\", "DATEN", ""}));
    QCOMPARE(doc.VerzFormat[0].Schriftfarbe, 0xFF00FF); // index 12: fuchsia
    QCOMPARE(doc.VerzFormat[0].Tiefe, 5);
    QCOMPARE(doc.VerzFormat[0].Kommentare, 2);
    QCOMPARE(doc.VerzFormat[0].Groesse, 1); // not stored in version 1.2
    QCOMPARE(doc.TextInhalt[1], QStringLiteral("a\r\nb\r\n"));
    QCOMPARE(doc.TextFormat[1].Schriftfarbe, 0x00FFFF);
    QCOMPARE(doc.RandFormat.HgFarbe, 0x808080);
    QCOMPARE(doc.RandFormat.Schriftfarbe, 0xFFFFFF);
    QCOMPARE(int(doc.Inhalt[2]), 0); // picture file missing: no picture side
    QCOMPARE(doc.HgFormat[1], TFormatHintergrund{});
}

void TestCoverFile::oldestForm() {
    TestProgDir dir;
    CoverDocument doc;
    doc.reset();
    doc.KopfText[3] = QStringLiteral("side 3 untouched");
    doc.HgFormat[0].Art = 1;
    CoverReader r(fixtureLines(QStringLiteral("cover_old.zvx")), doc, QStringLiteral("old"));
    QVERIFY(!r.read());
    QCOMPARE(doc.KopfText[0], QStringLiteral("Alte Kopfzeile"));
    TFormatUeberschrift k{1, 0xFFFFFF, QStringLiteral("Arial"), 0x0000FF, 1, 0, 1, 2, 8};
    QCOMPARE(doc.KopfFormat[0], k);
    k.Sichtbar = 0;
    QCOMPARE(doc.FussFormat[0], k);
    QCOMPARE(doc.FussText[0], QString());
    QCOMPARE(doc.TextInhalt[0], QStringLiteral("x\r\ny\r\n"));
    QCOMPARE(doc.TextFormat[0], (TFormatText{QStringLiteral("Arial"), 0x800000, 0, 0, 1, 5}));
    QCOMPARE(doc.VerzListe[1], (QStringList{"A:\\", "DOS", ""}));
    QCOMPARE(doc.VerzFormat[1],
             (TFormatVerzeichnis{QStringLiteral("Courier New"), 0x008000, 1, 3, 1, 1}));
    QCOMPARE(doc.KopfText[2], QStringLiteral("Rücken"));
    QCOMPARE(doc.RandText, QStringLiteral("Randtext"));
    QCOMPARE(doc.RandFormat,
             (TFormatRandtext{0xFFFFFF, QStringLiteral("Arial"), 0xFF0000, 1, 0, 2, 2}));
    QCOMPARE(doc.KopfText[3], QStringLiteral("side 3 untouched"));
    QCOMPARE(doc.HgFormat[0].Art, 1);
}

void TestCoverFile::pictureSides() {
    TestProgDir dir;
    QImage img(4, 3, QImage::Format_RGB32);
    img.fill(Qt::red);
    const QString pic = dir.file(QStringLiteral("BILDER/da.bmp"));
    QVERIFY(img.save(pic, "BMP"));

    // Oldest form: the side becomes a picture side only when the file exists.
    for (const QString& path : {pic, dir.file(QStringLiteral("BILDER/weg.bmp"))}) {
        CoverDocument doc;
        const QStringList lines{"",  "Arial", "0",     "0",     "0", "0", "0", "3",
                                "0", path,    "",      "Arial", "0", "0", "0", "0",
                                "0", "0",     "",      "Arial", "0", "0", "0", "0",
                                "0", "",      "Arial", "0",     "0", "0", "0", "0"};
        QStringList notLoaded;
        QCOMPARE(readInto(lines, doc, nullptr, &notLoaded), QString());
        QCOMPARE(int(doc.Inhalt[0]), path == pic ? 3 : 0);
        // A missing file is named; it is no picture side of this form, but it was meant as one.
        QCOMPARE(
            notLoaded,
            path == pic
                ? QStringList()
                : QStringList{QStringLiteral("The picture file \"%1\" does not exist.").arg(path)});
        QCOMPARE(doc.Bild[0].isNull(), path != pic);
        QCOMPARE(doc.BildFormat[0].Ausrichtung, 0);
    }

    // Version 2.0: a picture side stays one without its file and keeps the path on saving.
    QStringList lines = fixtureLines(QStringLiteral("cover_v20_all.zvx"));
    CoverDocument doc;
    QStringList notLoaded;
    QCOMPARE(readInto(lines, doc, nullptr, &notLoaded), QString());
    QCOMPARE(int(doc.Inhalt[2]), 3);
    QVERIFY(doc.Bild[2].isNull());
    QCOMPARE(notLoaded.size(), 1);
    QVERIFY2(notLoaded[0].contains(QStringLiteral("fehlt.bmp")), qPrintable(notLoaded[0]));
    doc.CoverLayout = 1;
    QCOMPARE(CoverWriter::WriteCover(doc), lines);
    // A stored relative path with backslashes is found in the program directory.
    lines.replace(lines.indexOf(QStringLiteral("BILDER\\fehlt.bmp")),
                  QStringLiteral("bilder\\DA.bmp"));
    QCOMPARE(readInto(lines, doc), QString());
    QCOMPARE(doc.Bild[2].size(), QSize(4, 3));
    // So is a picture named by a path of the Windows computer the cover was made on.
    lines.replace(lines.indexOf(QStringLiteral("bilder\\DA.bmp")),
                  QStringLiteral("C:\\ALT\\BILDER\\da.bmp"));
    QCOMPARE(readInto(lines, doc), QString());
    QCOMPARE(doc.Bild[2].size(), QSize(4, 3));
    QCOMPARE(doc.BildFormat[2].DateiName, QStringLiteral("C:\\ALT\\BILDER\\da.bmp"));
}

void TestCoverFile::windows1252FileRoundTripsByteForByte() {
    TestProgDir dir;
    const QString path = dir.file(QStringLiteral("ZVX/alt.zvx"));
    writeBytes(path, fixtureBytes(QStringLiteral("cover_v20_all.zvx")));
    CoverDocument doc;
    doc.reset();
    const CoverFile::Loaded loaded = CoverFile::load(path, doc, CoverFile::Reader::ByFirstLine);
    QCOMPARE(loaded.layout, std::optional<int>(1));
    QCOMPARE(doc.KopfText[0], QStringLiteral("Kopf Müller €"));
    QCOMPARE(doc.HgFormat[1].Textur, QStringLiteral("gibtsnicht.bmp"));
    QVERIFY(!doc.HgBild[1].isNull()); // the default texture stays
    doc.CoverLayout = 1;
    CoverFile::save(path, doc);
    QCOMPARE(fileBytes(path), fixtureBytes(QStringLiteral("cover_v20_all.zvx")));
}

void TestCoverFile::nonLatinTextSurvives() {
    TestProgDir dir;
    CoverDocument doc;
    doc.reset();
    doc.KopfText[0] = QStringLiteral("Ёлка – 東京");
    doc.Inhalt[1] = 1;
    doc.VerzListe[1] = {"/media/cd/", "Ünïcødé €", ""};
    const QString path = dir.file(QStringLiteral("ZVX/u.zvx"));
    CoverFile::save(path, doc);
    CoverDocument back;
    back.reset();
    CoverFile::load(path, back, CoverFile::Reader::ByFirstLine);
    QCOMPARE(back.KopfText[0], doc.KopfText[0]);
    QCOMPARE(back.VerzListe[1], doc.VerzListe[1]);
}

void TestCoverFile::badFiles_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("reason");
    QTest::newRow("content kind 4") << kSide0Content << "4"
                                    << "unknown content kind 4";
    QTest::newRow("content kind -1") << kSide0Content << "-1"
                                     << "unknown content kind -1";
    QTest::newRow("count larger than the file") << 22 << "2147483647"
                                                << "larger than the rest";
    QTest::newRow("negative count") << 22 << "-5"
                                    << "negative";
    QTest::newRow("number too large") << 3 << "4294967296"
                                      << "number was expected";
    QTest::newRow("trailing text") << 3 << "255 red"
                                   << "number was expected";
    QTest::newRow("empty number") << 3 << ""
                                  << "number was expected";
}

void TestCoverFile::badFiles() {
    QFETCH(int, line);
    QFETCH(QString, value);
    QFETCH(QString, reason);
    TestProgDir dir;
    QStringList lines = fixtureLines(QStringLiteral("cover_v20_all.zvx"));
    lines[line] = value;
    CoverDocument doc;
    const QString error = readInto(lines, doc);
    QVERIFY2(error.contains(QStringLiteral("Line %1: ").arg(line + 1)), qPrintable(error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY(error.contains(QStringLiteral("test.zvx")));
}

// The same for every place: a file cut after any line, and any number replaced by junk,
// is refused with the line named. (That the open document survives is checked with the
// commands.)
void TestCoverFile::everyTruncationAndJunkLineIsRefused() {
    TestProgDir dir;
    for (const char* name : {"cover_v20_all.zvx", "cover_v12.zvx", "cover_old.zvx"}) {
        const QStringList lines = fixtureLines(QLatin1String(name));
        for (int n = 1; n < lines.size(); ++n) {
            CoverDocument doc;
            const QString error = readInto(lines.first(n), doc);
            const bool endsEarly = error.contains(QStringLiteral("Line %1: ").arg(n + 1)) &&
                                   error.contains(QStringLiteral("ends too early"));
            QVERIFY2(endsEarly || error.contains(QStringLiteral("larger than the rest")),
                     qPrintable(QStringLiteral("%1 cut at %2: %3").arg(name).arg(n).arg(error)));
        }
        for (int i = 1; i < lines.size(); ++i) {
            bool isNumber = false;
            lines[i].toInt(&isNumber);
            if (!isNumber) continue;
            QStringList junk = lines;
            junk[i] = QStringLiteral("7x");
            CoverDocument doc;
            const QString error = readInto(junk, doc);
            QVERIFY2(error.contains(QStringLiteral("Line %1: ").arg(i + 1)),
                     qPrintable(QStringLiteral("%1 line %2: %3").arg(name).arg(i + 1).arg(error)));
        }
    }
}

void TestCoverFile::oversizedAndOddFilesAreRefused() {
    TestProgDir dir;
    const auto refused = [](const QString& path, const QString& what) {
        CoverDocument doc;
        try {
            CoverFile::load(path, doc, CoverFile::Reader::ByFirstLine);
        } catch (const AppError& e) {
            QVERIFY2(e.message().contains(what), qPrintable(e.message()));
            return;
        }
        QFAIL("accepted");
    };
    const QString big = dir.file(QStringLiteral("ZVX/big.zvx"));
    {
        QFile f(big);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(CoverFile::MaxFileSize + 1)); // sparse, costs no disk
    }
    refused(big, QStringLiteral("too large"));
    writeBytes(big, QByteArray(CoverFile::MaxLines + 1, '\n'));
    refused(big, QStringLiteral("more than %1 lines").arg(CoverFile::MaxLines));
    const QString empty = dir.file(QStringLiteral("ZVX/empty.zvx"));
    writeBytes(empty, {});
    refused(empty, QStringLiteral("is empty"));
    writeBytes(empty, QByteArray("\0\\\\\\V2.0\\\\\\\r\n", 13));
    refused(empty, QStringLiteral("is empty"));
    refused(dir.file(QStringLiteral("ZVX")), QStringLiteral("is not a file"));
    refused(dir.file(QStringLiteral("ZVX/none.zvx")), QStringLiteral("cannot be read"));
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk.append(char((i * 7919 + 13) & 0xFF));
    writeBytes(empty, junk);
    refused(empty, QStringLiteral("Line "));
}

// A listing of a million entries is saved and opened again; a cover too large to be read
// again is refused before anything is written.
void TestCoverFile::whatSavingWritesOpensAgain() {
    TestProgDir dir;
    const QString path = dir.file(QStringLiteral("ZVX/gross.zvx"));
    CoverDocument doc;
    doc.reset();
    doc.Inhalt[1] = 1;
    doc.VerzListe[1] = DirectoryListing(2'000'001, QStringLiteral("Track 10"));
    CoverFile::save(path, doc);
    CoverDocument back;
    CoverFile::load(path, back, CoverFile::Reader::V20);
    QCOMPARE(back.VerzListe[1].size(), doc.VerzListe[1].size());

    const QByteArray before = fileBytes(path);
    doc.VerzListe[1] = DirectoryListing(CoverFile::MaxLines, QString());
    try {
        CoverFile::save(path, doc);
        QFAIL("saved");
    } catch (const AppError& e) {
        QVERIFY2(e.message().contains(QStringLiteral("cannot be opened again")),
                 qPrintable(e.message()));
    }
    QCOMPARE(fileBytes(path), before);
}

void TestCoverFile::savedInPieces_data() {
    QTest::addColumn<QString>("entry");
    QTest::newRow("Windows-1252") << "Müller €";
    QTest::newRow("UTF-8") << "東京 🎵";
}

// A large listing is written in pieces: the same bytes as the whole content encoded at once
// (a line break and a NUL inside a value become blanks), and a failure half way leaves the
// previous file.
void TestCoverFile::savedInPieces() {
    QFETCH(QString, entry);
    TestProgDir dir;
    const QString path = dir.file(QStringLiteral("ZVX/gross.zvx"));
    CoverDocument doc;
    doc.reset();
    doc.Inhalt[0] = 1;
    doc.VerzListe[0] = {QStringLiteral("H")};
    for (int i = 0; i < 100'000; ++i)
        doc.VerzListe[0] << QStringLiteral("  %1 %2").arg(entry).arg(i) << QString();
    doc.VerzListe[0][7] = QStringLiteral("a\rb\nc");
    doc.VerzListe[0][9] = QStringLiteral("d") + QChar(0) + QStringLiteral("e");
    CoverFile::save(path, doc);
    const QByteArray saved = fileBytes(path);
    QCOMPARE(saved, encodeLines(CoverWriter::WriteCover(doc)));
    QVERIFY(saved.contains("a b c\r\n") && saved.contains("d e\r\n"));

    doc.VerzListe[0][1] = QStringLiteral("changed");
    CoverFile::setFaultHook([](CoverFile::SaveStep step) {
        return step == CoverFile::SaveStep::WriteTemp ? QStringLiteral("disk full") : QString();
    });
    QVERIFY_THROWS_EXCEPTION(AppError, CoverFile::save(path, doc));
    CoverFile::setFaultHook({});
    QCOMPARE(fileBytes(path), saved);
    QVERIFY(tempFilesIn(dir.file(QStringLiteral("ZVX"))).isEmpty());
}

void TestCoverFile::backupPath_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("backup");
    QTest::newRow("extension replaced") << "/a/test.zvx"
                                        << "/a/test.bak";
    QTest::newRow("no extension") << "/a/test"
                                  << "/a/test.bak";
    QTest::newRow("dot in folder") << "/a.b/test"
                                   << "/a.b/test.bak";
    QTest::newRow("two dots") << "/a/x.y.ZVX"
                              << "/a/x.y.bak";
}

void TestCoverFile::backupPath() {
    QFETCH(QString, path);
    QFETCH(QString, backup);
    QCOMPARE(CoverFile::backupPath(path), backup);
}

void TestCoverFile::saveKeepsBackup() {
    TestProgDir dir;
    const QString path = dir.file(QStringLiteral("ZVX/test.zvx"));
    const QString bak = dir.file(QStringLiteral("ZVX/test.bak"));
    writeBytes(path, "first");
    writeBytes(bak, "older backup");
    CoverFile::saveBytes(path, "second");
    QCOMPARE(fileBytes(path), QByteArray("second"));
    QCOMPARE(fileBytes(bak), QByteArray("first"));
    CoverFile::MakeBackup(dir.file(QStringLiteral("ZVX/nothing.zvx"))); // no file: no error
    QVERIFY(tempFilesIn(dir.file(QStringLiteral("ZVX"))).isEmpty());
}

void TestCoverFile::saveUnderFaults_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("reason");
    QTest::newRow("write fails part way") << "write"
                                          << "disk full";
    QTest::newRow("backup rename fails") << "backup"
                                         << "disk full";
    QTest::newRow("final rename fails") << "replace"
                                        << "disk full";
    QTest::newRow("folder a directory cannot hold") << "nofolder"
                                                    << "folder does not exist";
    QTest::newRow("a folder where the backup goes") << "bakdir"
                                                    << "there is a folder";
    QTest::newRow("a folder where the file goes") << "targetdir"
                                                  << "there is a folder";
}

void TestCoverFile::saveUnderFaults() {
    QFETCH(QString, fault);
    QFETCH(QString, reason);
    TestProgDir dir;
    const QString folder = dir.file(QStringLiteral("ZVX/"));
    QString path = folder + QStringLiteral("test.zvx");
    writeBytes(path, "previous");
    writeBytes(folder + QStringLiteral("test.bak"), "older");
    if (fault == QLatin1String("nofolder")) path = dir.file(QStringLiteral("gone/test.zvx"));
    if (fault == QLatin1String("bakdir")) {
        QFile::remove(folder + QStringLiteral("test.bak"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("test.bak")));
    }
    if (fault == QLatin1String("targetdir")) {
        path = folder + QStringLiteral("sub.zvx");
        QVERIFY(QDir().mkpath(path));
    }
    CoverFile::setFaultHook([&](CoverFile::SaveStep step) {
        const bool hit =
            (step == CoverFile::SaveStep::WriteTemp && fault == QLatin1String("write")) ||
            (step == CoverFile::SaveStep::Backup && fault == QLatin1String("backup")) ||
            (step == CoverFile::SaveStep::Replace && fault == QLatin1String("replace"));
        return hit ? QStringLiteral("disk full") : QString();
    });
    QString error;
    try {
        CoverFile::saveBytes(path, "new content");
    } catch (const AppError& e) {
        error = e.message();
    }
    CoverFile::setFaultHook({});
    QVERIFY2(error.contains(path) && error.contains(reason), qPrintable(error));
    // The previous file is named only where there was one, after a full stop.
    const bool previous = fault != QLatin1String("nofolder") && fault != QLatin1String("targetdir");
    QCOMPARE(error.contains(QStringLiteral(".\nThe previous file is unchanged.")), previous);
    QVERIFY2(error.endsWith(u'.'), qPrintable(error));
    QCOMPARE(fileBytes(folder + QStringLiteral("test.zvx")), QByteArray("previous"));
    if (fault != QLatin1String("replace") && fault != QLatin1String("bakdir"))
        QCOMPARE(fileBytes(folder + QStringLiteral("test.bak")), QByteArray("older"));
    // No temporary file is left behind.
    QVERIFY2(tempFilesIn(folder).isEmpty(), qPrintable(tempFilesIn(folder).join(u',')));
}

QTEST_GUILESS_MAIN(TestCoverFile)
#include "tst_coverfile.moc"
