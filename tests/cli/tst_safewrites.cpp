#include "clirunner.h"
#include "content/picturefilecopy.h"
#include "directory/listingfile.h"
#include "document/coverdocument.h"
#include "document/coverfile.h"
#include "platform/apperror.h"
#include "platform/inifile.h"
#include "platform/picture.h"
#include "platform/safefile.h"
#include "platform/stringtable.h"
#include "platform/systemreason.h"
#include "platform/textcodec.h"
#include "scripteddialogs.h"
#include "testprogdir.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

// Every kind of output on a full disk and under a kill: the previous file stays byte for
// byte, nothing is left beside it, and a full disk says so. The disk is a small tmpfs that
// the test mounts (the test command runs as root) and fills.
class TestSafeWrites : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void fullDiskKeepsThePreviousFile_data();
    void fullDiskKeepsThePreviousFile();
    void killedSaveLeavesNothing_data();
    void killedSaveLeavesNothing();
    void writesThroughALink_data() { fullDiskKeepsThePreviousFile_data(); }
    void writesThroughALink();
    void reasonsInTheUsersLanguage_data();
    void reasonsInTheUsersLanguage();

private:
    std::unique_ptr<TestProgDir> progDir_;
    QTemporaryDir inputs_;
    QTemporaryDir mount_, readOnly_;
    bool mounted_ = false, readOnlyMounted_ = false;
    QString cover_, listing_, tree_;
};

namespace {
// What a row writes to target; the error message when it fails.
using Output = std::function<QString(const QString& target, const QString& progDir)>;

QString viaCli(const QStringList& args, const QString& progDir) {
    const CliRun run = runCli(args, progDir);
    if (!run.finished) return QStringLiteral("did not finish");
    return run.exitCode == 0 ? QString() : run.err;
}

QString inProcess(const std::function<void()>& write) {
    try {
        write();
        return QString();
    } catch (const AppError& e) {
        return e.message();
    }
}

const QByteArray kPrevious = "the previous content\r\n";

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Writes until the file system refuses: afterwards not one more page fits.
void fill(const QString& path) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'x');
    while (f.write(block) == block.size()) {
    }
}
} // namespace

Q_DECLARE_METATYPE(Output)

void TestSafeWrites::initTestCase() {
    progDir_ = std::make_unique<TestProgDir>();
    CoverDocument doc;
    doc.KopfText[0] = QStringLiteral("Header");
    cover_ = inputs_.filePath(QStringLiteral("in.zvx"));
    CoverFile::save(cover_, doc);
    listing_ = inputs_.filePath(QStringLiteral("in.vmk"));
    SaveListingFile(listing_, {QStringLiteral("/start/"), QStringLiteral("/a"), QString()});
    tree_ = inputs_.filePath(QStringLiteral("tree"));
    QVERIFY(QDir().mkpath(tree_ + QStringLiteral("/sub")));
    QFile(tree_ + QStringLiteral("/sub/file.txt")).open(QIODevice::WriteOnly);

    if (::geteuid() != 0) return; // the full-disk test says why it skips
    QVERIFY(mount_.isValid());
    const QByteArray where = QFile::encodeName(mount_.path());
    QVERIFY2(::mount("tmpfs", where.constData(), "tmpfs", 0, "size=256k") == 0,
             std::strerror(errno));
    mounted_ = true;
    QVERIFY(readOnly_.isValid());
    readOnlyMounted_ = ::mount("tmpfs", QFile::encodeName(readOnly_.path()).constData(), "tmpfs",
                               MS_RDONLY, "size=64k") == 0;
}

void TestSafeWrites::cleanupTestCase() {
    if (mounted_) ::umount2(QFile::encodeName(mount_.path()).constData(), MNT_DETACH);
    if (readOnlyMounted_) ::umount2(QFile::encodeName(readOnly_.path()).constData(), MNT_DETACH);
}

void TestSafeWrites::fullDiskKeepsThePreviousFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<Output>("output");
    const QString cover = cover_, listing = listing_, tree = tree_;
    const QString picture = fixturePath(QStringLiteral("pictures/rgb24.bmp"));
    auto scan = [tree](const QString& t, const QString& p) {
        return viaCli({QStringLiteral("scan"), tree, QStringLiteral("-o"), t}, p);
    };
    QTest::newRow("listing file") << "out.vmk" << Output(scan);
    QTest::newRow("plain-text export") << "out.txt" << Output(scan);
    QTest::newRow("web page export") << "out.htm" << Output(scan);
    QTest::newRow("listing converted") << "conv.txt" << Output([listing](auto& t, auto& p) {
        return viaCli({QStringLiteral("listing"), listing, QStringLiteral("-o"), t}, p);
    });
    QTest::newRow("PNG") << "side.png" << Output([cover](auto& t, auto& p) {
        return viaCli({QStringLiteral("render"), cover, QStringLiteral("--side"),
                       QStringLiteral("1"), QStringLiteral("-o"), t},
                      p);
    });
    QTest::newRow("side PDF") << "side.pdf" << Output([cover](auto& t, auto& p) {
        return viaCli({QStringLiteral("render"), cover, QStringLiteral("--side"),
                       QStringLiteral("1"), QStringLiteral("-o"), t},
                      p);
    });
    QTest::newRow("sheets PDF") << "sheets.pdf" << Output([cover](auto& t, auto& p) {
        return viaCli({QStringLiteral("sheets"), cover, QStringLiteral("-o"), t}, p);
    });
    QTest::newRow("cover file") << "out.zvx" << Output([cover](auto& t, auto& p) {
        return viaCli({QStringLiteral("convert"), cover, t}, p);
    });
    QTest::newRow("picture copy") << "copy.bmp" << Output([picture](auto& t, auto&) {
        ScriptedDialogs dialogs;
        dialogs.answerMessage(MsgResult::Ok); // overwrite the previous file
        return inProcess([&] { CopyPictureFile(picture, t, dialogs); });
    });
    QTest::newRow("picture saved as BMP") << "saved.bmp" << Output([picture](auto& t, auto&) {
        return inProcess([&] { Picture::load(picture).saveBmp(t); });
    });
    QTest::newRow("settings file") << "zarvex.INI" << Output([](auto& t, auto&) {
        return inProcess([&] {
            IniFile(t).writeString(QStringLiteral("EINSTELLUNGEN"), QStringLiteral("vorlage"),
                                   QStringLiteral("other.zvx"));
        });
    });
    QTest::newRow("text file") << "text.txt" << Output([](auto& t, auto&) {
        return inProcess([&] { writeTextLines(t, {QStringLiteral("one line")}); });
    });
}

void TestSafeWrites::fullDiskKeepsThePreviousFile() {
    QFETCH(QString, name);
    QFETCH(Output, output);
    if (!mounted_) QSKIP("mounting the small file system needs root");
    const QString dir = mount_.path() + u'/';
    const QString target = dir + name, filler = dir + QStringLiteral("filler");
    QFile::remove(filler);
    QFile previous(target);
    QVERIFY(previous.open(QIODevice::WriteOnly));
    previous.write(kPrevious);
    previous.close();

    fill(filler);
    const QString message = output(target, progDir_->path());
    // In the program's language (the tool's or the test's), not in the system's words.
    QVERIFY2(message.contains(StringTableEntry(StrReasonNoSpace)) ||
                 message.contains(StringTableEntry(StrReasonNoSpace + 1000)),
             qPrintable(message));
    QVERIFY2(!message.contains(QString::fromLocal8Bit(std::strerror(ENOSPC))), qPrintable(message));
    QCOMPARE(bytesOf(target), kPrevious);
    QStringList expected{QStringLiteral("filler"), name};
    expected.sort();
    QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden), expected);

    // With room again the same output is written, so the failure above was the full disk.
    QVERIFY(QFile::remove(filler));
    QCOMPARE(output(target, progDir_->path()), QString());
    QVERIFY(bytesOf(target) != kPrevious);
    for (const QString& f : QDir(dir).entryList(QDir::Files | QDir::Hidden))
        QVERIFY(QFile::remove(dir + f));
}

void TestSafeWrites::killedSaveLeavesNothing_data() {
    QTest::addColumn<bool>("cover");
    QTest::newRow("cover file") << true;
    QTest::newRow("listing file") << false;
}

// The saving process is killed half way; afterwards the folder holds the previous file as
// it was, and nothing else.
void TestSafeWrites::killedSaveLeavesNothing() {
    QFETCH(bool, cover);
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("target.zvx"));
    QFile previous(target);
    QVERIFY(previous.open(QIODevice::WriteOnly));
    previous.write(kPrevious);
    previous.close();
    const QByteArray big(4 << 20, 'x');

    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        if (cover) {
            CoverFile::setFaultHook([](CoverFile::SaveStep) -> QString {
                ::raise(SIGKILL);
                return {};
            });
            CoverFile::saveBytes(target, big);
        } else {
            SafeFile::save(target, [&](QIODevice& d) {
                d.write(big);
                ::raise(SIGKILL);
                return true;
            });
        }
        ::_exit(0);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFSIGNALED(status));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("target.zvx")});
    QCOMPARE(bytesOf(target), kPrevious);
}

// Through d/name -> ../real/name the target is the file: it gets the new content (a cover's
// previous one goes to the target's backup), the link stays, nothing is left beside it.
void TestSafeWrites::writesThroughALink() {
    QFETCH(QString, name);
    QFETCH(Output, output);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("d")));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("real")));
    const QString real = dir.filePath(QStringLiteral("real/") + name);
    const QString link = dir.filePath(QStringLiteral("d/") + name);
    QFile previous(real);
    QVERIFY(previous.open(QIODevice::WriteOnly));
    previous.write(kPrevious);
    previous.close();
    const QByteArray target = QFile::encodeName(QStringLiteral("../real/") + name);
    QCOMPARE(::symlink(target.constData(), QFile::encodeName(link).constData()), 0);

    QCOMPARE(output(link, progDir_->path()), QString());
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(QFileInfo(link).symLinkTarget(), QFileInfo(real).absoluteFilePath());
    QVERIFY(bytesOf(real) != kPrevious);
    QCOMPARE(QDir(dir.filePath(QStringLiteral("d")))
                 .entryList(QDir::Files | QDir::Hidden | QDir::System),
             QStringList{name});
    if (name.endsWith(QLatin1String(".zvx")))
        QCOMPARE(bytesOf(dir.filePath(QStringLiteral("real/out.bak"))), kPrevious);
}

// The common reasons of a failed read or write are the program's own texts: a German
// message says in German why, where it used to quote the system in English.
void TestSafeWrites::reasonsInTheUsersLanguage_data() {
    QTest::addColumn<Output>("output");
    QTest::addColumn<QString>("reason");      // the German text
    QTest::addColumn<QString>("systemWords"); // what the message said instead
    const QString dir = inputs_.path(), readOnly = readOnly_.path();
    QTest::newRow("picture not found") << Output([dir](auto&, auto&) {
        return inProcess([&] { Picture::load(dir + QStringLiteral("/nothere.bmp")); });
    }) << StringTableEntry(StrReasonNotFound)
                                       << qt_error_string(ENOENT);
    QTest::newRow("listing file is a folder")
        << Output([dir](auto&, auto&) { return inProcess([&] { LoadListingFile(dir); }); })
        << StringTableEntry(StrReasonIsFolder) << QStringLiteral("directory");
    QTest::newRow("name too long") << Output([dir](auto&, auto&) {
        return inProcess([&] { writeTextLines(dir + u'/' + QString(300, u'n'), {"x"}); });
    }) << StringTableEntry(StrReasonNameTooLong)
                                   << qt_error_string(ENAMETOOLONG);
    QTest::newRow("no permission") << Output([dir](auto&, auto&) {
        // The super-user may write anywhere, so the write is made as nobody.
        const bool root = ::geteuid() == 0;
        const QString folder = dir + QStringLiteral("/locked");
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                          QFile::ExeOther);
        if (root && ::seteuid(65534) != 0) return QStringLiteral("cannot become nobody");
        const QString message = inProcess([&] { writeTextLines(folder + "/t.txt", {"x"}); });
        if (root && ::seteuid(0) != 0) std::abort();
        return message;
    }) << StringTableEntry(StrReasonNoPermission)
                                   << qt_error_string(EACCES);
    if (readOnlyMounted_)
        QTest::newRow("read-only file system") << Output([readOnly](auto&, auto&) {
            return inProcess([&] { writeTextLines(readOnly + QStringLiteral("/t.txt"), {"x"}); });
        }) << StringTableEntry(StrReasonReadOnly)
                                               << qt_error_string(EROFS);
    QTest::newRow("text named .jpg") << Output([](auto&, auto&) {
        return inProcess([] { Picture::decode("This is text", "jpg", "t.jpg"); });
    }) << StringTableEntry(StrReasonNotPictureOfKind).arg("JPEG")
                                     << QStringLiteral("Not a JPEG");
    QTest::newRow("JPEG named .bmp") << Output([](auto&, auto&) {
        return inProcess([] { Picture::decode(fixtureBytes("pictures/rgb.jpg"), "bmp", "t.bmp"); });
    }) << StringTableEntry(StrReasonNotPictureOfKind).arg("BMP")
                                     << QString();
}

void TestSafeWrites::reasonsInTheUsersLanguage() {
    QFETCH(Output, output);
    QFETCH(QString, reason);
    QFETCH(QString, systemWords);
    SetLanguageOffset(0);
    const QString message = output(QString(), progDir_->path());
    SetLanguageOffset(1000);
    QVERIFY2(message.contains(reason), qPrintable(message));
    if (!systemWords.isEmpty()) QVERIFY2(!message.contains(systemWords), qPrintable(message));
}

QTEST_MAIN(TestSafeWrites)
#include "tst_safewrites.moc"
