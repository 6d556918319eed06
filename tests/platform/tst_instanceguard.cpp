#include "platform/instancechannel.h"
#include "platform/instanceguard.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The guard keeps a second copy out and takes over the lock of a copy that died.
class TestInstanceGuard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void secondGuardIsRefused();
    void lockOfDeadProcessIsTakenOver();
    void twoProgramsStartedAtOnce();
    void fileHandedToRunningCopy();

private:
    QTemporaryDir tmp_; // a private temporary folder keeps these locks away from other runs
    QString name_ = QStringLiteral("PREVINST:Zarvex! test");
};

void TestInstanceGuard::initTestCase() {
    QVERIFY(tmp_.isValid());
    qputenv("TMPDIR", tmp_.path().toLocal8Bit());
    QCOMPARE(QDir::tempPath(), QDir(tmp_.path()).canonicalPath());
}

void TestInstanceGuard::secondGuardIsRefused() {
    {
        SingleInstanceGuard first(name_);
        QVERIFY(first.isFirst());
        SingleInstanceGuard second(name_);
        QVERIFY(!second.isFirst());
        SingleInstanceGuard other(QStringLiteral("PREVINST:another program"));
        QVERIFY(other.isFirst());
    }
    SingleInstanceGuard again(name_); // released when the first ended
    QVERIFY(again.isFirst());
}

void TestInstanceGuard::lockOfDeadProcessIsTakenOver() {
    QProcess p;
    p.start(QStringLiteral("true"));
    QVERIFY(p.waitForFinished());
    const qint64 deadPid = p.processId() ? p.processId() : 999999;
    QFile lock(SingleInstanceGuard::lockFilePath(name_));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(deadPid) + "\nzarvex\n" + QSysInfo::machineHostName().toUtf8() +
               "\n");
    lock.close();
    SingleInstanceGuard guard(name_);
    QVERIFY(guard.isFirst());
}

void TestInstanceGuard::twoProgramsStartedAtOnce() {
    // The real program, copied with a settings file that asks for the language, so the
    // running copy sits in its language dialog while the second one starts.
    const QString exe = QStringLiteral(ZARVEX_STAGE_DIR "/zarvex");
    if (!QFile::exists(exe)) QSKIP("the program is not built");
    QTemporaryDir progDir;
    QVERIFY(QFile::copy(exe, progDir.filePath("zarvex")));
    QFile::setPermissions(progDir.filePath("zarvex"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile ini(progDir.filePath("zarvex.INI"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[EINSTELLUNGEN]\r\nsprache=0\r\nvorlage=ZVX/vorlage.zvx\r\n");
    ini.close();

    auto start = [&](QProcess& p) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("TMPDIR", tmp_.path());
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(progDir.filePath("zarvex"), {});
    };
    QProcess a, b;
    start(a);
    start(b);
    QVERIFY(a.waitForStarted() && b.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(a.state() == QProcess::NotRunning || b.state() == QProcess::NotRunning,
                             20000);
    QTest::qWait(1500);
    QProcess& ended = a.state() == QProcess::NotRunning ? a : b;
    QProcess& running = &ended == &a ? b : a;
    QCOMPARE(running.state(), QProcess::Running);
    QCOMPARE(ended.exitStatus(), QProcess::NormalExit);
    QCOMPARE(ended.exitCode(), 0);

    // A copy that crashes leaves its lock behind; the next start must not be blocked.
    running.kill();
    QVERIFY(running.waitForFinished());
    QProcess c;
    start(c);
    QVERIFY(c.waitForStarted());
    QTest::qWait(1500);
    QCOMPARE(c.state(), QProcess::Running);
    c.kill();
    c.waitForFinished();
    // The language question was not answered, so the settings file is unchanged.
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QVERIFY(ini.readAll().contains("sprache=0"));
}

void TestInstanceGuard::fileHandedToRunningCopy() {
    // Nobody listens yet: the second start must notice and beep instead.
    QVERIFY(!InstanceChannel::send(name_, QStringLiteral("/x.zvx"), 200));
    InstanceChannel running(name_);
    QVERIFY(running.listen());
    QStringList received;
    connect(&running, &InstanceChannel::fileReceived, this,
            [&](const QString& path) { received << path; });
    const QString path = QString::fromUtf8("/home/ü ser/My Cover.ZVX");
    QVERIFY(InstanceChannel::send(name_, path));
    QTRY_COMPARE(received, QStringList{path});
    InstanceChannel again(name_); // a socket left by a copy that died is taken over
    QVERIFY(again.listen());
}

QTEST_GUILESS_MAIN(TestInstanceGuard)
#include "tst_instanceguard.moc"
