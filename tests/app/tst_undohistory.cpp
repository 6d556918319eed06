#include "app/historyactions.h"
#include "app/languageswitch.h"
#include "app/recentfiles.h"
#include "app/sdimain.h"
#include "app/startup.h"
#include "content/fmtrand.h"
#include "content/fmtueber.h"
#include "document/coverfile.h"
#include "document/documenthistory.h"
#include "platform/inifile.h"
#include "platform/paths.h"
#include "platform/textcodec.h"
#include "render/previewbox.h"
#include "scripteddialogs.h"
#include "testprogdir.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

namespace {
using Action = std::function<void(TSDIAppForm&, ScriptedDialogs&)>;
using Value = std::function<QString(const CoverDocument&)>;

void writeSettings(const TestProgDir& prog, int sprache) {
    writeTextLines(
        prog.file(IniNameFor(fileNamePart(QCoreApplication::applicationFilePath()))),
        {"[EINSTELLUNGEN]", QStringLiteral("sprache=%1").arg(sprache), "vorlage=ZVX/vorlage.zvx"});
}

// Works the modal window that opens next, then closes it with OK.
void acceptNextWindow(std::function<void(QDialog&)> work = {}) {
    QTimer::singleShot(0, [work] {
        auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        if (work) work(*dlg);
        dlg->done(1);
    });
}

void type(QLineEdit* edit, const QString& text, bool enter) {
    QTest::keyClicks(edit, text);
    if (enter) {
        QTest::keyClick(edit, Qt::Key_Return);
    } else {
        QFocusEvent out(QEvent::FocusOut);
        QCoreApplication::sendEvent(edit, &out);
    }
}

QString undoText(TSDIAppForm& w) {
    return w.HistoryItems->MenuRueckgaengig->text();
}
QString redoText(TSDIAppForm& w) {
    return w.HistoryItems->MenuWiederherstellen->text();
}
} // namespace

// Undo and redo of the document, the recent covers, the language from the menu and the
// window's own extras, run on the main window with scripted answers.
class TestUndoHistory : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyKindOfStep_data();
    void everyKindOfStep();
    void savePointsNewAndOpen();
    void recentFiles();
    void languageFromTheMenu();
    void wheelZoomAndDrop();
};

void TestUndoHistory::everyKindOfStep_data() {
    QTest::addColumn<int>("side");
    QTest::addColumn<QString>("name");
    QTest::addColumn<Action>("change");
    QTest::addColumn<Value>("value");
    QTest::newRow("header text, Enter")
        << 1 << "header text"
        << Action([](TSDIAppForm& w, ScriptedDialogs&) { type(w.EditKopfzeile, "Neu", true); })
        << Value([](const CoverDocument& d) { return d.KopfText[1]; });
    QTest::newRow("footer text, focus lost")
        << 1 << "footer text"
        << Action([](TSDIAppForm& w, ScriptedDialogs&) { type(w.EditFusszeile, "Fuss", false); })
        << Value([](const CoverDocument& d) { return d.FussText[1]; });
    QTest::newRow("margin text") << 2 << "border text"
                                 << Action([](TSDIAppForm& w, ScriptedDialogs&) {
                                        type(w.EditRandtext, "Rand", true);
                                    })
                                 << Value([](const CoverDocument& d) { return d.RandText; });
    QTest::newRow("header check box")
        << 1 << "header on/off"
        << Action([](TSDIAppForm& w, ScriptedDialogs&) { w.CheckKopfzeile->click(); })
        << Value([](const CoverDocument& d) { return QString::number(d.KopfFormat[1].Sichtbar); });
    QTest::newRow("footer check box")
        << 2 << "footer on/off"
        << Action([](TSDIAppForm& w, ScriptedDialogs&) { w.CheckFusszeile->click(); })
        << Value([](const CoverDocument& d) { return QString::number(d.FussFormat[2].Sichtbar); });
    QTest::newRow("header format")
        << 1 << "header format" << Action([](TSDIAppForm& w, ScriptedDialogs&) {
               acceptNextWindow([&w](QDialog&) { w.DlgFormatKopfFuss->CheckFett->click(); });
               w.BtnFormatKopf->click();
           })
        << Value([](const CoverDocument& d) { return QString::number(d.KopfFormat[1].Fett); });
    QTest::newRow("footer format")
        << 1 << "footer format" << Action([](TSDIAppForm& w, ScriptedDialogs&) {
               acceptNextWindow([&w](QDialog&) { w.DlgFormatKopfFuss->CheckKursiv->click(); });
               w.BtnFormatFuss->click();
           })
        << Value([](const CoverDocument& d) { return QString::number(d.FussFormat[1].Kursiv); });
    QTest::newRow("margin format")
        << 2 << "border format" << Action([](TSDIAppForm& w, ScriptedDialogs&) {
               acceptNextWindow([&w](QDialog&) { w.DlgFormatRandtext->CheckFett->click(); });
               w.BtnFormatRand->click();
           })
        << Value([](const CoverDocument& d) { return QString::number(d.RandFormat.Fett); });
    QTest::newRow("background colour")
        << 1 << "background colour" << Action([](TSDIAppForm& w, ScriptedDialogs& dialogs) {
               dialogs.answerColor(0x0000FF);
               w.BtnHintergrundfarbe->click();
           })
        << Value([](const CoverDocument& d) { return QString::number(d.HgFormat[1].Farbe); });
    QTest::newRow("texture background")
        << 1 << "background picture"
        << Action([](TSDIAppForm& w, ScriptedDialogs&) { w.RadioHgBild->click(); })
        << Value([](const CoverDocument& d) { return QString::number(d.HgFormat[1].Art); });
    QTest::newRow("texture added")
        << 2 << "background picture" << Action([](TSDIAppForm& w, ScriptedDialogs& dialogs) {
               const QString picture = w.ProgDir + "BILDER/Kacheln.bmp";
               QImage(4, 4, QImage::Format_RGB32).save(picture, "BMP");
               dialogs.answerOpenFile(picture);
               w.BtnTexturHinzufuegen->click();
           })
        << Value([](const CoverDocument& d) { return d.HgFormat[2].Textur; });
    QTest::newRow("case layout")
        << 0 << "case layout"
        << Action([](TSDIAppForm& w, ScriptedDialogs&) { w.ComboCoverLayout->setCurrentIndex(1); })
        << Value([](const CoverDocument& d) { return QString::number(d.CoverLayout); });
    QTest::newRow("text dialog") << 1 << "text" << Action([](TSDIAppForm& w, ScriptedDialogs&) {
        acceptNextWindow();
        w.MenuText->trigger();
    }) << Value([](const CoverDocument& d) { return QString::number(d.Inhalt[1]); });
    QTest::newRow("picture dialog")
        << 2 << "picture" << Action([](TSDIAppForm& w, ScriptedDialogs&) {
               acceptNextWindow();
               w.BtnBild->click();
           })
        << Value([](const CoverDocument& d) { return QString::number(d.Inhalt[2]); });
    QTest::newRow("directory dialog")
        << 1 << "directory" << Action([](TSDIAppForm& w, ScriptedDialogs&) {
               acceptNextWindow();
               w.MenuVerzeichnis->trigger();
           })
        << Value([](const CoverDocument& d) { return QString::number(d.Inhalt[1]); });
}

void TestUndoHistory::everyKindOfStep() {
    QFETCH(int, side);
    QFETCH(QString, name);
    QFETCH(Action, change);
    QFETCH(Value, value);
    TestProgDir prog;
    writeSettings(prog, 44);
    ScriptedDialogs dialogs;
    TSDIAppForm w(dialogs);
    w.FormShow();
    QVERIFY(!w.HistoryItems->MenuRueckgaengig->isEnabled());
    QCOMPARE(undoText(w), QString("&Undo"));
    w.ShowSide(side);
    const QString before = value(w.document());

    change(w, dialogs);
    const QString after = value(w.document());
    QVERIFY2(after != before, qPrintable(after));
    QVERIFY(w.document().Geaendert);
    QCOMPARE(undoText(w), "&Undo " + name);
    QCOMPARE(w.History->count(), 1);

    // Undo puts the value back on the side it was changed on, from another side.
    const auto panelShows = [&](int s) {
        const CoverDocument& d = w.document();
        QCOMPARE(d.AktSeite, s);
        QVERIFY(w.sideButtons()[s]->isChecked());
        QCOMPARE(w.ComboCoverLayout->currentIndex(), int(d.CoverLayout));
        QCOMPARE(w.EditKopfzeile->text(), d.KopfText[s]);
        QCOMPARE(w.EditFusszeile->text(), d.FussText[s]);
        QCOMPARE(w.CheckKopfzeile->isChecked(), d.KopfFormat[s].Sichtbar == 1);
        QCOMPARE(w.MenuText->isChecked(), d.Inhalt[s] == 2);
    };
    w.ShowSide(side == 0 ? 1 : 0);
    w.HistoryItems->MenuRueckgaengig->trigger();
    QCOMPARE(value(w.document()), before);
    panelShows(side);
    QVERIFY(!w.document().Geaendert); // back at the state opened
    QVERIFY(!w.HistoryItems->MenuRueckgaengig->isEnabled());
    QCOMPARE(redoText(w), "&Redo " + name);

    w.ShowSide(side == 0 ? 1 : 0);
    w.HistoryItems->MenuWiederherstellen->trigger();
    QCOMPARE(value(w.document()), after);
    panelShows(side);
    QVERIFY(w.document().Geaendert);
    QVERIFY(!w.HistoryItems->MenuWiederherstellen->isEnabled());
    QVERIFY(dialogs.allAnswered());
}

void TestUndoHistory::savePointsNewAndOpen() {
    TestProgDir prog;
    writeSettings(prog, 44);
    CoverDocument own;
    own.reset();
    const QString path = prog.file("ZVX/eigen.zvx");
    CoverFile::save(path, own);
    ScriptedDialogs dialogs;
    TSDIAppForm w(dialogs);
    w.FormShow();
    QVERIFY(w.commands().openFile(path));
    const CoverDocument& d = w.document();

    type(w.EditKopfzeile, "A", true);
    w.SaveBtn->click(); // in place: the save point
    QVERIFY(!d.Geaendert);
    // Typing not yet finished becomes a step of its own before the next change.
    QTest::keyClicks(w.EditKopfzeile, "B");
    w.CheckFusszeile->click();
    QCOMPARE(w.History->count(), 3);
    QCOMPARE(undoText(w), QString("&Undo footer on/off"));
    w.HistoryItems->MenuRueckgaengig->trigger();
    QCOMPARE(undoText(w), QString("&Undo header text"));
    QVERIFY(d.Geaendert);
    w.HistoryItems->MenuRueckgaengig->trigger();
    QCOMPARE(d.KopfText[0], QString("A"));
    QVERIFY(!d.Geaendert);
    w.Neu1->trigger(); // nothing to ask: the document is as saved (no answer is queued)
    QCOMPARE(d.DateiName, prog.file("ZVX/vorlage.zvx"));
    QVERIFY(!w.History->canUndo() && !w.History->canRedo());

    QVERIFY(w.commands().openFile(path));
    QVERIFY(!w.History->canUndo() && !w.History->canRedo());

    // More than the limit: the last Limit steps can be undone.
    for (int i = 0; i < DocumentHistory::Limit + 5; ++i)
        type(w.EditKopfzeile, QString::number(i % 10), true);
    QCOMPARE(w.History->count(), DocumentHistory::Limit);
    for (int i = 0; i < DocumentHistory::Limit; ++i)
        w.History->undo();
    QVERIFY(!w.History->canUndo());
    QCOMPARE(d.KopfText[0], QString("A01234"));
    QVERIFY(d.Geaendert);
    dialogs.answerMessage(MsgResult::No); // New asks
    w.Neu1->trigger();
    QVERIFY(!w.History->canUndo() && !d.Geaendert);
    QVERIFY(dialogs.allAnswered());
}

void TestUndoHistory::recentFiles() {
    TestProgDir prog;
    const QString settings = prog.file("recent.conf");
    {
        RecentFiles list(settings);
        for (int i = 0; i < 10; ++i)
            list.add(QString("/covers/%1.zvx").arg(i));
        list.add("/covers/5.zvx"); // moves up, not twice
        list.add("/covers//x/../3.zvx");
    }
    const RecentFiles again(settings);
    QCOMPARE(again.files(),
             (QStringList{"/covers/3.zvx", "/covers/5.zvx", "/covers/9.zvx", "/covers/8.zvx",
                          "/covers/7.zvx", "/covers/6.zvx", "/covers/4.zvx", "/covers/2.zvx"}));

    // In the window: covers opened and saved, newest first, above Exit.
    writeSettings(prog, 44);
    CoverDocument cover;
    cover.reset();
    const QString a = prog.file("ZVX/a&b.zvx"), b = prog.file("ZVX/b.zvx");
    CoverFile::save(a, cover);
    cover.KopfText[0] = "B";
    CoverFile::save(b, cover);
    ScriptedDialogs dialogs;
    TSDIAppForm w(dialogs);
    w.FormShow();
    QVERIFY(!w.Recent->menuItems().first()->isVisible()); // a fresh user: no list
    QVERIFY(w.commands().openFile(a));
    dialogs.answerSaveFile(b).answerMessage(MsgResult::Ok); // Save as over b
    w.Speichernunter1->trigger();
    const QList<QAction*> items = w.Recent->menuItems();
    QCOMPARE(items[0]->text(), QString("&1 b.zvx"));
    QCOMPARE(items[0]->statusTip(), b);
    QCOMPARE(items[1]->text(), QString("&2 a&&b.zvx"));
    QVERIFY(items[1]->isVisible() && !items[2]->isVisible());
    const QList<QAction*> menu = w.FileMenu->actions();
    QCOMPARE(menu.indexOf(items.last()) + 2, menu.indexOf(w.ExitItem)); // then a separator

    // Choosing one asks the save question first; a file gone is taken off with a message.
    type(w.EditKopfzeile, "neu", true);
    dialogs.answerMessage(MsgResult::No);
    items[1]->trigger();
    QCOMPARE(w.document().DateiName, a);
    QCOMPARE(items[0]->statusTip(), a);
    QVERIFY(QFile::remove(b));
    dialogs.answerMessage(MsgResult::Ok);
    items[1]->trigger();
    QVERIFY(dialogs.messages().last().contains(b));
    QCOMPARE(w.Recent->files(), QStringList{a});
    QCOMPARE(w.document().DateiName, a);
    QVERIFY(dialogs.allAnswered());
}

void TestUndoHistory::languageFromTheMenu() {
    TestProgDir prog;
    writeSettings(prog, 49);
    ScriptedDialogs dialogs;
    TSDIAppForm w(dialogs);
    w.FormShow();
    QDialogButtonBox qtButtons(QDialogButtonBox::Cancel); // one of Qt's own texts
    const auto shows = [&](bool german) {
        QCOMPARE(w.FileMenu->title(), german ? QString("&Datei") : QString("&File"));
        QCOMPARE(w.ComboCoverLayout->itemText(3),
                 german ? QString("CD-Hülle-Bastelbogen") : QString("CD-Paper-Case"));
        QCOMPARE(w.DlgFormatRandtext->windowTitle(),
                 german ? QString("Randtext formatieren...") : QString("Format border-text..."));
        QCOMPARE(w.CheckKopfzeile->text(), german ? QString("Kopfzeile") : QString("Top"));
        QCOMPARE(undoText(w), german ? QString("&Rückgängig") : QString("&Undo"));
        QCOMPARE(w.Languages->MenuSprache->title(),
                 german ? QString("&Sprache") : QString("&Language"));
        QVERIFY(w.Languages->MenuDeutsch->isChecked() == german);
        QVERIFY(w.Languages->MenuEnglish->isChecked() == !german);
        QTRY_COMPARE(qtButtons.button(QDialogButtonBox::Cancel)->text(), // posted by Qt
                     german ? QString("Abbrechen") : QString("Cancel"));
        QCOMPARE(w.Sprache, german ? 49 : 44);
        const IniFile ini(
            prog.file(IniNameFor(fileNamePart(QCoreApplication::applicationFilePath()))));
        QCOMPARE(ini.readInteger("EINSTELLUNGEN", "sprache", 0), german ? 49 : 44);
    };
    shows(true);
    w.Languages->MenuEnglish->trigger();
    shows(false);
    w.Languages->MenuDeutsch->trigger();
    shows(true);
    QCOMPARE(w.HistoryItems->MenuRueckgaengig->statusTip(),
             QString("Den letzten Schritt zurücknehmen"));
}

void TestUndoHistory::wheelZoomAndDrop() {
    TestProgDir prog;
    writeSettings(prog, 44);
    ScriptedDialogs dialogs;
    TSDIAppForm w(dialogs);
    w.FormShow();
    // Ctrl + wheel: one zoom step per notch, within 1.0 .. 2.0; the plain wheel scrolls.
    QList<double> zooms;
    for (int notches : {1, 1, 1, -1, -3, 1}) {
        QWheelEvent wheel(QPointF(50, 50), w.Vorschau->mapToGlobal(QPointF(50, 50)), QPoint(),
                          QPoint(0, 120 * notches), Qt::NoButton, Qt::ControlModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(w.Vorschau, &wheel);
        zooms << w.Zoom;
    }
    QCOMPARE(zooms, (QList<double>{1.5, 2.0, 2.0, 1.5, 1.0, 1.5}));

    // A dropped cover opens after the save question; a file that is no cover is not taken
    // (a folder goes to the directory dialog).
    CoverDocument cover;
    cover.reset();
    cover.KopfText[0] = "Fallen gelassen";
    const QString path = prog.file("ZVX/DROP.ZVX");
    CoverFile::save(path, cover);
    const auto drop = [&](const QString& file) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &dropped);
        return dropped.isAccepted();
    };
    QVERIFY(!drop(prog.file("zarvex.INI")));
    w.document().Geaendert = true;
    dialogs.answerMessage(MsgResult::No);
    QVERIFY(drop(path));
    QTRY_COMPARE(w.document().DateiName, path);
    QCOMPARE(w.EditKopfzeile->text(), QString("Fallen gelassen"));
    QVERIFY(dialogs.allAnswered());
}

QTEST_MAIN(TestUndoHistory)
#include "tst_undohistory.moc"
