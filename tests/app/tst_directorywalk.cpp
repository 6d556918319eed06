#include "app/sdimain.h"
#include "app/startup.h"
#include "directory/verzeich.h"
#include "platform/paths.h"
#include "platform/textcodec.h"
#include "scripteddialogs.h"
#include "testprogdir.h"
#include "xvfbtest.h"

#include <cstdio>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <unistd.h>
#include <vector>

// A user's way to a listing with the keyboard, on a real X server (see main below): Edit ▸
// Directory…, Ctrl+L, the folder typed, Return, Return, Save as; and a folder dropped onto
// the window.
class TestDirectoryWalk : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void typedFolderReachesTheSavedCover();
    void droppedFolderOpensTheDialog();

private:
    // Runs work on the directory dialog once it is the active modal window.
    void whenDialogActive(std::function<void(TDlgVerzeichnis&)> work);
    TestProgDir prog_;
    QTemporaryDir tree_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<TSDIAppForm> window_;
};

void TestDirectoryWalk::initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
    QStandardPaths::setTestModeEnabled(true);
    writeTextLines(prog_.file(IniNameFor(fileNamePart(QCoreApplication::applicationFilePath()))),
                   {"[EINSTELLUNGEN]", "sprache=44", "vorlage=ZVX/vorlage.zvx"});
    for (const char* d : {"Musik/Jazz", "Musik/Pop", "Fotos"})
        QVERIFY(QDir().mkpath(tree_.filePath(QLatin1String(d))));
    dialogs_ = std::make_unique<ScriptedDialogs>();
    window_ = std::make_unique<TSDIAppForm>(*dialogs_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void TestDirectoryWalk::whenDialogActive(std::function<void(TDlgVerzeichnis&)> work) {
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [poll, work] {
        auto* dlg = qobject_cast<TDlgVerzeichnis*>(QApplication::activeModalWidget());
        if (!dlg || !dlg->isActiveWindow()) return;
        poll->deleteLater();
        poll->stop();
        work(*dlg);
    });
    poll->start(50);
}

void TestDirectoryWalk::typedFolderReachesTheSavedCover() {
    const QString folder = tree_.filePath("Musik");
    bool closed = false;
    whenDialogActive([&](TDlgVerzeichnis& dlg) {
        QTest::keyClick(&dlg, Qt::Key_L, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), folder);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // reads
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // OK
        closed = !dlg.isVisible();
        if (!closed) dlg.reject();
    });
    window_->MenuVerzeichnis->trigger(); // Edit ▸ Directory…
    QVERIFY(closed);

    const QString saved = tree_.filePath("walk.zvx");
    dialogs_->answerSaveFile(saved);
    window_->Speichernunter1->trigger(); // Save as
    QVERIFY(dialogs_->allAnswered());
    const QStringList lines = readTextLines(saved);
    const qsizetype heading = lines.indexOf(folder + "/");
    QVERIFY2(heading > 0, qPrintable(lines.join('\n')));
    QCOMPARE(lines.mid(heading, 5), (QStringList{folder + "/", "Jazz", "", "Pop", ""}));
}

void TestDirectoryWalk::droppedFolderOpensTheDialog() {
    const QString folder = tree_.filePath("Fotos");
    DirectoryListing listing;
    whenDialogActive([&](TDlgVerzeichnis& dlg) {
        listing = dlg.Model.Listing;
        dlg.OKBtn->click();
    });
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(folder)});
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window_.get(), &enter);
    QVERIFY(enter.isAccepted());
    QCoreApplication::sendEvent(window_.get(), &drop);
    QVERIFY(drop.isAccepted());
    dialogs_->answerMessage(MsgResult::Ok); // "Found no sub-directories in start-path!"
    QTRY_COMPARE(listing, DirectoryListing{folder + "/"});
    QCOMPARE(window_->document().VerzListe[window_->document().AktSeite], listing);
}

ZARVEX_XVFB_TEST_MAIN(TestDirectoryWalk)

#include "tst_directorywalk.moc"
