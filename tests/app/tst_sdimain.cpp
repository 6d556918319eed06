#include "app/lkzwahl.h"
#include "app/sdimain.h"
#include "app/startup.h"
#include "platform/paths.h"
#include "platform/textcodec.h"
#include "scripteddialogs.h"
#include "testprogdir.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

namespace {
// The settings file the window looks for: named after the running executable.
void writeSettings(const TestProgDir& prog, const QStringList& lines) {
    const QString exe = fileNamePart(QCoreApplication::applicationFilePath());
    writeTextLines(prog.file(IniNameFor(exe)), lines);
}
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void interfaceLanguage_data();
    void interfaceLanguage();
    void languageDialogEndsOnlyByItsButtons();
    void menusAndGroups();
    void sidePanelGeometry();
    void resetValuesAndCaption_data();
    void resetValuesAndCaption();
    void missingDefaultTextureIsReported();
};

void TestMainWindow::interfaceLanguage_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("german");
    QTest::newRow("49 German") << 49 << 0 << true;
    QTest::newRow("44 English") << 44 << 0 << false;
    QTest::newRow("other value English") << 3 << 0 << false;
    QTest::newRow("first start, German chosen") << 0 << 49 << true;
    QTest::newRow("first start, English chosen") << 0 << 44 << false;
}

void TestMainWindow::interfaceLanguage() {
    QFETCH(int, stored);
    QFETCH(int, answer);
    QFETCH(bool, german);
    TestProgDir prog;
    writeSettings(prog, {"[EINSTELLUNGEN]", QStringLiteral("sprache=%1").arg(stored),
                         "vorlage=ZVX/vorlage.zvx"});
    ScriptedDialogs dialogs;
    TSDIAppForm w(dialogs);
    int asked = 0;
    w.AskLanguage = [&] {
        ++asked;
        return answer;
    };
    // Before the first show every place holds its id.
    QCOMPARE(w.FileMenu->title(), QString("1"));
    QCOMPARE(w.ComboCoverLayout->itemText(3), QString("374"));
    w.FormShow();
    w.FormShow(); // runs once only: the item texts are no ids any more
    QCOMPARE(asked, stored == 0 ? 1 : 0);
    QCOMPARE(w.Sprache, stored == 0 ? answer : stored);
    QVERIFY(w.Bereit);
    QVERIFY(dialogs.asked().isEmpty());
    auto tr = [german](const char* de, const char* en) {
        return QString::fromUtf8(german ? de : en);
    };

    QCOMPARE(w.FileMenu->title(), tr("&Datei", "&File"));
    QCOMPARE(w.Bearbeiten1->title(), tr("&Bearbeiten", "&Edit"));
    QCOMPARE(w.Neu1->text(), tr("&Neu", "&New"));
    QCOMPARE(w.Neu1->statusTip(),
             tr("Ein neues leeres CD-Cover erzeugen", "to create a new CD-Cover"));
    QCOMPARE(w.MenuRueckInnen->text(), tr("&4 Rückseite - innen", "&4 Back - inside"));
    QCOMPARE(w.FileMenu->menuAction()->statusTip(), QString()); // id 401 does not exist
    // Qt's own texts follow: the message boxes' standard buttons.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), tr("&Ja", "&Yes"));

    // Highlighting a menu item shows its status text; entering the Open button shows its
    // tooltip and leaves the status bar empty.
    w.Neu1->showStatusText(w.menuBar());
    QCOMPARE(w.StatusBar->currentMessage(), w.Neu1->statusTip());
    QCOMPARE(w.BtnOpen->toolTip(), tr("Öffnen", "Open"));
    QCOMPARE(w.BtnOpen->statusTip(), QString());
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(w.BtnOpen, &enter);
    QCOMPARE(w.StatusBar->currentMessage(), QString());
    QCOMPARE(w.BtnOpen->text(), QString()); // a tool button's caption is left alone

    QStringList layouts;
    for (int i = 0; i < w.ComboCoverLayout->count(); ++i)
        layouts << w.ComboCoverLayout->itemText(i);
    const QStringList de = {"CD-Leerbox (normal)", "CD-Leerbox (transparent)", "Maxi-CD-Leerbox",
                            "CD-Hülle-Bastelbogen"};
    const QStringList en = {"CD-Case (normal)", "CD-Case (transparent)", "Maxi-CD-Case",
                            "CD-Paper-Case"};
    QCOMPARE(layouts, german ? de : en);
    QCOMPARE(w.ComboCoverLayout->toolTip(), QString("Layout"));
    QCOMPARE(w.ComboCoverLayout->currentIndex(), 0);

    QCOMPARE(w.BtnSeiteDrei->text(), QString("&3"));
    QCOMPARE(w.BtnSeiteDrei->toolTip(), tr("Rückseite - aussen", "Back - outside"));
    QCOMPARE(w.BtnZoomIn->toolTip(), tr("Vergrössern", "Zoom in"));
    QCOMPARE(w.LabelRandtext->text(), tr("Randtext", "Border"));
    QCOMPARE(w.CheckKopfzeile->text(), tr("Kopfzeile", "Top"));
    QCOMPARE(w.CheckFusszeile->text(), tr("Fusszeile", "Bottom"));
    QCOMPARE(w.BtnFormatKopf->toolTip(), tr("Formatieren", "Format"));
    QCOMPARE(w.PanelHintergrund->title(), tr("Hintergrund", "Background"));
    QCOMPARE(w.RadioHgBild->text(), tr("-bild", "-picture"));
    QCOMPARE(w.BtnHintergrundfarbe->text(), tr("Hintergrundfarbe...", "Backgroundcolor..."));
    QCOMPARE(w.BtnTexturHinzufuegen->toolTip(),
             tr("Hintergrundbild hinzufügen", "Add background-picture"));
    QCOMPARE(w.OpenDialog.title, tr("Öffnen...", "Open..."));
    QCOMPARE(w.SaveDialog.title, tr("Speichern unter...", "Save as..."));
    QCOMPARE(w.OpenPictureDialog.title, tr("Bild laden...", "Load picture..."));

    // Start-up ends with New: the template is loaded and named in the caption.
    QCOMPARE(w.windowTitle(), QString("VORLAGE.ZVX  -  Zarvex!"));
    QCOMPARE(w.document().DateiName, prog.file("ZVX/vorlage.zvx"));
    QVERIFY(w.ComboHgTextur->findText("standard.bmp") >= 0);
    QVERIFY(!w.document().HgBild[0].isNull());
}

void TestMainWindow::menusAndGroups() {
    TestProgDir prog;
    ScriptedDialogs dialogs;
    TSDIAppForm w(dialogs);
    QCOMPARE(w.ProgTitel, QString("Zarvex!"));
    QVERIFY(w.VersionOK);
    QCOMPARE(w.ProgDir, prog.path());      // letter case kept
    QCOMPARE(w.Vorlage, QString("ERROR")); // no settings file: the defaults
    QCOMPARE(w.Sprache, 0);
    QCOMPARE(w.OpenDialog.directory, prog.path() + "ZVX/");
    QCOMPARE(w.OpenPictureDialog.directory, prog.path() + "BILDER/");
    QVERIFY(!w.SchriftListe.isEmpty());

    QCOMPARE(w.ExitItem->shortcut(), QKeySequence("Alt+X"));
    QCOMPARE(w.MenuHilfeAnleitungen->shortcut(), QKeySequence("F1"));
    QCOMPARE(w.Neu1->shortcut(), QKeySequence("Ctrl+N"));
    QCOMPARE(w.ffnen1->shortcut(), QKeySequence("Ctrl+O"));
    QCOMPARE(w.Speichern1->shortcut(), QKeySequence("Ctrl+S"));
    QCOMPARE(w.Speichernunter1->shortcut(), QKeySequence("Ctrl+Shift+S"));
    QCOMPARE(w.MenuDrucken->shortcut(), QKeySequence("Ctrl+P"));
    QVERIFY(!w.MenuHilfeHandbuch->isVisible());
    QVERIFY(!w.MenuZoomOut->isEnabled());
    QVERIFY(!w.MenuAnsichtStandard->isEnabled());
    QVERIFY(!w.BtnZoomOut->isEnabled());
    QVERIFY(w.ExitItem->isEnabled());

    // Menu order with separators, as the ids give it.
    QStringList items;
    for (QAction* a : w.FileMenu->actions())
        if (a->isVisible()) items << (a->isSeparator() ? QString("-") : a->text());
    // The print preview, printer calibration and the PDF export (752, 613, 615) are our own
    // items beside printing.
    QCOMPARE(items,
             (QStringList{"2", "3", "4", "5", "-", "6", "752", "7", "613", "615", "-", "8"}));
    QCOMPARE(w.menuBar()->actions().size(), 4);

    // Exactly one side button is down and one side item checked; content items may all be off.
    QVERIFY(w.BtnSeiteEins->isChecked());
    w.BtnSeiteDrei->setChecked(true);
    QVERIFY(!w.BtnSeiteEins->isChecked());
    w.BtnSeiteDrei->setChecked(false);
    QVERIFY(w.BtnSeiteDrei->isChecked());
    QVERIFY(w.MenuVorderAussen->isChecked());
    w.MenuRueckInnen->setChecked(true);
    QVERIFY(!w.MenuVorderAussen->isChecked());
    w.MenuText->setChecked(true);
    w.MenuBild->setChecked(true);
    QVERIFY(!w.MenuText->isChecked());
    w.MenuBild->setChecked(false);
    QVERIFY(!w.MenuVerzeichnis->isChecked() && !w.MenuText->isChecked() &&
            !w.MenuBild->isChecked());

    // Exit closes the window. Without settings the template "ERROR" cannot be read: New
    // reports it and the reset document is shown.
    w.AskLanguage = [] { return 44; };
    dialogs.answerMessage(MsgResult::Ok);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_VERIFY(w.Bereit);
    QTRY_VERIFY(dialogs.allAnswered());
    QVERIFY(dialogs.messages().first().contains("ERROR"));
    QCOMPARE(w.windowTitle(), QString("KEINNAME.ZVX  -  Zarvex!"));
    w.ExitItem->trigger();
    QVERIFY(!w.isVisible());
}

void TestMainWindow::sidePanelGeometry() {
    TestProgDir prog;
    ScriptedDialogs dialogs;
    TSDIAppForm w(dialogs);
    QCOMPARE(w.PanelSpeedbar->height(), 60);
    QCOMPARE(w.PanelNavigator->width(), 54);
    QCOMPARE(w.PanelFormular->width(), 242);
    QCOMPARE(w.PaintBoxVorschau->size(), QSize(640, 640));
    QCOMPARE(w.BtnDrucken->geometry(), QRect(89, 31, 25, 25));
    QCOMPARE(w.BtnBild->geometry(), QRect(213, 31, 25, 25));
    QCOMPARE(w.BtnSeiteVier->geometry(), QRect(2, 177, 50, 50));
    QCOMPARE(w.PanelHintergrund->geometry(), QRect(4, 10, 234, 150));
    QCOMPARE(w.ComboHgTextur->geometry(), QRect(35, 120, 191, 22));
    QCOMPARE(w.ImgHgVorschau->geometry(), QRect(2, 2, 82, 84));
    QCOMPARE(w.EditRandtext->geometry(), QRect(4, 196, 204, 21));
    QCOMPARE(w.BtnFormatFuss->geometry(), QRect(212, 316, 25, 21));
    // Colour background at start: the colour button shows, the texture controls do not.
    QVERIFY(w.RadioHgFarbe->isChecked());
    QVERIFY(!w.BtnHintergrundfarbe->isHidden());
    QVERIFY(w.ComboHgTextur->isHidden() && w.BtnTexturHinzufuegen->isHidden());
}

void TestMainWindow::resetValuesAndCaption_data() {
    QTest::addColumn<int>("side");
    for (int s = 0; s < 4; ++s)
        QTest::addRow("side %d", s) << s;
}

void TestMainWindow::resetValuesAndCaption() {
    QFETCH(int, side);
    TestProgDir prog;
    ScriptedDialogs dialogs;
    TSDIAppForm w(dialogs);
    CoverDocument& d = w.document();
    // A document that holds something everywhere.
    d.DateiName = prog.file("ZVX/alt.zvx");
    d.AktSeite = side;
    d.KopfText[side] = "Kopf";
    d.FussText[side] = "Fuss";
    d.RandText = "Rand";
    d.KopfFormat[side].Groesse = 1;
    d.KopfFormat[side].Sichtbar = 0;
    d.FussFormat[side].HgFarbe = 0x123456;
    d.RandFormat.Fett = 1;
    d.Inhalt[side] = 2;
    d.VerzListe[side] = DirectoryListing{"D:\\", "x", ""};
    d.VerzFormat[side].Tiefe = 7;
    d.TextInhalt[side] = "Text\r\n";
    d.TextFormat[side].Ausrichtung = 1;
    d.Bild[side] = Picture::fromImage(QImage(4, 4, QImage::Format_RGB32));
    d.BildFormat[side].DateiName = "bild.bmp";
    d.HgFormat[side].Textur = "holz.jpg";
    d.HgFormat[side].Art = 1;
    d.CoverLayout = 2;
    d.Geaendert = true;
    w.EditKopfzeile->setText("Kopf");
    w.EditFusszeile->setText("Fuss");
    w.EditRandtext->setText("Rand");
    w.CheckKopfzeile->setChecked(false);
    w.CheckFusszeile->setChecked(false);
    w.sideMenuItems()[side == 0 ? 1 : side]->setChecked(true);

    w.ResetDocument();

    QCOMPARE(d.DateiName, QString("keinname.zvx"));
    QCOMPARE(w.windowTitle(), QString("KEINNAME.ZVX  -  Zarvex!"));
    QCOMPARE(d.AktSeite, 0);
    QVERIFY(w.MenuVorderAussen->isChecked());
    QCOMPARE(d.CoverLayout, quint8(2)); // the case layout is not the reset's business
    QVERIFY(!d.Geaendert);
    QVERIFY(w.EditKopfzeile->text().isEmpty() && w.EditFusszeile->text().isEmpty() &&
            w.EditRandtext->text().isEmpty());
    QVERIFY(w.CheckKopfzeile->isChecked() && w.CheckFusszeile->isChecked());
    QVERIFY(d.RandText.isEmpty());
    QCOMPARE(d.RandFormat.HgFarbe, 0x808080);
    QCOMPARE(d.RandFormat.Schriftfarbe, 0xFFFFFF);
    QCOMPARE(d.RandFormat.Groesse, 2);
    QCOMPARE(d.RandFormat.Fett, quint8(0));
    QCOMPARE(d.RandFormat.Ausrichtung, 2);
    QCOMPARE(d.RandFormat.Schriftart, QString("Times New Roman"));
    for (int s = 0; s < 4; ++s) {
        QVERIFY(d.KopfText[s].isEmpty() && d.FussText[s].isEmpty() && d.TextInhalt[s].isEmpty());
        const TFormatUeberschrift& k = d.KopfFormat[s];
        QCOMPARE(k.Sichtbar, quint8(1));
        QCOMPARE(k.HgFarbe, 0xC0C0C0);
        QCOMPARE(k.Schriftart, QString("Times New Roman"));
        QCOMPARE(k.Schriftfarbe, 0);
        QCOMPARE(k.Fett + k.Kursiv + k.Unterstrichen, 0);
        QCOMPARE(k.Ausrichtung, 2);
        QCOMPARE(k.Groesse, 8);
        QVERIFY(d.FussFormat[s] == k);
        QCOMPARE(d.Inhalt[s], quint8(0));
        QVERIFY(d.VerzListe[s].isEmpty());
        QCOMPARE(d.VerzFormat[s].Schriftart, QString("Courier New"));
        QCOMPARE(d.VerzFormat[s].Groesse, 1);
        QCOMPARE(d.VerzFormat[s].Tiefe, 2);
        QCOMPARE(d.VerzFormat[s].Kommentare, 0);
        QCOMPARE(d.VerzFormat[s].StartVerz, quint8(1));
        QCOMPARE(d.TextFormat[s].Ausrichtung, 0);
        QCOMPARE(d.TextFormat[s].Groesse, 0);
        QCOMPARE(d.TextFormat[s].Schriftart, QString("Times New Roman"));
        QVERIFY(d.Bild[s].isNull());
        QCOMPARE(d.BildFormat[s].Bildmasse, 1);
        QCOMPARE(d.BildFormat[s].Ausrichtung, 2);
        QVERIFY(d.BildFormat[s].DateiName.isEmpty());
        QCOMPARE(d.HgFormat[s].Art, 0);
        QCOMPARE(d.HgFormat[s].Farbe, 0xFFFFFF);
        QCOMPARE(d.HgFormat[s].Modus, 0);
        QCOMPARE(d.HgFormat[s].Reserve1, 20);
        QCOMPARE(d.HgFormat[s].Reserve2, 20);
        QCOMPARE(d.HgFormat[s].Textur, QString("standard.bmp"));
        QVERIFY(!d.HgBild[s].isNull());
    }
    QVERIFY(dialogs.asked().isEmpty());
}

void TestMainWindow::missingDefaultTextureIsReported() {
    TestProgDir prog;
    QVERIFY(QFile::remove(prog.file("texturen/standard.bmp")));
    writeSettings(prog, {"[EINSTELLUNGEN]", "sprache=49"});
    ScriptedDialogs dialogs;
    dialogs.answerMessage(MsgResult::Ok);
    TSDIAppForm w(dialogs);
    w.document().Geaendert = true;
    w.document().KopfText[1] = "alt";
    w.FormShow(); // the reset at the end of start-up fails: a message, no crash
    QVERIFY(dialogs.allAnswered());
    QCOMPARE(dialogs.messages().size(), 1);
    QVERIFY2(dialogs.messages().first().contains("standard.bmp"),
             qPrintable(dialogs.messages().first()));
    QCOMPARE(dialogs.asked().first().msgKind, MsgKind::Error);
    // The fields before the textures are reset, the modified flag keeps its value.
    QVERIFY(w.document().KopfText[1].isEmpty());
    QVERIFY(w.document().Geaendert);
    QVERIFY(w.document().HgBild[0].isNull());
    QVERIFY(w.Bereit);
}

void TestMainWindow::languageDialogEndsOnlyByItsButtons() {
    TDlgSprache dlg;
    dlg.show();
    QVERIFY(!dlg.close()); // the window manager's close box
    QVERIFY(dlg.isVisible());
    dlg.findChild<QPushButton*>(QStringLiteral("BtnDeutsch"))->click();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), 1);
    QCOMPARE(dlg.Sprachcode, 49);
}

QTEST_MAIN(TestMainWindow)
#include "tst_sdimain.moc"
