#include "audiofixtures.h"
#include "clirunner.h"
#include "directory/audiotagcache.h"
#include "directory/imagedrive.h"
#include "directory/listingfile.h"
#include "directory/tracklistdrive.h"
#include "directory/treereading.h"
#include "directory/verzeich.h"
#include "platform/apperror.h"
#include "platform/stringtable.h"
#include "scripteddialogs.h"
#include "testprogdir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

namespace {
void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// One album file of 10 s and a sheet of three tracks over it: 3 s, 2 s, and 5 s to the end.
const QByteArray kAlbumSheet = "PERFORMER \"The Band\"\n"
                               "TITLE \"Album\"\n"
                               "FILE \"album.wav\" WAVE\n"
                               "  TRACK 01 AUDIO\n"
                               "    TITLE \"One\"\n"
                               "    INDEX 01 00:00:00\n"
                               "  TRACK 02 AUDIO\n"
                               "    TITLE \"Two\"\n"
                               "    PERFORMER \"Guest\"\n"
                               "    INDEX 00 00:02:00\n"
                               "    INDEX 01 00:03:00\n"
                               "  TRACK 03 AUDIO\n"
                               "    TITLE \"Three\"\n"
                               "    PERFORMER \"The Band\"\n"
                               "    INDEX 01 00:05:00\n";
const QStringList kAlbumListing = {"The Band – Album", "01 One",   "(0:03)", "02 Two",
                                   "Guest (0:02)",     "03 Three", "(0:05)"};
} // namespace

class TestTrackLists : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void audioCommentsInFilesMode();
    void audioCommentsFromCache();
    void trackListFiles_data();
    void trackListFiles();
    void audioCdImage();
    void dialogReadsTrackListWhenChosen();

private:
    QString path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    TestProgDir prog_;
    QTemporaryDir dir_;
};

void TestTrackLists::initTestCase() {
    SetLanguageOffset(1000);
    const QString wav = path("tone.wav");
    writeWav(wav, 5.0);
    writeWav(path("album.wav"), 10.0);
    struct Made {
        const char* name;
        const char* artist;
        const char* title;
    };
    QVERIFY(QDir().mkpath(path("music/sub")));
    for (const Made& m :
         {Made{"music/a.mp3", "Artist", "Title"}, Made{"music/b.flac", "", "Only Title"},
          Made{"music/c.ogg", "", ""}, Made{"music/sub/d.opus", "Ärzte", "Schrei"},
          Made{"music/e.wav", "W", "Wave"}, Made{"music/f.aiff", "", "Aiff"},
          Made{"music/g.m4a", "Künstler", "AAC"}}) {
        const QString file = path(m.name);
        QVERIFY2(encodeAudio(wav, file), m.name);
        if (*m.artist || *m.title)
            QVERIFY2(tagAudio(file, QString::fromUtf8(m.artist), QString::fromUtf8(m.title)),
                     m.name);
    }
    writeFile(path("music/fake.mp3"), QByteArray(4000, 'x')); // named as audio, holds none
    writeFile(path("music/notes.txt"), "not audio, not asked");
    // The same folder as a disc image (Rock Ridge keeps the names).
    QCOMPARE(QProcess::execute("xorriso", {"-as", "mkisofs", "-quiet", "-R", "-o",
                                           path("music.iso"), path("music")}),
             0);
}

// Files mode with the option: every audio file's comment from its tags and length, others
// empty, the fake counted once; without the option the same entries with empty comments.
// The same inside a disc image of the folder.
void TestTrackLists::audioCommentsInFilesMode() {
    const QStringList expected = {"/music/",
                                  "a.mp3",
                                  "Artist – Title (0:05)",
                                  "b.flac",
                                  "Only Title (0:05)",
                                  "c.ogg",
                                  "(0:05)",
                                  "e.wav",
                                  "W – Wave (0:05)",
                                  "f.aiff",
                                  "Aiff (0:05)",
                                  "fake.mp3",
                                  "",
                                  "g.m4a",
                                  "Künstler – AAC (0:05)",
                                  "notes.txt",
                                  "",
                                  "sub",
                                  "",
                                  " d.opus",
                                  "Ärzte – Schrei (0:05)"};
    for (const bool image : {false, true}) {
        for (const bool audio : {true, false}) {
            ReadProgress progress;
            DirectoryListing out;
            const TreeReadRequest request{
                "/music/", path(image ? "music.iso" : "music"), "/", 7, {false, "*", audio}};
            (image ? ReadImageTree : ReadFolderTree)(request, progress, out);
            QStringList want = expected;
            if (!audio)
                for (qsizetype i = 2; i < want.size(); i += 2)
                    want[i].clear();
            QCOMPARE(out, want);
            QCOMPARE(progress.problems.count(), audio ? 1 : 0);
            if (audio) QVERIFY(progress.problems.first().first().contains("fake.mp3"));
        }
    }
}

// A second reading takes what the cache knows of a file (also that it holds no audio), and
// reads the file again once it has changed. The cache outlives the program: zarvex-cli
// finds what this process saved, and takes a damaged cache file for an empty one.
void TestTrackLists::audioCommentsFromCache() {
    QVERIFY(QDir().mkpath(path("cached")));
    QVERIFY(QFile::copy(path("music/a.mp3"), path("cached/a.mp3")));
    QVERIFY(QFile::copy(path("music/fake.mp3"), path("cached/fake.mp3")));
    const auto read = [&] {
        ReadProgress progress;
        DirectoryListing out;
        ReadFolderTree({"/", path("cached"), "/", 7, {false, "*", true}}, progress, out);
        return std::pair(out.at(2), progress.problems.count());
    };
    const auto remember = [&](const QString& comment) {
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(path("cached/a.mp3")).constData(), &st), 0);
        AudioTagCache::instance().put(st, comment);
    };
    const auto scan = [&] {
        const QString out = path("cached.vmk");
        const CliRun run = runCli({"scan", path("cached"), "--audio", "-o", out}, prog_.path());
        return run.exitCode == 0 ? LoadListingFile(out).at(2) : run.err;
    };
    QCOMPARE(read(), std::pair(QString("Artist – Title (0:05)"), 1));
    remember("Remembered");
    QCOMPARE(read(), std::pair(QString("Remembered"), 1));
    QVERIFY(tagAudio(path("cached/a.mp3"), "Artist", "Changed"));
    QCOMPARE(read(), std::pair(QString("Artist – Changed (0:05)"), 1));

    remember("Remembered");
    AudioTagCache::instance().save();
    QCOMPARE(scan(), QString("Remembered"));
    writeFile(AudioTagCache::file(), QByteArray(100, '\xff'));
    QCOMPARE(scan(), QString("Artist – Changed (0:05)"));
}

void TestTrackLists::trackListFiles_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("problems");
    QTest::newRow("cue sheet") << "album.cue" << kAlbumSheet << kAlbumListing << 0;
    QByteArray broken = kAlbumSheet;
    broken.replace("FILE \"album.wav\"", "FILE \"gone.wav\"");
    broken.insert(0, "junk line\n");
    broken.replace("  TRACK 03", "NONSENSE \"quoted\" 1\n  TRACK 03");
    broken.append("  TRACK 04 AUDIO\n"); // libcue refuses the sheet for it
    QTest::newRow("cue: garbage, missing file")
        << "broken.cue" << broken << QStringList{"The Band – Album", "01 One",   "(0:03)", "02 Two",
                                                 "Guest (0:02)",     "03 Three", ""}
        << 4;
    QTest::newRow("m3u8 with EXTINF")
        << "mix.m3u8"
        << QByteArray("\xEF\xBB\xBF#EXTM3U\n#PLAYLIST:Sommer\n#EXTINF:185,Ärzte - Junge - "
                      "Remix\nnowhere/a.mp3\n#EXTINF:-1,Stream\nhttp://radio.example/s\n")
        << QStringList{"Sommer", "01 Junge - Remix", "Ärzte (3:05)", "02 Stream", ""} << 0;
    QTest::newRow("m3u: tags of the files, missing entries")
        << "files.m3u"
        << QByteArray("music/a.mp3\r\nmusic\\b.flac\r\nmusic/gone.mp3\r\nmusic/fake.mp3\r\n")
        << QStringList{"files",
                       "01 Title",
                       "Artist (0:05)",
                       "02 Only Title",
                       "(0:05)",
                       "03 gone",
                       "",
                       "04 fake",
                       ""}
        << 2;
    QByteArray many = "#EXTM3U\n";
    QStringList manyListing{"many"};
    for (int i = 1; i <= 5000; ++i) {
        many +=
            "#EXTINF:61,P - T" + QByteArray::number(i) + "\nx" + QByteArray::number(i) + ".mp3\n";
        manyListing << QStringLiteral("%1 T%2").arg(i, 2, 10, QLatin1Char('0')).arg(i)
                    << QStringLiteral("P (1:01)");
    }
    QTest::newRow("10,000 lines") << "many.m3u8" << many << manyListing << 0;
}

// What the command-line tool writes is the listing, from what could be read; the problems
// are one message.
void TestTrackLists::trackListFiles() {
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, expected);
    QFETCH(int, problems);
    const QString list = dir_.filePath(file);
    writeFile(list, content);
    ReadProblems found;
    QCOMPARE(ReadTrackListFile(list, found), expected);
    QCOMPARE(found.count(), problems);

    const QString out = dir_.filePath("out.vmk");
    QFile::remove(out);
    const CliRun run = runCli({"--lang", "en", "scan", list, "-o", out}, prog_.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(LoadListingFile(out), expected);
    QCOMPARE(run.err.contains(QStringLiteral("%1 problems while reading").arg(problems)),
             problems > 0);
}

// An audio CD's tracks through libcdio, tried on a BIN/CUE image whose sheet carries CD-Text:
// lengths from the table of contents, the last track to the end of the image.
void TestTrackLists::audioCdImage() {
    writeFile(path("disc.bin"), QByteArray(2352 * 75 * 12, '\0'));
    QByteArray sheet = kAlbumSheet;
    sheet.replace("FILE \"album.wav\" WAVE", "FILE \"disc.bin\" BINARY");
    writeFile(path("disc.cue"), sheet);
    QStringList expected = kAlbumListing;
    expected[6] = QStringLiteral("(0:07)");
    QCOMPARE(ReadAudioCdListing(path("disc.cue")), expected);
    const QString out = path("cd.vmk");
    const CliRun run = runCli({"scan", "--audio-cd", path("disc.cue"), "-o", out}, prog_.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(LoadListingFile(out), expected);
    try {
        ReadAudioCdListing(path("tone.wav"));
        QFAIL("a WAV file is no audio CD");
    } catch (const AppError& e) {
        QVERIFY(e.message().contains("tone.wav"));
    }
}

// Choosing "Track list…" asks for the file and reads it at once; the check box sets the
// audio option; the total playing time is shown.
void TestTrackLists::dialogReadsTrackListWhenChosen() {
    writeFile(path("album.cue"), kAlbumSheet);
    ScriptedDialogs dialogs;
    TDlgVerzeichnis dialog(dialogs, {"Liberation Sans"});
    dialog.Model.driveSource = [&] {
        return QList<DriveEntry>{{DriveKind::Folder, "home", dir_.path()}}
               << dialog.Model.Tracks.entry();
    };
    dialog.FormShow();
    QCOMPARE(dialog.DriveComboBox->itemText(1), QString("Track list…"));
    dialogs.answerOpenFile(path("album.cue"));
    dialog.DriveComboBox->setCurrentIndex(1);
    dialog.DriveComboBoxChange();
    QCOMPARE(dialog.Model.Listing, kAlbumListing);
    QCOMPARE(dialog.LabelStartVerzeichnis->text(), QString("The Band – Album"));
    QCOMPARE(dialog.LabelSpielzeit->text(), QString("Total playing time: 0:10"));
    QVERIFY(dialogs.allAnswered());
    dialog.CheckAudioTags->click();
    QVERIFY(dialog.Model.Filter.AudioComments);
}

QTEST_MAIN(TestTrackLists)
#include "tst_tracklists.moc"
