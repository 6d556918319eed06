#include "directory/listingfile.h"
#include "document/coverfile.h"
#include "document/coverreader.h"
#include "platform/textcodec.h"

#include <QTemporaryDir>
#include <QTest>

class TestTextCodec : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windows1252BytesRoundTrip();
    void textOutsideWindows1252SurvivesAsUtf8();
    void lineBreaks_data();
    void lineBreaks();
    void nulEndsTextWhenAsked();
    void safeWriteAndRead();
    void byteOrderMarkBeforeWindows1252_data();
    void byteOrderMarkBeforeWindows1252();
    void utf16WithByteOrderMark_data();
    void utf16WithByteOrderMark();
    void linesEncodedInPieces_data();
    void linesEncodedInPieces();
};

void TestTextCodec::windows1252BytesRoundTrip() {
    // Every byte value a file of the original can hold, including 0x80..0x9F.
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n') all.append(char(b));
    const QString text = decodeText(all);
    QCOMPARE(text.size(), all.size());
    QCOMPARE(encodeText(text), all);
    QCOMPARE(decodeText(QByteArray("M\xFCller \x80")), QStringLiteral("Müller €"));
}

void TestTextCodec::textOutsideWindows1252SurvivesAsUtf8() {
    const QString text = QStringLiteral("Ёлка – 東京 ü");
    QVERIFY(!fitsWindows1252(text));
    const QByteArray bytes = encodeText(text);
    QCOMPARE(bytes, text.toUtf8());
    QCOMPARE(decodeText(bytes), text);
    QCOMPARE(decodeText(QByteArray("\xEF\xBB\xBF"
                                   "abc")),
             QStringLiteral("abc"));
}

void TestTextCodec::lineBreaks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("crlf") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("lone cr and lf") << "a\rb\nc" << QStringList{"a", "b", "c"};
    QTest::newRow("empty lines") << "\r\n\r\n" << QStringList{"", ""};
    QTest::newRow("lf cr is two breaks") << "a\n\rb" << QStringList{"a", "", "b"};
    QTest::newRow("empty") << "" << QStringList{};
}

void TestTextCodec::lineBreaks() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(splitLines(text), lines);
}

void TestTextCodec::nulEndsTextWhenAsked() {
    const QString text = QStringLiteral("a\r\nb") + QChar(0) + QStringLiteral("c\r\nd");
    QCOMPARE(splitLines(text, true), (QStringList{"a", "b"}));
    QCOMPARE(splitLines(text, false).size(), 3);
}

void TestTextCodec::safeWriteAndRead() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.txt"));
    writeTextLines(path, {QStringLiteral("Größe"), QString()});
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("Gr\xF6\xDF"
                                     "e\r\n\r\n"));
    QCOMPARE(readTextLines(path), (QStringList{QStringLiteral("Größe"), QString()}));
    QVERIFY_THROWS_EXCEPTION(std::exception, readTextLines(dir.filePath(QStringLiteral("none"))));
}

void TestTextCodec::utf16WithByteOrderMark_data() {
    QTest::addColumn<bool>("littleEndian");
    QTest::newRow("UTF-16LE") << true;
    QTest::newRow("UTF-16BE") << false;
}

// Windows editors save "Unicode" text as UTF-16 behind a byte order mark; read byte by byte
// it was letters with NUL characters between them (and ended at the first NUL).
void TestTextCodec::utf16WithByteOrderMark() {
    QFETCH(bool, littleEndian);
    const QString text = QStringLiteral("Größe €\r\nzweite Zeile 🎵\r\n");
    QByteArray bytes = littleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
    for (QChar c : text) {
        const char lo = char(c.unicode() & 0xFF), hi = char(c.unicode() >> 8);
        bytes += littleEndian ? QByteArray(1, lo) + hi : QByteArray(1, hi) + lo;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("unicode.txt"));
    writeFileSafely(path, bytes);
    QCOMPARE(readTextLines(path, true),
             (QStringList{QStringLiteral("Größe €"), QStringLiteral("zweite Zeile 🎵")}));
}

void TestTextCodec::byteOrderMarkBeforeWindows1252_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("text") << "text";
    QTest::newRow("listing") << "listing";
    QTest::newRow("cover") << "cover";
}

// The mark of a UTF-8 file before Windows-1252 text: dropped before either decoding, so a
// cover keeps its version line and a listing its heading.
void TestTextCodec::byteOrderMarkBeforeWindows1252() {
    QFETCH(QString, kind);
    const QByteArray bytes =
        "\xEF\xBB\xBF" + CoverReader::VersionLine20.toLatin1() + "\r\nM\xFCller\r\n";
    const QStringList lines = {CoverReader::VersionLine20, QStringLiteral("Müller")};
    if (kind == QLatin1String("text")) QCOMPARE(splitLines(decodeText(bytes)), lines);
    if (kind == QLatin1String("listing"))
        QCOMPARE(ParseListingFile(bytes), (DirectoryListing{lines[0], lines[1], QString()}));
    if (kind == QLatin1String("cover")) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("c.zvx"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        QCOMPARE(CoverReader::formOf(CoverFile::readLines(path).lines), CoverReader::Form::V20);
    }
}

void TestTextCodec::linesEncodedInPieces_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("Windows-1252") << QStringList{"Müller €", "", "x"};
    QTest::newRow("one line outside it, at the end") << QStringList{"Müller", "", "東京 🎵"};
    QTest::newRow("lone surrogate halves")
        << QStringList{QString(QChar(0xD800)), QString(QChar(0xDC00)) + "x"};
    QTest::newRow("text starting with a byte order mark")
        << QStringList{QString(QChar(0xFEFF)) + "a", "Ё"};
    QTest::newRow("byte order mark after an empty line")
        << QStringList{"", QString(QChar(0xFEFF)) + "Ё"};
    QTest::newRow("no lines") << QStringList{};
}

// Line by line, the same bytes as the whole text encoded at once.
void TestTextCodec::linesEncodedInPieces() {
    QFETCH(QStringList, lines);
    const QString whole = lines.isEmpty() ? QString() : lines.join(QStringLiteral("\r\n")) + "\r\n";
    LineEncoder enc;
    for (const QString& l : lines)
        enc.measure(l);
    QByteArray pieces;
    for (const QString& l : lines)
        enc.encode(l, pieces);
    QCOMPARE(pieces, encodeText(whole));
    QCOMPARE(enc.size(), pieces.size());
    QCOMPARE(encodeLines(lines), pieces);
}

QTEST_GUILESS_MAIN(TestTextCodec)
#include "tst_textcodec.moc"
