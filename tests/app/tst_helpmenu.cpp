#include "app/about.h"
#include "app/sdimain.h"
#include "app/startup.h"
#include "directory/listingfile.h"
#include "platform/paths.h"
#include "platform/stringtable.h"
#include "platform/textcodec.h"
#include "platform/versioninfo.h"
#include "scripteddialogs.h"
#include "testprogdir.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QUrl>

// The Help menu, the About box and the one home page address shared by the menu, the help
// pages and the listings' web page export.
class TestHelpMenu : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void itemsOpenTheirTargets_data();
    void itemsOpenTheirTargets();
    void aboutBoxTexts_data();
    void aboutBoxTexts();
    void infoShowsAboutBoxModally();
    void homePageIsOneAddress_data();
    void homePageIsOneAddress();
};

void TestHelpMenu::itemsOpenTheirTargets_data() {
    QTest::addColumn<QString>("item"); // object name of the menu item, or "F1"
    QTest::addColumn<int>("sprache");
    QTest::addColumn<QString>("opened"); // below the program directory, or a web address
    QTest::newRow("F1 German") << "F1" << 49 << "hilfe/de/workshops.htm";
    QTest::newRow("F1 English") << "F1" << 44 << "hilfe/workshops.htm";
    QTest::newRow("F1 no language") << "F1" << 0 << "hilfe/workshops.htm";
    QTest::newRow("FAQ German") << "MenuHilfeTippsTricks" << 49 << "hilfe/de/faq.htm";
    QTest::newRow("FAQ English") << "MenuHilfeTippsTricks" << 44 << "hilfe/faq.htm";
    QTest::newRow("manual German") << "MenuHilfeHandbuch" << 49 << "hilfe/de/manual.htm";
    QTest::newRow("manual English") << "MenuHilfeHandbuch" << 3 << "hilfe/manual.htm";
    QTest::newRow("email German") << "MenuHilfeEmail" << 49 << "hilfe/de/feedback.htm";
    QTest::newRow("email English") << "MenuHilfeEmail" << 44 << "hilfe/feedback.htm";
    // No web site yet: the home page is the help's start page.
    QTest::newRow("homepage German") << "MenuHilfeHomepage" << 49 << "hilfe/de/index.htm";
    QTest::newRow("homepage English") << "MenuHilfeHomepage" << 44 << "hilfe/index.htm";
}

void TestHelpMenu::itemsOpenTheirTargets() {
    QFETCH(QString, item);
    QFETCH(int, sprache);
    QFETCH(QString, opened);
    TestProgDir prog;
    writeTextLines(prog.file(IniNameFor(fileNamePart(QCoreApplication::applicationFilePath()))),
                   {"[EINSTELLUNGEN]", "sprache=49", "vorlage=ZVX/vorlage.zvx"});
    ScriptedDialogs dialogs;
    TSDIAppForm w(dialogs);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Sprache = sprache; // the language code decides, not the interface language
    if (item == "F1") {
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_F1);
    } else if (item == "MenuHilfeHandbuch") {
        // The manual item is hidden and with that off: no menu or key reaches it.
        QVERIFY(!w.MenuHilfeHandbuch->isVisible() && !w.MenuHilfeHandbuch->isEnabled());
        QVERIFY(w.MenuHilfeHandbuch->shortcut().isEmpty());
        w.MenuOnlineHandbuch();
    } else {
        QAction* a = w.findChild<QAction*>(item);
        QVERIFY(a && a->isEnabled());
        a->trigger();
    }
    const QString expected = opened.contains("://") ? opened : prog.path() + opened;
    QCOMPARE(dialogs.opened(), QStringList{expected});
    QVERIFY(dialogs.asked().isEmpty()); // nothing to answer, no message
}

void TestHelpMenu::aboutBoxTexts_data() {
    QTest::addColumn<bool>("versionOK");
    QTest::addColumn<QStringList>("labels"); // product, version, company
    QTest::newRow("record read") << true << QStringList{"Product", "Version 1.2.4", "Company"};
    QTest::newRow("no record, designed texts")
        << false << QStringList{"Zarvex!", "Version", "Zarvex project"};
}

void TestHelpMenu::aboutBoxTexts() {
    QFETCH(bool, versionOK);
    QFETCH(QStringList, labels);
    TKVVersionInfo info{1, 2, 3, 4, {"040704E4", "Company"}};
    info.Strings << QStringList(6) << "Product";
    ScriptedDialogs dialogs;
    TAboutBox box(dialogs, info, versionOK);
    QCOMPARE((QStringList{box.ProductName->text(), box.Version->text(), box.CompanyName->text()}),
             labels);
    QVERIFY(!box.CompanyName->isVisibleTo(&box));
    QVERIFY(box.OKButton->isDefault());
    QCOMPARE(box.minimumSize(), box.maximumSize()); // fixed size
}

void TestHelpMenu::infoShowsAboutBoxModally() {
    TestProgDir prog;
    ScriptedDialogs dialogs;
    TSDIAppForm w(dialogs);
    w.AskLanguage = [] { return 44; };
    dialogs.answerMessage(MsgResult::Ok); // no settings: the template "ERROR" is missing
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_VERIFY(dialogs.allAnswered());
    // The record the window read: the build's version, without its release number.
    QCOMPARE(w.AboutBox->Version->text(), QStringLiteral("Version %1.%2.%3")
                                              .arg(w.VersionInfo.Major)
                                              .arg(w.VersionInfo.Minor)
                                              .arg(w.VersionInfo.Build));
    QCOMPARE(w.AboutBox->windowTitle(), QString("About..."));
    bool wasModal = false;
    QPoint offCentre;
    QTimer::singleShot(0, [&] {
        wasModal = QApplication::activeModalWidget() == w.AboutBox;
        offCentre = w.AboutBox->frameGeometry().center() -
                    w.AboutBox->screen()->availableGeometry().center();
        w.AboutBox->BtnAutor->click();
        w.AboutBox->OKButton->click();
    });
    w.MenuHilfeInfo->trigger();
    QVERIFY(wasModal);
    QVERIFY2(offCentre.manhattanLength() <= 1, "centred on the screen");
    QCOMPARE(w.AboutBox->result(), 1);
    QCOMPARE(dialogs.opened(), QStringList{prog.path() + "hilfe/contact.htm"});
}

void TestHelpMenu::homePageIsOneAddress_data() {
    QTest::addColumn<int>("sprache");
    QTest::addColumn<QString>("pages");
    QTest::newRow("German") << 49 << "hilfe/de";
    QTest::newRow("English") << 44 << "hilfe";
}

void TestHelpMenu::homePageIsOneAddress() {
    QFETCH(int, sprache);
    QFETCH(QString, pages);
    TestProgDir prog;
    const QString address = QUrl::fromLocalFile(prog.path() + pages + "/index.htm").toString();

    // No page of the help leads to a web address that does not exist yet.
    for (const QString& name : QDir(prog.file(pages)).entryList({"*.htm"}, QDir::Files)) {
        QFile f(prog.file(pages + "/" + name));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY2(!f.readAll().contains("http"), qPrintable(name));
    }

    // The web page export names the start page in its head comment and its closing link.
    SetLanguageOffset(LanguageOffsetFor(sprache));
    QBuffer out;
    QVERIFY(out.open(QIODevice::WriteOnly));
    QVERIFY(WriteListingHtml(out, DirectoryListing{"Disc", " a", ""}));
    const QString html = QString::fromLatin1(out.data());
    QVERIFY(html.startsWith("<HTML>\r\n<!-- " + address + " -->\r\n"));
    QVERIFY(html.contains("<A HREF=\"" + address + "\""));
}

QTEST_MAIN(TestHelpMenu)
#include "tst_helpmenu.moc"
