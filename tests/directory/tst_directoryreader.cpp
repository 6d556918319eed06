#include "directory/directoryreader.h"
#include "directory/directorystrings.h"
#include "directory/filemask.h"
#include "directory/folderlist.h"
#include "directory/listingfile.h"
#include "directory/listingsort.h"
#include "platform/stringtable.h"
#include "scripteddialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sched.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
void makeFile(const QString& path) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

void makeTree(const QString& root, const QStringList& folders, const QStringList& files = {}) {
    for (const QString& d : folders)
        QVERIFY(QDir().mkpath(root + u'/' + d));
    for (const QString& f : files)
        makeFile(root + u'/' + f);
}

// The full paths the indentation of a listing describes.
QStringList pathsFromListing(const DirectoryListing& listing) {
    QStringList paths, stack;
    for (qsizetype i = 1; i < listing.size(); i += 2) {
        const QString& line = listing[i];
        const int level = EntryIndentLevel(line);
        if (level > stack.size() + 1) return {QStringLiteral("level jumps at line %1").arg(i)};
        stack.resize(level - 1);
        stack << line.mid(level - 1);
        paths << stack.join(u'/');
    }
    return paths;
}

QStringList entryLines(const DirectoryListing& listing) {
    QStringList out;
    for (qsizetype i = 1; i < listing.size(); i += 2)
        out << listing[i];
    return out;
}

// Fails one chosen folder for real: removes it just before it is opened.
class VanishingFolderReader : public DirectoryReader {
public:
    using DirectoryReader::DirectoryReader;
    QByteArray victim;

protected:
    int openFolder(const QByteArray& path) override {
        if (path == victim) QDir(QFile::decodeName(path)).removeRecursively();
        return DirectoryReader::openFolder(path);
    }
};

DirectoryListing read(const QString& root, int tiefe, const DirFilterSettings& filter) {
    DirectoryListing listing;
    ScriptedDialogs dialogs;
    DirectoryReader reader(listing, tiefe, filter);
    reader.ReadListing(QStringLiteral("HEAD"), root, dialogs);
    return listing;
}
} // namespace

class TestDirectoryReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void depth_data();
    void depth();
    void hiddenLinksAndSpecialEntries_data();
    void hiddenLinksAndSpecialEntries();
    void sortOrder_data();
    void sortOrder();
    void treeOrderSurvivesPunctuation();
    void keysDifferingOnlyInCaseAreAllKept();
    void unreadableFolderContributesNothing();
    void oneCoreAndTwoReadAlike();
    void nothingFoundAsksNothingButTells();
    void readingReplacesListingAndComments();
    void lineBreakInNameStaysOnOneLine();
    void fileMask_data();
    void fileMask();
};

void TestDirectoryReader::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    SetLanguageOffset(1000);
}

void TestDirectoryReader::depth_data() {
    QTest::addColumn<int>("tiefe");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("depth 1") << 0 << QStringList{"A", "E"};
    QTest::newRow("depth 3") << 2 << QStringList{"A", " B", "  C", "E"};
    const QStringList eight{"A",      " B",      "  C",      "   D", "    F",
                            "     G", "      H", "       I", "E"};
    QTest::newRow("depth 8") << 7 << eight;
    QTest::newRow("beyond 8 from a foreign file") << 99 << eight;
}

void TestDirectoryReader::depth() {
    QFETCH(int, tiefe);
    QFETCH(QStringList, entries);
    QTemporaryDir tmp;
    makeTree(tmp.path(), {"A/B/C/D/F/G/H/I/J/K", "E"});
    const DirectoryListing listing = read(tmp.path(), tiefe, {});
    QCOMPARE(listing.first(), QStringLiteral("HEAD"));
    QCOMPARE(entryLines(listing), entries);
    QCOMPARE(listing.size(), 1 + 2 * entries.size());
    for (qsizetype i = 2; i < listing.size(); i += 2)
        QVERIFY(listing[i].isEmpty());
    // A trailing separator on the start directory changes nothing.
    QCOMPARE(read(tmp.path() + u'/', tiefe, {}), listing);
}

void TestDirectoryReader::hiddenLinksAndSpecialEntries_data() {
    QTest::addColumn<bool>("onlyDirectories");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QStringList>("paths");
    const QStringList folders{"loop", "sub", "sub/deeper", "tolink"};
    QTest::newRow("folders") << true << "*.*" << folders;
    QTest::newRow("files *.TXT") << false << "*.TXT"
                                 << QStringList{
                                        ".dot.txt",      "a.txt", "B.TXT",      "filelink.txt",
                                        "loop",          "sub",   "sub/deeper", "sub/deeper/x.txt",
                                        "sub/inner.Txt", "tolink"};
    QTest::newRow("files *.*") << false << "*.*" << QStringList{".dot.txt",      "a.txt",
                                                                "B.TXT",         "c.doc",
                                                                "filelink.txt",  "loop",
                                                                "README",        "sub",
                                                                "sub/deeper",    "sub/deeper/x.txt",
                                                                "sub/inner.Txt", "tolink"};
    QTest::newRow("files, empty mask") << false << "" << folders;
}

void TestDirectoryReader::hiddenLinksAndSpecialEntries() {
    QFETCH(bool, onlyDirectories);
    QFETCH(QString, mask);
    QFETCH(QStringList, paths);
    QTemporaryDir tmp;
    const QString r = tmp.path();
    makeTree(r, {".hidden/inner", "sub/deeper", "sub/.cache"},
             {"a.txt", "B.TXT", "c.doc", "README", ".dot.txt", ".hidden/h.txt", "sub/inner.Txt",
              "sub/deeper/x.txt"});
    QVERIFY(QFile::link(r, r + "/loop"));                    // a loop back to the start
    QVERIFY(QFile::link(r + "/sub", r + "/tolink"));         // a link to a folder
    QVERIFY(QFile::link(r + "/a.txt", r + "/filelink.txt")); // a link to a file
    QVERIFY(QFile::link(r + "/nowhere", r + "/dead.txt"));   // dangling
    QCOMPARE(::mkfifo(QFile::encodeName(r + "/pipe.txt").constData(), 0600), 0);
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray sockPath = QFile::encodeName(r + "/sock.txt");
    if (s >= 0 && sockPath.size() < qsizetype(sizeof addr.sun_path)) {
        std::memcpy(addr.sun_path, sockPath.constData(), sockPath.size());
        QCOMPARE(::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    }
    const DirectoryListing listing = read(r, 7, {onlyDirectories, mask});
    if (s >= 0) ::close(s);
    QCOMPARE(pathsFromListing(listing), paths);
}

void TestDirectoryReader::sortOrder_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("case-insensitive") << QStringList{"beta", "Alpha", "gamma", "Delta"}
                                      << QStringList{"Alpha", "beta", "Delta", "gamma"};
    QTest::newRow("numbers in natural order")
        << QStringList{"Track 10", "Track 9", "Track 1", "Track 2"}
        << QStringList{"Track 1", "Track 2", "Track 9", "Track 10"};
    QTest::newRow("numbers and letter case") << QStringList{"Track 10", "track 2", "Track 9"}
                                             << QStringList{"track 2", "Track 9", "Track 10"};
    QTest::newRow("umlauts by the locale")
        << QStringList{"Zebra", "Müller", "Ärger", "Mueller", "Muller", "Abend"}
        << QStringList{"Abend", "Ärger", "Mueller", "Muller", "Müller", "Zebra"};
    QTest::newRow("non-Latin after Latin")
        << QStringList{"東京", "Ёлка", "apple"} << QStringList{"apple", "Ёлка", "東京"};
}

void TestDirectoryReader::sortOrder() {
    QFETCH(QStringList, names);
    QFETCH(QStringList, sorted);
    QTemporaryDir tmp;
    makeTree(tmp.path(), names);
    QCOMPARE(entryLines(read(tmp.path(), 0, {})), sorted);
    // The directory dialog's folder list shows them as the listing does, in any locale.
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
        QLocale::setDefault(locale);
        FolderList list;
        QVERIFY(list.setDirectory(tmp.path(), tmp.path()));
        QStringList shown;
        for (const FolderList::Item& item : list.items())
            if (!item.onPath) shown << item.name;
        QCOMPARE(shown, entryLines(read(tmp.path(), 0, {})));
    }
}

// Every child must follow its own parent, whatever characters sort before the separator.
void TestDirectoryReader::treeOrderSurvivesPunctuation() {
    QTemporaryDir tmp;
    const QStringList parents{"A", "A B", "A-B", "A.B", "A_B", "A!", "A0", "a", "Ab"};
    QStringList all;
    for (const QString& p : parents)
        all << p << p + "/z" << p + "/a b" << p + "/z/1";
    makeTree(tmp.path(), all);
    const DirectoryListing listing = read(tmp.path(), 7, {});
    QStringList paths = pathsFromListing(listing);
    QCOMPARE(paths.size(), all.size());
    QStringList got = paths, want = all;
    got.sort();
    want.sort();
    QCOMPARE(got, want);
    // Top-level siblings are in collation order.
    const QCollator collator = ListingCollator();
    QStringList top;
    for (const QString& p : paths)
        if (!p.contains(u'/')) top << p;
    for (qsizetype i = 1; i < top.size(); ++i)
        QVERIFY2(collator.compare(top[i - 1], top[i]) <= 0, qPrintable(top.join(u',')));
}

void TestDirectoryReader::keysDifferingOnlyInCaseAreAllKept() {
    QTemporaryDir tmp;
    makeTree(tmp.path(), {"abc/x", "ABC/y", "Abc/z", "abd"});
    const DirectoryListing listing = read(tmp.path(), 7, {});
    QCOMPARE(entryLines(listing), (QStringList{"ABC", " y", "Abc", " z", "abc", " x", "abd"}));
}

void TestDirectoryReader::unreadableFolderContributesNothing() {
    QTemporaryDir tmp;
    makeTree(tmp.path(), {"a/inner", "b/gone/inner", "c/inner"});
    DirectoryListing listing;
    ScriptedDialogs dialogs;
    VanishingFolderReader reader(listing, 7, {});
    reader.victim = QFile::encodeName(tmp.path() + "/b/gone/");
    QVERIFY(reader.ReadListing(QStringLiteral("H"), tmp.path(), dialogs));
    QCOMPARE(entryLines(listing), (QStringList{"a", " inner", "b", " gone", "c", " inner"}));
    QCOMPARE(reader.CurrentDepth, 1);

    // A start directory that does not exist at all.
    QVERIFY(!DirectoryReader(listing, 7, {})
                 .ReadListing(QStringLiteral("H"), tmp.path() + "/missing",
                              dialogs.answerMessage(MsgResult::Ok)));
}

// With a second core a second thread reads sub-trees ahead of the walk; the listing and the
// folders told must be the same, in the same order, as when one thread reads everything.
void TestDirectoryReader::oneCoreAndTwoReadAlike() {
    QTemporaryDir tmp;
    const QStringList words{"Track", "track", "Müller",  "Mueller",
                            "Öl",    "zebra", "Disc 10", "Disc 9"};
    QStringList folders{""};
    for (int level = 0, serial = 0; level < 3; ++level) {
        QStringList next;
        for (const QString& parent : std::as_const(folders))
            for (int i = 0; i < 4; ++i, ++serial)
                next << parent + u'/' + words[serial % words.size()] + QString::number(serial % 3);
        for (const QString& f : std::as_const(next)) {
            QVERIFY(QDir().mkpath(tmp.path() + f));
            makeFile(tmp.path() + f + QStringLiteral("/b.TXT"));
            makeFile(tmp.path() + f + QStringLiteral("/A.txt"));
        }
        folders = next;
    }
    QVERIFY(QFile::link(tmp.path() + folders.first(), tmp.path() + "/Track0/link"));
    const QString victim = tmp.path() + folders[50];

    using Visits = QList<QPair<QByteArray, bool>>;
    // False when the reading could not be set up.
    const auto readAll = [&](bool oneCore, DirectoryListing& listing, Visits& visited) {
        cpu_set_t all, one;
        if (!QDir().mkpath(victim + QStringLiteral("/inner")) ||
            ::sched_getaffinity(0, sizeof all, &all) != 0)
            return false;
        CPU_ZERO(&one);
        for (int c = 0; c < CPU_SETSIZE; ++c)
            if (CPU_ISSET(c, &all)) {
                CPU_SET(c, &one);
                break;
            }
        if (oneCore && ::sched_setaffinity(0, sizeof one, &one) != 0) return false;
        VanishingFolderReader reader(listing, 7, {false, QStringLiteral("*.*")});
        reader.victim = QFile::encodeName(victim + u'/');
        reader.folderVisited = [&](const QByteArray& path, bool readable) {
            visited.append({path, readable});
        };
        ScriptedDialogs dialogs;
        const bool found = reader.ReadListing(QStringLiteral("H"), tmp.path(), dialogs);
        return (!oneCore || ::sched_setaffinity(0, sizeof all, &all) == 0) && found;
    };
    DirectoryListing serial;
    Visits serialVisits;
    QVERIFY(readAll(true, serial, serialVisits));
    QCOMPARE(serial.size(), 1 + 2 * (84 * 3 + 1 - 2)); // the victim's two files are gone
    QVERIFY(serialVisits.contains({QFile::encodeName(victim + u'/'), false}));
    for (int run = 0; run < 3; ++run) {
        DirectoryListing listing;
        Visits visited;
        QVERIFY(readAll(false, listing, visited));
        QCOMPARE(listing, serial);
        QCOMPARE(visited, serialVisits);
    }
}

void TestDirectoryReader::nothingFoundAsksNothingButTells() {
    QTemporaryDir tmp;
    makeTree(tmp.path(), {".only-hidden"}, {"file.doc"});
    for (const DirFilterSettings& filter :
         {DirFilterSettings{}, DirFilterSettings{false, QStringLiteral("*.TXT")}}) {
        DirectoryListing listing;
        ScriptedDialogs dialogs;
        dialogs.answerMessage(MsgResult::Ok);
        QVERIFY(!DirectoryReader(listing, 2, filter)
                     .ReadListing(QStringLiteral("/start/"), tmp.path(), dialogs));
        QCOMPARE(listing, DirectoryListing{"/start/"});
        QCOMPARE(dialogs.asked().size(), 1);
        QCOMPARE(dialogs.asked().first().msgKind, MsgKind::Information);
        QCOMPARE(dialogs.asked().first().buttons, MsgButtons::Ok);
        QCOMPARE(dialogs.asked().first().text, LadeText(IdMsgNothingFound));
        QVERIFY(!dialogs.asked().first().text.isEmpty());
    }
}

void TestDirectoryReader::readingReplacesListingAndComments() {
    QTemporaryDir tmp;
    makeTree(tmp.path(), {"x"});
    DirectoryListing listing{"old", "x", "a comment", "y", "another"};
    ScriptedDialogs dialogs;
    QVERIFY(DirectoryReader(listing, 2, {}).ReadListing("new", tmp.path(), dialogs));
    QCOMPARE(listing, (DirectoryListing{"new", "x", ""}));
}

void TestDirectoryReader::lineBreakInNameStaysOnOneLine() {
    QTemporaryDir tmp;
    makeTree(tmp.path(), {"two\nlines/in", "cr\rname"});
    QCOMPARE(read(tmp.path(), 2, {}),
             (DirectoryListing{"HEAD", "cr name", "", "two lines", "", " in", ""}));

    // A start folder with a line break: its heading line follows the same rule, so the
    // listing file reads back with every entry in its place.
    const QString start = tmp.path() + QStringLiteral("/two\nlines");
    DirectoryListing listing;
    ScriptedDialogs dialogs;
    QVERIFY(DirectoryReader(listing, 2, {}).ReadListing(start + u'/', start, dialogs));
    QCOMPARE(listing, (DirectoryListing{tmp.path() + QStringLiteral("/two lines/"), "in", ""}));
    const QString file = tmp.filePath(QStringLiteral("saved.vmk"));
    SaveListingFile(file, listing);
    QCOMPARE(LoadListingFile(file), listing);
}

void TestDirectoryReader::fileMask_data() {
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("match");
    QTest::newRow("*.* without dot") << "*.*"
                                     << "README" << true;
    QTest::newRow("*.TXT lower") << "*.TXT"
                                 << "a.txt" << true;
    QTest::newRow("*.txt upper") << "*.txt"
                                 << "A.TXT" << true;
    QTest::newRow("*.TXT other") << "*.TXT"
                                 << "a.txt.doc" << false;
    QTest::newRow("? one char") << "a?c"
                                << "abc" << true;
    QTest::newRow("? not zero") << "a?c"
                                << "ac" << false;
    QTest::newRow("star backtracks") << "*ab*ab"
                                     << "xabyabab" << true;
    QTest::newRow("umlaut case") << "ÄRGER.*"
                                 << "ärger.txt" << true;
    QTest::newRow("name.* without ext") << "name.*"
                                        << "name" << true;
    QTest::newRow("empty mask") << ""
                                << "a" << false;
    QTest::newRow("dot file") << "*.txt"
                              << ".txt" << true;
}

void TestDirectoryReader::fileMask() {
    QFETCH(QString, mask);
    QFETCH(QString, name);
    QFETCH(bool, match);
    QCOMPARE(FileMask(mask).matches(name), match);
}

QTEST_MAIN(TestDirectoryReader)
#include "tst_directoryreader.moc"
