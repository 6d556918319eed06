#include "clirunner.h"
#include "directory/directoryreader.h"
#include "directory/discimage.h"
#include "directory/discimagereader.h"
#include "directory/listingfile.h"
#include "document/coverdocument.h"
#include "document/coverfile.h"
#include "document/coverreader.h"
#include "document/coverwriter.h"
#include "platform/stringtable.h"
#include "platform/textcodec.h"
#include "render/fitwarnings.h"
#include "render/layouts.h"
#include "render/recordingdevice.h"
#include "scripteddialogs.h"
#include "testprogdir.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

// zarvex-cli end to end: every command on real files, and how bad input and bad command
// lines end (exit status, one line on standard error, nothing half written).
class TestCliCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void help_data();
    void help();
    void usageErrors_data();
    void usageErrors();
    void dumpSideAndSheet();
    void badCovers_data();
    void badCovers();
    void missingPictureStillRenders();
    void cutContentOnStandardError();
    void convertAllForms_data();
    void convertAllForms();
    void scanTree();
    void scanBadFolders_data();
    void scanBadFolders();
    void scanImage_data();
    void scanImage();
    void listingForms();
    void language();

private:
    QString writeCover(const CoverDocument& doc, const QString& name);
    CoverDocument sampleDocument(int layout);
    std::unique_ptr<TestProgDir> progDir_;
    QTemporaryDir tmp_;
};

namespace {
QStringList args(std::initializer_list<const char*> list) {
    QStringList out;
    for (const char* a : list)
        out << QString::fromUtf8(a);
    return out;
}

int lineCount(const QString& text) {
    return int(text.split(u'\n', Qt::SkipEmptyParts).size());
}

void makeFile(const QString& path, const QByteArray& bytes = "x") {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

void TestCliCommands::initTestCase() {
    QVERIFY2(QFileInfo(cliExecutable()).isExecutable(), qPrintable(cliExecutable()));
    progDir_ = std::make_unique<TestProgDir>();
    QVERIFY(tmp_.isValid());
}

CoverDocument TestCliCommands::sampleDocument(int layout) {
    CoverDocument doc;
    doc.reset();
    doc.CoverLayout = quint8(layout);
    doc.KopfText[0] = QStringLiteral("Kopf \"eins\"");
    doc.KopfFormat[0].Fett = 1;
    doc.RandText = QStringLiteral("Rücken");
    doc.Inhalt[1] = 2;
    doc.TextInhalt[1] = QStringLiteral("Größe\r\nzwei");
    doc.Inhalt[2] = 1;
    doc.VerzListe[2] = {QStringLiteral("/cd/"), QStringLiteral("Musik"), QString()};
    return doc;
}

QString TestCliCommands::writeCover(const CoverDocument& doc, const QString& name) {
    const QString path = tmp_.filePath(name);
    CoverFile::save(path, doc);
    return path;
}

void TestCliCommands::help_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("synopsis");
    QTest::addRow("overview") << args({"--help"}) << "Usage: zarvex-cli COMMAND";
    for (const char* c : {"sheets", "render", "dump", "convert", "scan", "listing"})
        QTest::addRow("%s", c) << QStringList{QString::fromLatin1(c), QStringLiteral("--help")}
                               << QStringLiteral("Usage: zarvex-cli ") + QString::fromLatin1(c);
    QTest::addRow("help after arguments")
        << args({"sheets", "x.zvx", "-h"}) << "Usage: zarvex-cli sheets";
    // The build's one version number, all four parts.
    QTest::addRow("version") << args({"--version"})
                             << QStringLiteral("zarvex-cli %1.%2.%3.%4\n")
                                    .arg(ZARVEX_VERSION_MAJOR)
                                    .arg(ZARVEX_VERSION_MINOR)
                                    .arg(ZARVEX_VERSION_RELEASE)
                                    .arg(ZARVEX_VERSION_BUILD);
}

void TestCliCommands::help() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, synopsis);
    const CliRun run = runCli(arguments);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.startsWith(synopsis), qPrintable(run.out));
    QVERIFY(run.err.isEmpty());
}

void TestCliCommands::usageErrors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("mentions");
    QTest::addRow("nothing") << QStringList{} << "COMMAND";
    QTest::addRow("unknown command") << args({"print", "a.zvx"}) << "print";
    QTest::addRow("unknown option")
        << args({"sheets", "a.zvx", "-o", "a.pdf", "--colour"}) << "colour";
    QTest::addRow("missing output") << args({"sheets", "a.zvx"}) << "-o OUT.pdf";
    QTest::addRow("two covers") << args({"dump", "a.zvx", "b.zvx", "--side", "1"}) << "dump";
    QTest::addRow("sheets to png") << args({"sheets", "a.zvx", "-o", "a.png"}) << "a.png";
    QTest::addRow("render to gif")
        << args({"render", "a.zvx", "--side", "1", "-o", "a.gif"}) << "a.gif";
    QTest::addRow("render without side") << args({"render", "a.zvx", "-o", "a.png"}) << "--side";
    QTest::addRow("side 5") << args({"render", "a.zvx", "--side", "5", "-o", "a.png"}) << "5";
    QTest::addRow("zoom 3") << args(
                                   {"render", "a.zvx", "--side", "1", "--zoom", "3", "-o", "a.png"})
                            << "--zoom";
    QTest::addRow("dump side and sheet")
        << args({"dump", "a.zvx", "--side", "1", "--sheet", "1"}) << "dump";
    QTest::addRow("paper a3") << args({"sheets", "a.zvx", "-o", "a.pdf", "--paper", "a3"}) << "a3";
    QTest::addRow("convert to txt") << args({"convert", "a.zvx", "b.txt"}) << "b.txt";
    QTest::addRow("scan to xml") << args({"scan", ".", "-o", "a.xml"}) << "a.xml";
    QTest::addRow("depth 9") << args({"scan", ".", "-o", "a.vmk", "--depth", "9"}) << "9";
    QTest::addRow("listing from txt") << args({"listing", "a.txt", "-o", "a.vmk"}) << "a.txt";
    QTest::addRow("language fr") << args({"--lang", "fr", "scan", ".", "-o", "a.vmk"}) << "fr";
}

void TestCliCommands::usageErrors() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, mentions);
    const CliRun run =
        runCli(QStringList{QStringLiteral("--lang"), QStringLiteral("en")} + arguments);
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(lineCount(run.err), 1);
    QVERIFY2(run.err.contains(mentions), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
}

void TestCliCommands::dumpSideAndSheet() {
    const CoverDocument doc = sampleDocument(0);
    const QString cover = writeCover(doc, QStringLiteral("dump.zvx"));
    for (int side = 0; side < 3; ++side) {
        const CliRun run = runCli(
            {QStringLiteral("dump"), cover, QStringLiteral("--side"), QString::number(side + 1)},
            progDir_->path());
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        // The same drawing the preview records for the document read back.
        CoverDocument back;
        back.reset();
        CoverFile::load(cover, back, CoverFile::Reader::ByFirstLine);
        const Recording r = RecordDrawing(
            [&](QPainter& p) { DrawSingleSide(p, back, side, DocumentTexts(back, side)); });
        QCOMPARE(run.out, r.dump());
    }
    const CliRun front =
        runCli({QStringLiteral("dump"), cover, QStringLiteral("--side"), QStringLiteral("1")},
               progDir_->path());
    QVERIFY(
        front.out.contains(QStringLiteral("polyline #000000 0,0 1200,0 1200,1200 0,1200 0,0\n")));
    static const QRegularExpression header(
        QStringLiteral(R"(^text \d+ \d+ 0 \d+ #[0-9A-F]{6} "[^"]+" b "Kopf \\"eins\\""$)"),
        QRegularExpression::MultilineOption);
    QVERIFY2(header.match(front.out).hasMatch(), qPrintable(front.out));

    // Front inside alone: the combined portrait sheet with its square 130 mm down.
    const CliRun sheet = runCli({QStringLiteral("dump"), cover, QStringLiteral("--sheet"),
                                 QStringLiteral("1"), QStringLiteral("--front-inside")},
                                progDir_->path());
    QVERIFY2(sheet.exitCode == 0, qPrintable(sheet.err));
    QVERIFY(sheet.out.contains(
        QStringLiteral("polyline #000000 0,1300 1200,1300 1200,2500 0,2500 0,1300\n")));
    QVERIFY(sheet.out.contains(QStringLiteral("\"Größe\"")));
    QVERIFY(!sheet.out.contains(QStringLiteral("Kopf"))); // side 0 is not on it

    // The back sheet of everything: the inlay with both spine texts.
    const CliRun back =
        runCli({QStringLiteral("dump"), cover, QStringLiteral("--sheet"), QStringLiteral("2")},
               progDir_->path());
    QVERIFY2(back.exitCode == 0, qPrintable(back.err));
    QCOMPARE(back.out.count(QStringLiteral("\"Rücken\"")), 2);
    QVERIFY(back.out.contains(QStringLiteral(" 900 ")));
    QVERIFY(back.out.contains(QStringLiteral(" 2700 ")));
}

void TestCliCommands::badCovers_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("keepLines"); // of a valid file; -1: a missing file
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<QString>("mentions");
    QTest::addRow("truncated dump") << "dump" << 40 << args({"--side", "1"}) << "41";
    QTest::addRow("truncated sheets") << "sheets" << 12 << args({"-o", "out.pdf"}) << "13";
    QTest::addRow("truncated convert") << "convert" << 3 << args({"out.zvx"}) << "4";
    QTest::addRow("convert into a missing folder")
        << "convert" << 0 << args({"gone/out.zvx"}) << "the folder does not exist.";
    QTest::addRow("missing render")
        << "render" << -1 << args({"--side", "1", "-o", "out.png"}) << "nothere.zvx";
    QTest::addRow("side 4 in layout 0")
        << "render" << 0 << args({"--side", "4", "-o", "o.png"}) << "4";
    QTest::addRow("sheet 3 of 2") << "dump" << 0 << args({"--sheet", "3"}) << "3";
}

void TestCliCommands::badCovers() {
    QFETCH(QString, command);
    QFETCH(int, keepLines);
    QFETCH(QStringList, extra);
    QFETCH(QString, mentions);
    QString cover = tmp_.filePath(QStringLiteral("nothere.zvx"));
    if (keepLines >= 0) {
        cover = writeCover(sampleDocument(0), QStringLiteral("bad.zvx"));
        if (keepLines > 0) {
            const QStringList lines = readTextLines(cover, true);
            writeTextLines(cover, lines.mid(0, keepLines));
        }
    }
    for (QString& e : extra)
        if (e.contains(u'.')) e = tmp_.filePath(e);
    const CliRun run =
        runCli(QStringList{QStringLiteral("--lang"), QStringLiteral("en"), command, cover} + extra,
               progDir_->path());
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(lineCount(run.err), 1);
    QVERIFY2(run.err.contains(QStringLiteral("bad.zvx")) ||
                 run.err.contains(QStringLiteral("nothere.zvx")) ||
                 run.err.contains(QStringLiteral("gone/out.zvx")),
             qPrintable(run.err));
    QVERIFY2(run.err.contains(mentions), qPrintable(run.err));
    // The lines of a message are sentences of the one line; no previous file to keep.
    QVERIFY2(!run.err.contains(QRegularExpression(QStringLiteral("[a-z] [A-Z]"))),
             qPrintable(run.err));
    QVERIFY2(!run.err.contains(QStringLiteral("previous file")), qPrintable(run.err));
    if (keepLines > 0)
        QVERIFY2(run.err.contains(QStringLiteral("Line ") + mentions), qPrintable(run.err));
    // Nothing half written.
    for (const QString& e : extra)
        if (e.contains(u'/')) QVERIFY(!QFile::exists(e));
}

void TestCliCommands::missingPictureStillRenders() {
    CoverDocument doc = sampleDocument(0);
    doc.Inhalt[0] = 3;
    doc.BildFormat[0].DateiName = tmp_.filePath(QStringLiteral("gone.jpg"));
    const QString cover = writeCover(doc, QStringLiteral("picture.zvx"));
    const QString png = tmp_.filePath(QStringLiteral("picture.png"));
    const CliRun run = runCli({QStringLiteral("render"), cover, QStringLiteral("--side"),
                               QStringLiteral("1"), QStringLiteral("-o"), png},
                              progDir_->path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY(!QImage(png).isNull());
    QVERIFY2(run.err.contains(QStringLiteral("gone.jpg")), qPrintable(run.err)); // named

    // A picture file that exists but is no picture: reported, the rest still drawn.
    makeFile(doc.BildFormat[0].DateiName, "not a jpeg");
    const CliRun damaged =
        runCli({QStringLiteral("dump"), cover, QStringLiteral("--side"), QStringLiteral("1")},
               progDir_->path());
    QCOMPARE(damaged.exitCode, 0);
    QVERIFY2(damaged.err.contains(QStringLiteral("gone.jpg")), qPrintable(damaged.err));
    QVERIFY(damaged.out.contains(QStringLiteral("polyline")));
    QVERIFY(!damaged.out.contains(QStringLiteral("image ")));
}

// What a side cannot show is named on standard error, one line per cut, naming the side;
// the drawing is written all the same and the exit status stays 0.
void TestCliCommands::cutContentOnStandardError() {
    CoverDocument doc = sampleDocument(0);
    doc.VerzListe[2] = {QStringLiteral("/cd/")};
    for (int i = 0; i < 1173; ++i)
        doc.VerzListe[2] << QStringLiteral("Folder %1").arg(i) << QString();
    doc.KopfText[2] = QString(300, u'W');
    const QString cover = writeCover(doc, QStringLiteral("cut.zvx"));
    SetLanguageOffset(1000);
    FitCollector fit;
    RecordDrawing([&](QPainter& p) { DrawSingleSide(p, doc, 2, DocumentTexts(doc, 2)); });
    QStringList expected;
    for (const FitWarning& w : fit.warnings())
        expected << FitWarningCliLine(w);
    QCOMPARE(expected.size(), 2);
    QVERIFY2(QRegularExpression(
                 QStringLiteral("^warning: side 3: listing: \\d+ of 1173 entries are not shown$"))
                 .match(expected.last())
                 .hasMatch(),
             qPrintable(expected.last()));
    QCOMPARE(expected.first(), QStringLiteral("warning: side 3: header: The header is too long and "
                                              "is cut off"));
    const QString png = tmp_.filePath(QStringLiteral("cut.png"));
    const QString pdf = tmp_.filePath(QStringLiteral("cut.pdf"));
    for (const QStringList& command :
         {QStringList{QStringLiteral("render"), cover, QStringLiteral("--side"),
                      QStringLiteral("3"), QStringLiteral("-o"), png},
          QStringList{QStringLiteral("sheets"), cover, QStringLiteral("-o"), pdf}}) {
        const CliRun run =
            runCli(command + QStringList{QStringLiteral("--lang"), QStringLiteral("en")},
                   progDir_->path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err.split(u'\n', Qt::SkipEmptyParts), expected);
    }
    QVERIFY(QFile::exists(png) && QFile::exists(pdf));
}

void TestCliCommands::convertAllForms_data() {
    QTest::addColumn<QString>("fixture");
    QTest::addRow("old") << "cover_old.zvx";
    QTest::addRow("1.2") << "cover_v12.zvx";
    QTest::addRow("2.0") << "cover_v20_all.zvx";
}

void TestCliCommands::convertAllForms() {
    QFETCH(QString, fixture);
    const QString out = tmp_.filePath(QStringLiteral("converted.zvx"));
    const QString bak = tmp_.filePath(QStringLiteral("converted.bak"));
    QFile::remove(bak);
    makeFile(out, "previous");
    const CliRun run =
        runCli({QStringLiteral("convert"), fixturePath(fixture), out}, progDir_->path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(readTextLines(out, true).value(0), CoverReader::VersionLine20);
    QFile previous(bak);
    QVERIFY(previous.open(QIODevice::ReadOnly));
    QCOMPARE(previous.readAll(), QByteArray("previous"));

    // The converted file holds the same document as the original.
    CoverDocument a, b;
    a.reset();
    b.reset();
    const auto la = CoverFile::load(fixturePath(fixture), a, CoverFile::Reader::ByFirstLine);
    const auto lb = CoverFile::load(out, b, CoverFile::Reader::V20);
    if (la.layout) a.CoverLayout = quint8(*la.layout);
    b.CoverLayout = quint8(*lb.layout);
    QCOMPARE(CoverWriter::WriteCover(b), CoverWriter::WriteCover(a));
}

void TestCliCommands::scanTree() {
    const QString root = tmp_.filePath(QStringLiteral("tree"));
    for (const char* f : {"Musik/Jazz/a.mp3", "Musik/Jazz/b.txt", "Musik/Ärger/c.mp3",
                          "Bilder/x.jpg", "Bilder/2026/y.jpg", ".hidden/z.mp3", "top.mp3"})
        makeFile(root + u'/' + QString::fromUtf8(f));
    const QString vmk = tmp_.filePath(QStringLiteral("tree.vmk"));
    CliRun run =
        runCli({QStringLiteral("scan"), root, QStringLiteral("-o"), vmk}, progDir_->path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY(run.err.isEmpty()); // not a terminal: no progress

    // The same listing the directory dialog reads.
    DirectoryListing want;
    ScriptedDialogs dialogs;
    QVERIFY(DirectoryReader(want, 7, {}).ReadListing(root + u'/', root, dialogs));
    QCOMPARE(LoadListingFile(vmk), want);
    QVERIFY(want.toStringList().contains(QStringLiteral(" Ärger")));

    // Depth 1 and files mode.
    run =
        runCli({QStringLiteral("scan"), root, QStringLiteral("-o"), vmk, QStringLiteral("--depth"),
                QStringLiteral("1"), QStringLiteral("--files"), QStringLiteral("*.MP3")},
               progDir_->path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const DirectoryListing shallow = LoadListingFile(vmk);
    QCOMPARE(shallow.at(0), root + u'/');
    QStringList entries;
    for (qsizetype i = 1; i < shallow.size(); i += 2)
        entries << shallow[i];
    QCOMPARE(entries, (QStringList{"Bilder", "Musik", "top.mp3"}));

    // Text and web page: the extension chooses.
    const QString txt = tmp_.filePath(QStringLiteral("tree.TXT"));
    run = runCli({QStringLiteral("scan"), root, QStringLiteral("-o"), txt}, progDir_->path());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(readTextLines(txt, true).value(0), root + u'/');
    const QString htm = tmp_.filePath(QStringLiteral("tree.htm"));
    run = runCli({QStringLiteral("scan"), root, QStringLiteral("-o"), htm}, progDir_->path());
    QCOMPARE(run.exitCode, 0);
    QVERIFY(readTextLines(htm, true).join(u'\n').contains(QStringLiteral("&Auml;rger")));
}

void TestCliCommands::scanBadFolders_data() {
    QTest::addColumn<QString>("what");
    QTest::addRow("missing") << "missing";
    QTest::addRow("a file") << "file";
    QTest::addRow("empty") << "empty";
    QTest::addRow("unreadable") << "unreadable";
}

void TestCliCommands::scanBadFolders() {
    QFETCH(QString, what);
    const QString dir = tmp_.filePath(QStringLiteral("bad-") + what);
    if (what == QStringLiteral("file")) makeFile(dir);
    if (what == QStringLiteral("empty") || what == QStringLiteral("unreadable"))
        QDir().mkpath(dir + QStringLiteral("/only-files-below"));
    if (what == QStringLiteral("unreadable")) {
        if (::geteuid() == 0) QSKIP("the super-user reads every folder");
        QFile::setPermissions(dir, QFileDevice::WriteOwner);
    }
    const QString out = tmp_.filePath(QStringLiteral("bad.vmk"));
    const CliRun run =
        runCli({QStringLiteral("--lang"), QStringLiteral("en"), QStringLiteral("scan"),
                what == QStringLiteral("empty") ? dir + QStringLiteral("/only-files-below") : dir,
                QStringLiteral("-o"), out},
               progDir_->path());
    QFile::setPermissions(dir,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(lineCount(run.err), 1);
    if (what != QStringLiteral("empty")) QVERIFY2(run.err.contains(dir), qPrintable(run.err));
    QVERIFY(!QFile::exists(out));
}

void TestCliCommands::scanImage_data() {
    QTest::addColumn<QString>("image");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("error"); // what the one line of the message names; empty: none
    QTest::addRow("whole image") << "disc.ISO"
                                 << ""
                                 << "";
    QTest::addRow("start folder") << "disc.ISO"
                                  << "/Musik/Jazz"
                                  << "";
    QTest::addRow("no such folder") << "disc.ISO"
                                    << "/Nope"
                                    << "/Nope";
    QTest::addRow("not an image") << "notes.iso"
                                  << ""
                                  << "notes.iso";
}

// What the scan command writes for an image is what the directory dialog would read.
void TestCliCommands::scanImage() {
    QFETCH(QString, image);
    QFETCH(QString, folder);
    QFETCH(QString, error);
    const QString root = tmp_.filePath(QStringLiteral("imagetree"));
    for (const char* f : {"Musik/Jazz/Live/a.mp3", "Musik/Ärger/c.mp3", "Bilder/x.jpg"})
        makeFile(root + u'/' + QString::fromUtf8(f));
    const QString iso = tmp_.filePath(image);
    if (image == QStringLiteral("disc.ISO"))
        QCOMPARE(QProcess::execute(QStringLiteral("xorriso"), {"-as", "mkisofs", "-quiet", "-R",
                                                               "-V", "CLI", "-o", iso, root}),
                 0);
    else
        makeFile(iso, QByteArray(40000, 'x'));
    const QString vmk = tmp_.filePath(QStringLiteral("image.vmk"));
    QFile::remove(vmk);
    QStringList args{"--lang", "en", "scan", iso, "-o", vmk, "--files", "*.mp3"};
    if (!folder.isEmpty()) args << "--folder" << folder;
    const CliRun run = runCli(args, progDir_->path());
    if (!error.isEmpty()) {
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(lineCount(run.err), 1);
        QVERIFY2(run.err.contains(error), qPrintable(run.err));
        QVERIFY(!QFile::exists(vmk));
        return;
    }
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    DiscImage disc(iso);
    DirectoryListing want;
    ScriptedDialogs dialogs;
    QVERIFY(DiscImageReader(want, 7, {false, QStringLiteral("*.mp3")}, disc)
                .ReadImageListing(folder.isEmpty() ? QStringLiteral("/") : folder, dialogs));
    QCOMPARE(LoadListingFile(vmk), want);
    QCOMPARE(want.first(),
             folder.isEmpty() ? QStringLiteral("CLI:\\") : QStringLiteral("CLI:\\Musik\\Jazz\\"));
}

void TestCliCommands::listingForms() {
    const DirectoryListing listing = {QStringLiteral("/cd/"), QStringLiteral("Größe <1>"),
                                      QStringLiteral("Kommentar"), QStringLiteral(" inner"),
                                      QString()};
    const QString vmk = tmp_.filePath(QStringLiteral("in.VMK"));
    SaveListingFile(vmk, listing);
    const QString copy = tmp_.filePath(QStringLiteral("copy.vmk"));
    const QString txt = tmp_.filePath(QStringLiteral("out.txt"));
    const QString htm = tmp_.filePath(QStringLiteral("out.htm"));
    const QString html = tmp_.filePath(QStringLiteral("out.HTML"));
    for (const QString& out : {copy, txt, htm, html}) {
        const CliRun run =
            runCli({QStringLiteral("listing"), vmk, QStringLiteral("-o"), out}, progDir_->path());
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    }
    QCOMPARE(LoadListingFile(copy), listing);
    QCOMPARE(readTextLines(txt, true), (QStringList{"/cd/", "Größe <1>", " inner"}));
    QVERIFY(readTextLines(htm, true).join(u'\n').contains(
        QStringLiteral("Gr&ouml;&szlig;e &lt;1&gt;")));
    QCOMPARE(readTextLines(html, true), readTextLines(htm, true));

    // An empty listing gives no web page, and the tool says so.
    const QString empty = tmp_.filePath(QStringLiteral("empty.vmk"));
    SaveListingFile(empty, {});
    const QString none = tmp_.filePath(QStringLiteral("none.htm"));
    const CliRun nothing =
        runCli({QStringLiteral("listing"), empty, QStringLiteral("-o"), none}, progDir_->path());
    QCOMPARE(nothing.exitCode, 1);
    QVERIFY2(nothing.err.contains(none), qPrintable(nothing.err));
    QVERIFY(!QFile::exists(none));

    const CliRun missing =
        runCli({QStringLiteral("listing"), tmp_.filePath(QStringLiteral("no.vmk")),
                QStringLiteral("-o"), txt},
               progDir_->path());
    QCOMPARE(missing.exitCode, 1);
    QVERIFY(missing.err.contains(QStringLiteral("no.vmk")));
}

void TestCliCommands::language() {
    const QString missing = tmp_.filePath(QStringLiteral("fehlt.zvx"));
    const QStringList dump = {QStringLiteral("dump"), missing, QStringLiteral("--side"),
                              QStringLiteral("1")};
    const CliRun german = runCli(QStringList{QStringLiteral("--lang"), QStringLiteral("de")} + dump,
                                 progDir_->path());
    const CliRun english =
        runCli(QStringList{QStringLiteral("--lang=en")} + dump, progDir_->path());
    QVERIFY2(german.err.contains(QStringLiteral("kann nicht")), qPrintable(german.err));
    QVERIFY2(english.err.contains(QStringLiteral("cannot")), qPrintable(english.err));

    // Without --lang the settings file decides: 49 is German.
    TestProgDir german49;
    QFile ini(german49.file(QStringLiteral("zarvex.INI")));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[EINSTELLUNGEN]\r\nsprache=49\r\n");
    ini.close();
    const CliRun bySettings = runCli(dump, german49.path());
    QVERIFY2(bySettings.err.contains(QStringLiteral("kann nicht")), qPrintable(bySettings.err));
    progDir_ = std::make_unique<TestProgDir>(); // the program folder of the other tests
}

QTEST_MAIN(TestCliCommands)
#include "tst_clicommands.moc"
