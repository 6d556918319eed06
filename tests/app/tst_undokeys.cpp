#include "app/sdimain.h"
#include "app/startup.h"
#include "document/coverfile.h"
#include "platform/paths.h"
#include "platform/textcodec.h"
#include "scripteddialogs.h"
#include "testprogdir.h"
#include "xvfbtest.h"

#include <cstdio>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <unistd.h>
#include <vector>

// Undo and redo from the keyboard in the real window on an X server: Edit > Text... with
// OK, Ctrl+Z, Ctrl+Y, each saved with Ctrl+S and read back from the file (see main below).
class TestUndoKeys : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textSideUndoneAndRedoneByKeys();
};

void TestUndoKeys::textSideUndoneAndRedoneByKeys() {
    QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
    TestProgDir prog;
    writeTextLines(prog.file(IniNameFor(fileNamePart(QCoreApplication::applicationFilePath()))),
                   {"[EINSTELLUNGEN]", "sprache=44", "vorlage=ZVX/vorlage.zvx"});
    CoverDocument cover;
    cover.reset();
    const QString path = prog.file("ZVX/tasten.zvx");
    CoverFile::save(path, cover);

    ScriptedDialogs dialogs;
    TSDIAppForm w(dialogs);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(w.commands().openFile(path));
    const auto savedKind = [&] {
        QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
        CoverDocument read;
        read.reset();
        CoverFile::load(path, read, CoverFile::Reader::ByFirstLine);
        return int(read.Inhalt[0]);
    };

    QTimer::singleShot(0, [] {
        auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        dlg->done(1);
    });
    w.MenuText->trigger();
    QCOMPARE(w.document().Inhalt[0], quint8(2));
    QCOMPARE(savedKind(), 2);

    // In a field with no typing of its own, Ctrl+Z is the document's undo.
    w.EditKopfzeile->setFocus();
    QTRY_VERIFY(w.EditKopfzeile->hasFocus());
    QTest::keyClick(w.EditKopfzeile, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.document().Inhalt[0], quint8(0));
    QVERIFY(!w.MenuText->isChecked());
    QCOMPARE(savedKind(), 0);

    QTest::keyClick(&w, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(w.document().Inhalt[0], quint8(2));
    QVERIFY(w.MenuText->isChecked());
    QCOMPARE(savedKind(), 2);
    QVERIFY(!w.document().Geaendert);

    // Typing in the field is undone by the field itself first.
    QTest::keyClicks(w.EditKopfzeile, "a");
    QTest::keyClick(w.EditKopfzeile, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.EditKopfzeile->text(), QString());
    QCOMPARE(w.document().Inhalt[0], quint8(2));
    QVERIFY(dialogs.allAnswered());
}

ZARVEX_XVFB_TEST_MAIN(TestUndoKeys)

#include "tst_undokeys.moc"
