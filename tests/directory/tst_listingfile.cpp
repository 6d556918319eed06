#include "directory/directorystrings.h"
#include "directory/listingfile.h"
#include "directory/listingfilecommands.h"
#include "platform/apperror.h"
#include "platform/paths.h"
#include "platform/stringtable.h"
#include "platform/textcodec.h"
#include "scripteddialogs.h"
#include "testprogdir.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QByteArray crlf(const QStringList& lines) {
    QByteArray out;
    for (const QString& l : lines)
        out += l.toLatin1() + "\r\n";
    return out;
}

QStringList htmlLines(const DirectoryListing& listing) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!WriteListingHtml(buffer, listing)) return {"<write failed>"};
    return splitLines(decodeText(buffer.data()));
}

// The rules as stated: each replaces the first occurrence left until none remains.
QString naiveEscape(QString s) {
    const std::pair<QString, QString> rules[] = {
        {"Ä", "&Auml;"}, {"ä", "&auml;"}, {"Ö", "&Ouml;"},  {"ö", "&ouml;"},
        {"Ü", "&Uuml;"}, {"ü", "&uuml;"}, {"ß", "&szlig;"}, {"\"", "&quot;"},
        {"<", "&lt;"},   {">", "&gt;"},   {"(c)", "&copy;"}};
    for (const auto& [from, to] : rules)
        for (qsizetype i; (i = s.indexOf(from)) >= 0;)
            s.replace(i, from.size(), to);
    return s;
}

QStringList htmlHead(const QString& heading) {
    const QString h = HomepageAddress();
    return {"<HTML>", "<!-- " + h + " -->",
            "<BODY BGCOLOR=white TEXT=black LINK=blue VLINK=Navy ALINK=red>", "<CENTER>",
            "<FONT COLOR=red SIZE=+2><B><TT>" + heading + "</TT></B></FONT>"};
}

QStringList htmlTail() {
    const QString h = HomepageAddress();
    return {"<HR ALIGN=center WIDTH=100%>",
            "</CENTER>",
            "<FONT SIZE=-1>",
            "<A HREF=\"" + h + "\" TARGET=\"kvsoftware\">" + h + "</A><BR>",
            "</FONT>",
            "</BODY>",
            "</HTML>"};
}
} // namespace

class TestListingFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void escapeHtml_data();
    void escapeHtml();
    void escapeHtmlMatchesRuleByRuleReplacement();
    void webPageHeadingOnly();
    void webPageEntries();
    void textExportLeavesOutComments();
    void encodingDecidedForTheWholeFile();
    void unwritableFileIsReported();
    void listingFileRoundTrip_data();
    void listingFileRoundTrip();
    void loadCompletesPairsAndKeepsLines_data();
    void loadCompletesPairsAndKeepsLines();
    void emptyListing();
    void extensionDispatch_data();
    void extensionDispatch();
    void saveAsksBeforeOverwriting();
    void saveCancelledWritesNothing();
    void openLoadsOnlyListingFiles();
    void failedLoadKeepsListing();

private:
    QTemporaryDir tmp_;
};

void TestListingFile::initTestCase() {
    SetLanguageOffset(1000);
}

void TestListingFile::escapeHtml_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("escaped");
    QTest::newRow("ampersand stays") << "Müller & Söhne (c)"
                                     << "M&uuml;ller & S&ouml;hne &copy;";
    QTest::newRow("all single characters")
        << "ÄäÖöÜüß\"<>"
        << "&Auml;&auml;&Ouml;&ouml;&Uuml;&uuml;&szlig;&quot;&lt;&gt;";
    QTest::newRow("upper C stays") << "(C)"
                                   << "(C)";
    QTest::newRow("nested") << "((c)c))"
                            << "(&copy;c))";
    QTest::newRow("repeated") << "(c)(c)"
                              << "&copy;&copy;";
    QTest::newRow("cut short") << "x(c"
                               << "x(c";
    QTest::newRow("other accents stay") << "éèÿ€"
                                        << "éèÿ€";
    QTest::newRow("beyond Windows-1252 as references")
        << QString::fromUtf8("Ёж \xF0\x9F\x98\x80") << "&#1025;&#1078; &#128512;";
}

void TestListingFile::escapeHtml() {
    QFETCH(QString, text);
    QFETCH(QString, escaped);
    QCOMPARE(EscapeHtml(text), escaped);
}

void TestListingFile::escapeHtmlMatchesRuleByRuleReplacement() {
    const QString alphabet = QStringLiteral("ÄäÖöÜüß\"<>()cC&a ;l");
    QRandomGenerator rng(4711);
    for (int round = 0; round < 20000; ++round) {
        QString s;
        const int len = rng.bounded(12);
        for (int i = 0; i < len; ++i)
            s += alphabet[rng.bounded(int(alphabet.size()))];
        QCOMPARE(EscapeHtml(s), naiveEscape(s));
    }
}

void TestListingFile::webPageHeadingOnly() {
    const QString path = tmp_.filePath("heading.htm");
    QVERIFY(SaveListingAs(path, {"D:\\<CDs>\\"}));
    QCOMPARE(readAll(path), crlf(htmlHead("D:\\&lt;CDs&gt;\\") + htmlTail()));
}

void TestListingFile::webPageEntries() {
    const DirectoryListing listing{
        "/mnt/cd/", "Müller & Söhne (c)", "",    "ROCK", "live \"1\"", " Sub", "", "       Level8",
        "",         "         Level10",   "deep"};
    const QString row = "<TD ALIGN=left VALIGN=top><TT><FONT COLOR=silver>%1</FONT>"
                        "<FONT COLOR=blue>%2</FONT></TT></TD>";
    const QString comment = "<TD ALIGN=left VALIGN=top><FONT COLOR=black>%1</FONT></TD></TR>";
    const QString top = "<TD ALIGN=left VALIGN=top><FONT COLOR=blue><TT><B>%1</B></TT></FONT></TD>";
    const QStringList expected =
        htmlHead("/mnt/cd/") +
        QStringList{"<HR ALIGN=center WIDTH=100%><P>", "<TABLE BORDER CELLPADDING=2>",
                    "<TH BGCOLOR=navy WIDTH=200><FONT COLOR=white><B>Directory</B></FONT></TH>",
                    "<TH BGCOLOR=gray WIDTH=400><FONT COLOR=white><B>.</B></FONT></TH>", "<TR>",
                    top.arg("M&uuml;ller & S&ouml;hne &copy;"), comment.arg("."), "<TR>",
                    top.arg("ROCK"), comment.arg("live &quot;1&quot;"), "<TR>", row.arg("+", "Sub"),
                    comment.arg("."), "<TR>", row.arg("+------", "Level8"), comment.arg("."),
                    // Deeper than the reader goes: the deepest prefix, the name without its indent.
                    "<TR>", row.arg("+------", "Level10"), comment.arg("deep"), "</TABLE><P>"} +
        htmlTail();
    QCOMPARE(htmlLines(listing), expected);
    const QString path = tmp_.filePath("entries.HTM");
    ExportListingHtml(listing, path);
    QCOMPARE(readAll(path), encodeLines(expected));

    // Every prefix from level 2 to 8.
    for (int level = 2; level <= 8; ++level) {
        const QStringList lines = htmlLines({"H", QString(level - 1, u' ') + "n", ""});
        QCOMPARE(lines[10], row.arg("+" + QString(level - 2, u'-'), "n"));
    }
}

void TestListingFile::textExportLeavesOutComments() {
    const QString path = tmp_.filePath("LISTE.txt");
    QVERIFY(SaveListingAs(path, {"D:\\", "A", "comment a", " B", "", "C", "c"}));
    QCOMPARE(readAll(path), QByteArray("D:\\\r\nA\r\n B\r\nC\r\n"));
}

void TestListingFile::encodingDecidedForTheWholeFile() {
    // Only a comment beyond Windows-1252: the text export, which leaves it out, stays 8-bit.
    const DirectoryListing listing{"H", "\u00DCber", "\u6771\u4EAC"};
    const QString txt = tmp_.filePath("enc.TXT");
    ExportListingText(txt, listing);
    QCOMPARE(readAll(txt), QByteArray("H\r\n\xDC"
                                      "ber\r\n"));
    const QString vmk = tmp_.filePath("enc.VMK");
    SaveListingFile(vmk, listing);
    QCOMPARE(readAll(vmk), QString("H\r\n\u00DCber\r\n\u6771\u4EAC\r\n").toUtf8());

    // A large listing is written in pieces; one late character decides for all of them.
    DirectoryListing large{"H"};
    for (int i = 0; i < 20000; ++i)
        large << QStringLiteral(" M\u00FCller %1").arg(i) << QString();
    large[large.size() - 1] = QStringLiteral("\u0401");
    SaveListingFile(vmk, large);
    QCOMPARE(readAll(vmk), encodeLines(large.toStringList()));
    QCOMPARE(LoadListingFile(vmk), large);
    const QString htm = tmp_.filePath("enc.HTM");
    ExportListingHtml(large, htm);
    QCOMPARE(splitLines(decodeText(readAll(htm))), htmlLines(large));
    // The web page stays Windows-1252, with a reference for the character beyond it.
    QVERIFY(readAll(htm).contains("&#1025;"));
    QVERIFY(!readAll(htm).contains(QString("\u0401").toUtf8()));
}

void TestListingFile::unwritableFileIsReported() {
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    QVERIFY(!WriteListingFile(readOnly, {"H", "A", ""}));
    for (const char* name : {"nofolder/x.VMK", "nofolder/x.TXT", "nofolder/x.HTM"})
        QVERIFY_THROWS_EXCEPTION(AppError, SaveListingAs(tmp_.filePath(name), {"H", "A", ""}));
}

void TestListingFile::listingFileRoundTrip_data() {
    QTest::addColumn<DirectoryListing>("listing");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("Windows-1252")
        << DirectoryListing{"D:\\MUSIK\\", "Müller", "schön €", " ROCK", ""}
        << QByteArray("D:\\MUSIK\\\r\nM\xFCller\r\nsch\xF6n \x80\r\n ROCK\r\n\r\n");
    const DirectoryListing wide{"/media/東京/", "Ёлка", "ü", "  日本", ""};
    QTest::newRow("beyond Windows-1252 as UTF-8") << wide << encodeText(wide.toStringList().join("\r\n") + "\r\n");
    QTest::newRow("heading only") << DirectoryListing{"X"} << QByteArray("X\r\n");
    // A first line starting with U+FEFF gets a byte order mark of its own.
    const QString marks(2, QChar(0xFEFF));
    QTest::newRow("heading of two marks")
        << DirectoryListing{marks, "A", ""}
        << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBF\r\nA\r\n\r\n");
    // In Windows-1252 these would be the bytes of a UTF-16 byte order mark.
    QTest::newRow("heading starting as a UTF-16 mark")
        << DirectoryListing{"\u00FF\u00FEH", "A", ""}
        << QByteArray("\xC3\xBF\xC3\xBEH\r\nA\r\n\r\n");
    QTest::newRow("text of one mark")
        << DirectoryListing{QString(QChar(0xFEFF))} << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF\r\n");
}

void TestListingFile::listingFileRoundTrip() {
    QFETCH(DirectoryListing, listing);
    QFETCH(QByteArray, bytes);
    const QString path = tmp_.filePath("round.VMK");
    QVERIFY(SaveListingAs(path, listing));
    QCOMPARE(readAll(path), bytes);
    QCOMPARE(LoadListingFile(path), listing);
    // Text files follow the same rules.
    const QString text = tmp_.filePath("round.txt");
    writeTextLines(text, listing.toStringList());
    QCOMPARE(readTextLines(text), listing);
}

void TestListingFile::loadCompletesPairsAndKeepsLines_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<DirectoryListing>("listing");
    QTest::newRow("missing last comment")
        << QByteArray("H\r\nA\r\n") << DirectoryListing{"H", "A", ""};
    QTest::newRow("mixed line ends")
        << QByteArray("H\rA\nc\r\n") << DirectoryListing{"H", "A", "c"};
    QTest::newRow("no final break") << QByteArray("H\r\nA\r\nc") << DirectoryListing{"H", "A", "c"};
    QTest::newRow("empty") << QByteArray() << DirectoryListing{};
    QTest::newRow("byte order mark inside") << QByteArray("\xEF\xBB\xBFH\r\xEF\xBB\xBF")
                                            << DirectoryListing{"H", QString(QChar(0xFEFF)), ""};
    QTest::newRow("mark only") << QByteArray("\xEF\xBB\xBF") << DirectoryListing{};
    // Only the first mark is dropped: the second is part of the heading.
    QTest::newRow("two marks only")
        << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF") << DirectoryListing{QString(QChar(0xFEFF))};
    QTest::newRow("two marks at the start")
        << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFH") << DirectoryListing{QStringLiteral("\uFEFFH")};
    QTest::newRow("Windows-1252 after a mark drops the mark")
        << QByteArray("\xEF\xBB\xBFH\xFC") << DirectoryListing{"H\u00FC"};
    QTest::newRow("empty lines kept") << QByteArray("\r\n\r\n\r\n") << DirectoryListing{"", "", ""};
    QTest::newRow("UTF-16 little endian")
        << QByteArray("\xFF\xFEH\0\r\0\n\0\xFC\0", 10) << DirectoryListing{"H", "\u00FC", ""};
    QTest::newRow("UTF-16 big endian") << QByteArray("\xFE\xFF\0H", 4) << DirectoryListing{"H"};
}

void TestListingFile::loadCompletesPairsAndKeepsLines() {
    QFETCH(QByteArray, bytes);
    QFETCH(DirectoryListing, listing);
    QCOMPARE(ParseListingFile(bytes), listing);
    // The same as decoding the whole file at once.
    DirectoryListing whole = splitLines(decodeText(bytes));
    if (whole.size() % 2 == 0 && !whole.isEmpty()) whole.append(QString());
    QCOMPARE(whole, listing);
    const QString path = tmp_.filePath("parsed.vmk");
    writeFileSafely(path, bytes);
    QCOMPARE(LoadListingFile(path), listing);
}

void TestListingFile::emptyListing() {
    for (const char* name : {"empty.VMK", "empty.TXT"}) {
        const QString path = tmp_.filePath(name);
        QVERIFY(SaveListingAs(path, {}));
        QCOMPARE(readAll(path), QByteArray());
    }
    const QString html = tmp_.filePath("empty.HTM");
    QVERIFY(!SaveListingAs(html, {}));
    QVERIFY(!QFile::exists(html));
}

void TestListingFile::extensionDispatch_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("txt") << "LISTE.txt" << QByteArray("H\r\nA\r\n");
    QTest::newRow("Htm") << "LISTE.Htm" << QByteArray("<HTML>\r\n");
    QTest::newRow("vmk") << "LISTE.vmk" << QByteArray("H\r\nA\r\nc\r\n");
    QTest::newRow("html") << "LISTE.html" << QByteArray("<HTML>\r\n");
    QTest::newRow("other extension") << "LISTE.doc" << QByteArray();
    QTest::newRow("no extension") << "LISTE" << QByteArray();
    QTest::newRow("dot in folder only") << "dir.vmk/LISTE" << QByteArray();
}

void TestListingFile::extensionDispatch() {
    QFETCH(QString, name);
    QFETCH(QByteArray, start);
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("dir.vmk"));
    const QString path = dir.filePath(name);
    if (start.isEmpty()) {
        // Never a silent success: the message names the file.
        try {
            SaveListingAs(path, {"H", "A", "c"});
            QFAIL("no message");
        } catch (const AppError& e) {
            QVERIFY2(e.message().contains(path), qPrintable(e.message()));
        }
        QVERIFY(!QFile::exists(path));
    } else {
        QVERIFY(SaveListingAs(path, {"H", "A", "c"}));
        QVERIFY(readAll(path).startsWith(start));
    }
}

void TestListingFile::saveAsksBeforeOverwriting() {
    TestProgDir progDir;
    const QString path = progDir.file("VERZEICH/Liste.vmk");
    writeFileSafely(path, "old");
    ScriptedDialogs dialogs;
    ListingFileCommands commands(dialogs);
    dialogs.answerSaveFile(path).answerMessage(MsgResult::Cancel);
    QVERIFY(!commands.SaveBtnClick({"H", "A", ""}));
    QCOMPARE(readAll(path), QByteArray("old"));
    const auto& asked = dialogs.asked();
    QCOMPARE(asked.size(), 2);
    QCOMPARE(asked[0].request.title, LadeText(IdSaveListingTitle));
    QCOMPARE(asked[0].request.directory, ProgSubDir("VERZEICH"));
    QCOMPARE(asked[0].request.defaultSuffix, QStringLiteral("VMK"));
    QCOMPARE(asked[0].request.filter,
             QStringLiteral("Directory (VMK)|*.VMK|Text (TXT)|*.TXT|HTML-Format (HTM)|*.HTM"));
    QVERIFY(asked[0].request.fileName.isEmpty());
    QCOMPARE(asked[1].msgKind, MsgKind::Warning);
    QCOMPARE(asked[1].buttons, MsgButtons::OkCancel);
    QCOMPARE(asked[1].text, "LISTE.VMK " + LadeText(IdMsgOverwrite));
    QCOMPARE(asked[1].text, QStringLiteral("LISTE.VMK already exists! Overwrite?"));

    dialogs.clear();
    dialogs.answerSaveFile(path).answerMessage(MsgResult::Ok);
    QVERIFY(commands.SaveBtnClick({"H", "A", ""}));
    QCOMPARE(readAll(path), QByteArray("H\r\nA\r\n\r\n"));
    QVERIFY(dialogs.allAnswered());
}

void TestListingFile::saveCancelledWritesNothing() {
    ScriptedDialogs dialogs;
    dialogs.answerSaveFile(std::nullopt);
    QVERIFY(!ListingFileCommands(dialogs).SaveBtnClick({"H"}));
    QCOMPARE(dialogs.asked().size(), 1);
    // A new file is written without a question.
    const QString path = tmp_.filePath("new.txt");
    dialogs.clear();
    dialogs.answerSaveFile(path);
    QVERIFY(ListingFileCommands(dialogs).SaveBtnClick({"H", "A", "c"}));
    QCOMPARE(readAll(path), QByteArray("H\r\nA\r\n"));
}

void TestListingFile::openLoadsOnlyListingFiles() {
    TestProgDir progDir;
    const QString vmk = progDir.file("VERZEICH/a.Vmk");
    const QString txt = progDir.file("VERZEICH/a.txt");
    writeFileSafely(vmk, "Head\r\nX\r\n");
    writeFileSafely(txt, "Other\r\n");
    ScriptedDialogs dialogs;
    ListingFileCommands commands(dialogs);
    DirectoryListing working{"old", "e", "c"};

    dialogs.answerOpenFile(std::nullopt).answerOpenFile(txt).answerOpenFile(vmk);
    QVERIFY(!commands.OpenBtnClick(working));
    QCOMPARE(working, (DirectoryListing{"old", "e", "c"}));
    QVERIFY(commands.OpenBtnClick(working)); // not a listing file: unchanged but shown
    QCOMPARE(working, (DirectoryListing{"old", "e", "c"}));
    QVERIFY(commands.OpenBtnClick(working));
    QCOMPARE(working, (DirectoryListing{"Head", "X", ""}));
    QCOMPARE(dialogs.asked()[0].request.title, LadeText(IdLoadListingTitle));
    QCOMPARE(dialogs.asked()[0].request.filter, QStringLiteral("Directory (VMK)|*.VMK"));
    QCOMPARE(dialogs.asked()[0].request.directory, ProgSubDir("VERZEICH"));

    // An empty listing file leaves an empty listing: nothing to show.
    const QString empty = progDir.file("VERZEICH/empty.VMK");
    writeFileSafely(empty, "");
    dialogs.answerOpenFile(empty);
    QVERIFY(!commands.OpenBtnClick(working));
    QVERIFY(working.isEmpty());
}

void TestListingFile::failedLoadKeepsListing() {
    ScriptedDialogs dialogs;
    dialogs.answerOpenFile(tmp_.filePath("missing.VMK"));
    DirectoryListing working{"old", "e", "c"};
    QVERIFY_THROWS_EXCEPTION(AppError, ListingFileCommands(dialogs).OpenBtnClick(working));
    QCOMPARE(working, (DirectoryListing{"old", "e", "c"}));
}

QTEST_MAIN(TestListingFile)
#include "tst_listingfile.moc"
