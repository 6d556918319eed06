#include <grp.h>
#include <pwd.h>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

// Installs the build into a temporary prefix and runs it as a user would: not as root, with a
// fresh home. The programs must make that user's folders and write nothing into the
// installed tree; the desktop files must pass the desktop's own validators, and the Debian
// package lintian's checks.
class TestInstall : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void desktopFilesValidate_data();
    void desktopFilesValidate();
    void runsAsUserWithFreshHome();
    void unwritableHomeGetsAMessage();
    void packagePassesLintian();

private:
    QProcess* userProcess(const QString& program, const QStringList& args);
    QMap<QString, QByteArray> snapshot() const;

    QTemporaryDir tmp_;
    QString prefix_;
    QString home_;
    uid_t uid_ = 0;
    gid_t gid_ = 0;
};

void TestInstall::initTestCase() {
    QVERIFY(tmp_.isValid());
    QFile::setPermissions(tmp_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                           QFile::ReadOther | QFile::ExeOther);
    prefix_ = tmp_.filePath(QStringLiteral("prefix"));
    const QString build = QDir(QStringLiteral(ZARVEX_STAGE_DIR "/..")).absolutePath();
    QProcess install;
    install.start(QStringLiteral("cmake"),
                  {QStringLiteral("--install"), build, QStringLiteral("--prefix"), prefix_});
    QVERIFY(install.waitForFinished(120000));
    QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());
    uid_ = ::getuid();
    gid_ = ::getgid();
    if (uid_ == 0) { // CI runs as root: the programs run as "nobody"
        const passwd* pw = ::getpwnam("nobody");
        QVERIFY(pw);
        uid_ = pw->pw_uid;
        gid_ = pw->pw_gid;
    }
    home_ = tmp_.filePath(QStringLiteral("home"));
    QVERIFY(QDir().mkpath(home_));
    QVERIFY(::chown(home_.toLocal8Bit().constData(), uid_, gid_) == 0);
}

void TestInstall::desktopFilesValidate_data() {
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("file");
    QTest::newRow("desktop entry") << "desktop-file-validate" << QStringList()
                                   << "share/applications/org.example.zarvex.desktop";
    QTest::newRow("metainfo") << "appstreamcli" << QStringList{"validate", "--no-net"}
                              << "share/metainfo/org.example.zarvex.metainfo.xml";
    QTest::newRow("file type") << "xmllint" << QStringList{"--noout"}
                               << "share/mime/packages/org.example.zarvex.xml";
}

void TestInstall::desktopFilesValidate() {
    QFETCH(QString, tool);
    QFETCH(QStringList, args);
    QFETCH(QString, file);
    if (QStandardPaths::findExecutable(tool).isEmpty()) {
        if (tool == QLatin1String("xmllint")) QSKIP("xmllint is not installed");
        QFAIL(qPrintable(tool + QStringLiteral(" is missing (scripts/setup installs it)")));
    }
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(tool, args << prefix_ + QLatin1Char('/') + file);
    QVERIFY(p.waitForFinished(60000));
    QVERIFY2(p.exitCode() == 0, p.readAll().constData());
}

QProcess* TestInstall::userProcess(const QString& program, const QStringList& args) {
    auto* p = new QProcess(this);
    QProcessEnvironment env;
    env.insert(QStringLiteral("HOME"), home_);
    env.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("TMPDIR"), home_ + QStringLiteral("/tmp"));
    p->setProcessEnvironment(env);
    p->setWorkingDirectory(home_);
    const uid_t uid = uid_;
    const gid_t gid = gid_;
    p->setChildProcessModifier([uid, gid] {
        if (::getuid() != 0) return;
        if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0) ::_exit(111);
    });
    p->start(prefix_ + QStringLiteral("/bin/") + program, args);
    return p;
}

QMap<QString, QByteArray> TestInstall::snapshot() const {
    QMap<QString, QByteArray> files;
    QDirIterator it(prefix_, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        QByteArray digest = "dir";
        if (it.fileInfo().isFile() && f.open(QIODevice::ReadOnly))
            digest = QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
        files.insert(path, digest);
    }
    return files;
}

void TestInstall::runsAsUserWithFreshHome() {
    const QMap<QString, QByteArray> before = snapshot();
    QVERIFY(QDir().mkpath(home_ + QStringLiteral("/tmp")));
    QVERIFY(::chown((home_ + QStringLiteral("/tmp")).toLocal8Bit().constData(), uid_, gid_) == 0);
    const QString own = home_ + QStringLiteral("/.local/share/zarvex/");

    // The tool makes the user's folders and renders the user's copy of the template.
    const QString png = home_ + QStringLiteral("/side.png");
    QProcess* cli =
        userProcess(QStringLiteral("zarvex-cli"),
                    {QStringLiteral("render"), own + QStringLiteral("ZVX/vorlage.zvx"),
                     QStringLiteral("--side"), QStringLiteral("1"), QStringLiteral("-o"), png});
    QVERIFY(cli->waitForFinished(60000));
    QVERIFY2(cli->exitCode() == 0, cli->readAllStandardError().constData());
    QVERIFY(QFile::exists(png));
    for (const char* d : {"ZVX", "BILDER", "texturen", "TEXTE", "VERZEICH"})
        QVERIFY2(QFileInfo(own + QLatin1String(d)).isDir(), d);
    QVERIFY(QFile::exists(own + QStringLiteral("zarvex.INI")));
    QVERIFY(QFile::exists(own + QStringLiteral("texturen/holz.jpg")));
    QVERIFY(QFileInfo(own + QStringLiteral("zarvex.INI")).isWritable());

    // The window program starts with the language already chosen, takes a second start's
    // file over the socket, and ends when it is stopped.
    {
        QFile ini(own + QStringLiteral("zarvex.INI"));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QByteArray text = ini.readAll().replace("sprache=0", "sprache=44");
        ini.close();
        QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write(text);
    }
    QProcess* window = userProcess(QStringLiteral("zarvex"), {});
    QVERIFY(window->waitForStarted());
    QTest::qWait(2000);
    QCOMPARE(window->state(), QProcess::Running);
    QProcess* second =
        userProcess(QStringLiteral("zarvex"), {own + QStringLiteral("ZVX/vorlage.zvx")});
    QVERIFY(second->waitForFinished(30000));
    QCOMPARE(second->exitCode(), 0);
    QTest::qWait(500);
    QCOMPARE(window->state(), QProcess::Running);
    window->terminate();
    QVERIFY(window->waitForFinished(30000));

    // Everything the programs wrote is below the home folder; the installed tree is as it was.
    QCOMPARE(snapshot(), before);
}

void TestInstall::unwritableHomeGetsAMessage() {
    if (::getuid() != 0) QSKIP("needs a user who cannot write the home folder");
    const QString home = home_;
    home_ = prefix_; // the installed tree: that user may not write there
    QProcess* cli =
        userProcess(QStringLiteral("zarvex-cli"), {QStringLiteral("dump"), QStringLiteral("x.zvx"),
                                                   QStringLiteral("--side"), QStringLiteral("1")});
    home_ = home;
    QVERIFY(cli->waitForFinished(60000));
    QCOMPARE(cli->exitStatus(), QProcess::NormalExit);
    QVERIFY(cli->exitCode() != 0);
    QVERIFY2(cli->readAllStandardError().contains("cannot be created"), "no clear message");
}

void TestInstall::packagePassesLintian() {
    for (const char* tool : {"cpack", "dpkg-deb", "dpkg-shlibdeps", "lintian"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            QFAIL(qPrintable(QLatin1String(tool) + QStringLiteral(" is missing (scripts/setup)")));
    const auto run = [](const QString& program, const QStringList& args, const QString& dir) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.setWorkingDirectory(dir);
        p.start(program, args);
        const bool ended = p.waitForFinished(480000);
        const QString output = QString::fromLocal8Bit(p.readAll());
        return std::pair{ended && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0,
                         output};
    };
    const QString build = QDir(QStringLiteral(ZARVEX_STAGE_DIR "/..")).absolutePath();
    const QString out = tmp_.filePath(QStringLiteral("package"));
    const auto [packed, packLog] =
        run(QStringLiteral("cpack"),
            {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("-B"), out}, build);
    QVERIFY2(packed, qPrintable(packLog));
    const QStringList debs = QDir(out).entryList({QStringLiteral("*.deb")});
    QCOMPARE(debs.size(), 1);
    const QString deb = QDir(out).filePath(debs.first());

    // No error; the warnings left are shown in the test's output.
    const auto [clean, report] =
        run(QStringLiteral("lintian"), {QStringLiteral("--fail-on"), QStringLiteral("error"), deb},
            out);
    if (!report.isEmpty()) qInfo().noquote() << report;
    QVERIFY2(clean, qPrintable(report));

    // The licence in the machine-readable form, and the changelog beside it.
    const QString tree = tmp_.filePath(QStringLiteral("unpacked"));
    QVERIFY(run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), deb, tree}, out).first);
    QFile copyright(tree + QStringLiteral("/usr/share/doc/zarvex/copyright"));
    QVERIFY(copyright.open(QIODevice::ReadOnly));
    const QByteArray text = copyright.readAll();
    QVERIFY(text.startsWith(
        "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"));
    QVERIFY(text.contains("\nFiles: *\n") && text.contains("\nLicense: GPL-3+\n"));
    QVERIFY(QFile::exists(tree + QStringLiteral("/usr/share/doc/zarvex/changelog.gz")));
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
