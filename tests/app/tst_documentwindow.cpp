#include "app/sdimain.h"
#include "app/startup.h"
#include "document/coverfile.h"
#include "platform/paths.h"
#include "platform/textcodec.h"
#include "scripteddialogs.h"
#include "testprogdir.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

// The document commands as the main window runs them: tool buttons, menu items, the case
// layout box and the close question.
class TestDocumentWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startUpOpenSaveAndClose();
    void longLinesStayWhole();
};

void TestDocumentWindow::startUpOpenSaveAndClose() {
    TestProgDir prog;
    writeTextLines(prog.file(IniNameFor(fileNamePart(QCoreApplication::applicationFilePath()))),
                   {"[EINSTELLUNGEN]", "sprache=44", "vorlage=ZVX/vorlage.zvx"});
    CoverDocument own;
    own.reset();
    own.KopfText[0] = QStringLiteral("Mein Cover");
    own.FussFormat[0].Sichtbar = 0;
    own.CoverLayout = 2;
    const QString ownPath = prog.file("ZVX/mein.zvx");
    CoverFile::save(ownPath, own);

    ScriptedDialogs dialogs;
    TSDIAppForm w(dialogs);
    w.FormShow();
    QCOMPARE(w.windowTitle(), QStringLiteral("VORLAGE.ZVX  -  Zarvex!"));
    QVERIFY(w.BtnNew->isEnabled() && w.Speichernunter1->isEnabled());

    dialogs.answerOpenFile(ownPath);
    w.BtnOpen->click();
    QCOMPARE(dialogs.asked().last().request.filter, QStringLiteral("CD-Cover (ZVX)|*.ZVX"));
    QCOMPARE(w.windowTitle(), QStringLiteral("MEIN.ZVX  -  Zarvex!"));
    QCOMPARE(w.ComboCoverLayout->currentIndex(), 2);
    QVERIFY(w.BtnSeiteZwei->isVisibleTo(&w) && !w.BtnSeiteDrei->isVisibleTo(&w));
    QVERIFY(w.MenuVorderInnen->isEnabled() && !w.MenuRueckAussen->isEnabled());
    QCOMPARE(w.EditKopfzeile->text(), QStringLiteral("Mein Cover"));
    QVERIFY(!w.CheckFusszeile->isChecked());
    QVERIFY(w.BtnSeiteEins->isChecked());
    QVERIFY(!w.document().Geaendert); // the layout read from the file changes nothing

    // The user picks the transparent case: all four sides, and a layout to be saved.
    w.ComboCoverLayout->setCurrentIndex(1);
    QVERIFY(w.BtnSeiteVier->isVisibleTo(&w) && w.MenuRueckInnen->isEnabled());
    QCOMPARE(int(w.document().CoverLayout), 1);
    QVERIFY(w.document().Geaendert);

    // Save writes in place without asking.
    w.SaveBtn->click();
    QVERIFY(!w.document().Geaendert);
    QVERIFY(QFile::exists(prog.file("ZVX/mein.bak")));

    // Closing a modified document asks; Cancel keeps the window open.
    w.show();
    w.document().Geaendert = true;
    dialogs.answerMessage(MsgResult::Cancel);
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    dialogs.answerMessage(MsgResult::No);
    QVERIFY(w.close());
    QVERIFY(dialogs.allAnswered());
}

// Header, footer and margin texts far beyond a line edit's usual 32,767 characters are shown,
// kept and saved whole.
void TestDocumentWindow::longLinesStayWhole() {
    TestProgDir prog;
    writeTextLines(prog.file(IniNameFor(fileNamePart(QCoreApplication::applicationFilePath()))),
                   {"[EINSTELLUNGEN]", "sprache=44", "vorlage=ZVX/vorlage.zvx"});
    CoverDocument own;
    own.reset();
    own.CoverLayout = 1;
    for (int s = 0; s < CoverDocument::SideCount; ++s) {
        own.KopfText[s] = QString(40000 + s, QLatin1Char('a' + s));
        own.FussText[s] = QString(70000, QLatin1Char('f'));
    }
    own.RandText = QString(50000, QLatin1Char('r'));
    const QString path = prog.file("ZVX/lang.zvx");
    CoverFile::save(path, own);

    ScriptedDialogs dialogs;
    TSDIAppForm w(dialogs);
    w.FormShow();
    dialogs.answerOpenFile(path);
    w.BtnOpen->click();
    QCOMPARE(w.EditKopfzeile->text(), own.KopfText[0]);
    w.BtnSeiteVier->click();
    QCOMPARE(w.EditFusszeile->text(), own.FussText[3]);
    QCOMPARE(w.EditRandtext->text(), own.RandText);
    w.document().Geaendert = true;
    w.SaveBtn->click();
    QVERIFY(dialogs.allAnswered());

    CoverDocument again;
    again.reset();
    CoverFile::load(path, again, CoverFile::Reader::V20);
    QCOMPARE(again.KopfText, own.KopfText);
    QCOMPARE(again.FussText, own.FussText);
    QCOMPARE(again.RandText, own.RandText);
}

QTEST_MAIN(TestDocumentWindow)
#include "tst_documentwindow.moc"
