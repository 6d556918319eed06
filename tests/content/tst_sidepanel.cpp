#include "content/dialogpreview.h"
#include "content/fmtrand.h"
#include "content/fmtueber.h"
#include "content/sidepanel.h"
#include "document/coverdocument.h"
#include "platform/stringtable.h"
#include "scripteddialogs.h"
#include "testprogdir.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

// The side panel on a stand-in window with the same controls as the main window's.
struct Harness {
    TestProgDir progDir;
    ScriptedDialogs dialogs;
    CoverDocument doc;
    QWidget window;
    SidePanelWidgets w;
    bool ready = true;
    struct Render {
        int side;
        QString kopf;
    };
    QList<Render> renders;
    TDlgFormatKopfFuss formatKopfFuss{dialogs, {QStringLiteral("Times New Roman")}};
    TDlgFormatRandtext formatRandtext{dialogs, {QStringLiteral("Times New Roman")}};
    std::unique_ptr<SidePanel> panel;

    Harness() {
        doc.reset();
        w.LabelRandtext = new QLabel(&window);
        w.EditRandtext = new QLineEdit(&window);
        w.BtnFormatRand = new QToolButton(&window);
        w.CheckKopfzeile = new QCheckBox(&window);
        w.CheckKopfzeile->setChecked(true);
        w.EditKopfzeile = new QLineEdit(&window);
        w.BtnFormatKopf = new QToolButton(&window);
        w.CheckFusszeile = new QCheckBox(&window);
        w.CheckFusszeile->setChecked(true);
        w.EditFusszeile = new QLineEdit(&window);
        w.BtnFormatFuss = new QToolButton(&window);
        w.RadioHgFarbe = new QRadioButton(&window);
        w.RadioHgBild = new QRadioButton(&window);
        w.PanelHgVorschau = new QFrame(&window);
        w.PanelHgVorschau->setFocusPolicy(Qt::StrongFocus);
        w.ImgHgVorschau = new QLabel(w.PanelHgVorschau);
        w.ImgHgVorschau->resize(82, 84);
        w.BtnHintergrundfarbe = new QPushButton(&window);
        w.ComboHgTextur = new QComboBox(&window);
        w.BtnTexturHinzufuegen = new QToolButton(&window);
        for (int i = 0; i < 4; ++i) {
            auto* b = new QToolButton(&window);
            b->setCheckable(true);
            b->setAutoExclusive(true);
            w.sideButtons << b;
            auto* a = new QAction(&window);
            a->setCheckable(true);
            w.sideMenuItems << a;
        }
        w.MenuVerzeichnis = new QAction(&window);
        w.MenuText = new QAction(&window);
        w.MenuBild = new QAction(&window);
        for (QAction* a : {w.MenuVerzeichnis, w.MenuText, w.MenuBild})
            a->setCheckable(true);
        w.ComboCoverLayout = new QComboBox(&window);
        w.ComboCoverLayout->addItems({"0", "1", "2", "3"});
        SidePanelHost host;
        host.bereit = [this] { return ready; };
        host.setBereit = [this](bool b) { ready = b; };
        host.renderSidePreview = [this](int side) {
            if (ready) renders.append({side, w.EditKopfzeile->text()});
        };
        host.openPictureDialog = [] { return FileDialogRequest{}; };
        panel = std::make_unique<SidePanel>(w, doc, dialogs, host, formatKopfFuss, formatRandtext);
        panel->FillTextureList();
        window.show();
        QApplication::setActiveWindow(&window);
    }
};

class TestSidePanel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typingUpdatesAtOnceRedrawsOnEnterAndExit();
    void sideSwitchRedrawsOldSideThenNew();
    void marginControlsBySideAndLayout();
    void marginTextIsOneForTheCover();
    void headerCheckMarksModifiedOnlyByUser();
    void colourDialog();
    void textureRadioSelectsStoredTexture();
    void addingExistingTextureAsksAndKeepsOldFile();
    void addingTextureByKind_data();
    void addingTextureByKind();
    void missingTextureIsReportedAndSwitchGoesOn();
    void formatDialogCancelLeavesRecord();
    void formatDialogOkCopiesBackKeepsSichtbar();
    void emptyHeaderPreviewsVorschau();
    void marginDialogByLayout();
    void fontSampleShowsColoursSizeItemsAsDesigned_data();
    void fontSampleShowsColoursSizeItemsAsDesigned();
};

void TestSidePanel::typingUpdatesAtOnceRedrawsOnEnterAndExit() {
    Harness h;
    h.panel->ShowSide(0);
    h.renders.clear();
    h.w.EditKopfzeile->setFocus();
    QTest::keyClicks(h.w.EditKopfzeile, QStringLiteral("Rock"));
    QCOMPARE(h.doc.KopfText[0], QStringLiteral("Rock"));
    QVERIFY(h.doc.Geaendert);
    QVERIFY(h.renders.isEmpty());
    QTest::keyClick(h.w.EditKopfzeile, Qt::Key_Return);
    QCOMPARE(h.renders.size(), 1);
    QCOMPARE(h.renders[0].kopf, QStringLiteral("Rock"));
    h.w.EditFusszeile->setFocus(); // focus leaves the header edit
    QCOMPARE(h.renders.size(), 2);
    // A change with the Delete key marks the document too.
    h.doc.Geaendert = false;
    h.w.EditFusszeile->setText(QStringLiteral("ab"));
    QVERIFY(!h.doc.Geaendert); // set by the program, not typed
    h.w.EditFusszeile->setCursorPosition(0);
    QTest::keyClick(h.w.EditFusszeile, Qt::Key_Delete);
    QCOMPARE(h.doc.FussText[0], QStringLiteral("b"));
    QVERIFY(h.doc.Geaendert);
}

void TestSidePanel::sideSwitchRedrawsOldSideThenNew() {
    Harness h;
    h.panel->ShowSide(0);
    h.renders.clear();
    h.w.EditKopfzeile->setFocus();
    QTest::keyClicks(h.w.EditKopfzeile, QStringLiteral("Vorne"));
    h.panel->ShowSide(1);
    QCOMPARE(h.renders.size(), 2);
    QCOMPARE(h.renders[0].side, 0);
    QCOMPARE(h.renders[0].kopf, QStringLiteral("Vorne"));
    QCOMPARE(h.renders[1].side, 1);
    QCOMPARE(h.renders[1].kopf, QString());
    QCOMPARE(h.doc.KopfText[0], QStringLiteral("Vorne"));
    QVERIFY(h.w.sideButtons[1]->isChecked());
    QVERIFY(h.w.sideMenuItems[1]->isChecked() && !h.w.sideMenuItems[0]->isChecked());
}

void TestSidePanel::marginControlsBySideAndLayout() {
    Harness h;
    const bool expected[4][4] = {{false, false, true, false},
                                 {false, false, false, false},
                                 {true, true, false, false},
                                 {false, false, false, false}};
    for (int layout = 0; layout < 4; ++layout) {
        h.w.ComboCoverLayout->setCurrentIndex(layout);
        for (int side = 0; side < 4; ++side) {
            h.panel->ShowSide(side);
            QCOMPARE(h.w.EditRandtext->isVisibleTo(&h.window), expected[side][layout]);
            QCOMPARE(h.w.LabelRandtext->isVisibleTo(&h.window), expected[side][layout]);
            QCOMPARE(h.w.BtnFormatRand->isVisibleTo(&h.window), expected[side][layout]);
        }
    }
    // No layout selected: the controls keep their state.
    h.w.ComboCoverLayout->setCurrentIndex(2);
    h.panel->ShowSide(0);
    h.w.ComboCoverLayout->setCurrentIndex(-1);
    h.panel->ShowSide(1);
    QVERIFY(h.w.EditRandtext->isVisibleTo(&h.window));
}

void TestSidePanel::marginTextIsOneForTheCover() {
    Harness h;
    h.w.ComboCoverLayout->setCurrentIndex(2);
    h.panel->ShowSide(0);
    h.w.EditRandtext->setFocus();
    QTest::keyClicks(h.w.EditRandtext, QStringLiteral("Spine"));
    h.w.ComboCoverLayout->setCurrentIndex(0);
    h.panel->ShowSide(2);
    QCOMPARE(h.w.EditRandtext->text(), QStringLiteral("Spine"));
    QCOMPARE(h.doc.RandText, QStringLiteral("Spine"));
}

void TestSidePanel::headerCheckMarksModifiedOnlyByUser() {
    Harness h;
    h.doc.KopfFormat[1].Sichtbar = 0;
    h.panel->ShowSide(0);
    h.panel->ShowSide(1); // the switch unchecks the box itself
    QVERIFY(!h.w.CheckKopfzeile->isChecked());
    QVERIFY(!h.w.EditKopfzeile->isVisibleTo(&h.window));
    QVERIFY(!h.doc.Geaendert);
    h.panel->ShowSide(0);
    h.doc.KopfText[0] = QStringLiteral("kept");
    QTest::mouseClick(h.w.CheckKopfzeile, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!h.w.CheckKopfzeile->isChecked());
    QCOMPARE(h.doc.KopfFormat[0].Sichtbar, quint8(0));
    QVERIFY(!h.w.EditKopfzeile->isVisibleTo(&h.window));
    QVERIFY(!h.w.BtnFormatKopf->isVisibleTo(&h.window));
    QCOMPARE(h.doc.KopfText[0], QStringLiteral("kept"));
    QVERIFY(h.doc.Geaendert);
}

void TestSidePanel::colourDialog() {
    Harness h;
    h.panel->ShowSide(0);
    h.dialogs.answerColor(std::nullopt);
    h.panel->BtnHintergrundfarbeClick();
    QVERIFY(!h.doc.Geaendert);
    QCOMPARE(h.dialogs.asked().last().initialColor, 0xFFFFFF);
    h.dialogs.answerColor(0xFFFFFF); // the same colour
    h.panel->BtnHintergrundfarbeClick();
    QVERIFY(h.doc.Geaendert);
    h.dialogs.answerColor(0x0000FF);
    h.panel->BtnHintergrundfarbeClick();
    QCOMPARE(h.doc.HgFormat[0].Farbe, 0x0000FF);
    QCOMPARE(h.w.ImgHgVorschau->pixmap().toImage().pixelColor(5, 5), QColor(255, 0, 0));
    // Choosing the colour background by a click marks the document; the switch doesn't.
    h.doc.Geaendert = false;
    h.doc.HgFormat[1].Art = 0;
    h.panel->ShowSide(1);
    QVERIFY(!h.doc.Geaendert);
    h.w.RadioHgFarbe->click();
    QVERIFY(h.doc.Geaendert);
}

void TestSidePanel::textureRadioSelectsStoredTexture() {
    Harness h;
    // The folder holds the file in capitals; the document says "standard.bmp".
    QFile::rename(h.progDir.file("texturen/standard.bmp"), h.progDir.file("texturen/STANDARD.BMP"));
    h.panel->FillTextureList();
    h.panel->ShowSide(0);
    h.renders.clear();
    h.w.RadioHgBild->click();
    QCOMPARE(h.w.ComboHgTextur->currentText(), QStringLiteral("STANDARD.BMP"));
    QCOMPARE(h.doc.HgFormat[0].Art, 1);
    QVERIFY(!h.doc.HgBild[0].isNull());
    QVERIFY(h.w.ComboHgTextur->isVisibleTo(&h.window));
    QVERIFY(!h.w.BtnHintergrundfarbe->isVisibleTo(&h.window));
    const QImage swatch = h.w.ImgHgVorschau->pixmap().toImage();
    QVERIFY(swatch.pixelColor(40, 40) != QColor(Qt::white));
    QCOMPARE(h.renders.size(), 1);
    QVERIFY(h.doc.Geaendert);
}

void TestSidePanel::addingExistingTextureAsksAndKeepsOldFile() {
    Harness h;
    h.panel->ShowSide(0);
    const QString source = h.progDir.file("BILDER/standard.bmp");
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(Qt::red);
    QVERIFY(img.save(source, "BMP"));
    QFile old(h.progDir.file("texturen/standard.bmp"));
    QVERIFY(old.open(QIODevice::ReadOnly));
    const QByteArray oldBytes = old.readAll();
    old.close();
    h.dialogs.answerOpenFile(source).answerMessage(MsgResult::Cancel);
    h.panel->BtnTexturHinzufuegenClick();
    QVERIFY(h.dialogs.allAnswered());
    QVERIFY(h.dialogs.messages().first().startsWith(QStringLiteral("STANDARD.BMP ")));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), oldBytes);
    QCOMPARE(h.w.ComboHgTextur->currentText(), QStringLiteral("standard.bmp"));
}

void TestSidePanel::addingTextureByKind_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("listed");
    QTest::addRow("JPEG extension") << QStringLiteral("holz.JPEG") << true;
    QTest::addRow("kind no loader reads") << QStringLiteral("holz.png") << false;
}

void TestSidePanel::addingTextureByKind() {
    QFETCH(QString, name);
    QFETCH(bool, listed);
    Harness h;
    h.panel->ShowSide(0);
    const QString source = h.progDir.file(QStringLiteral("BILDER/") + name);
    QVERIFY(QFile::copy(fixturePath(QStringLiteral("pictures/rgb.jpg")), source));
    h.dialogs.answerOpenFile(source);
    if (!listed) h.dialogs.answerMessage(MsgResult::Ok);
    h.panel->BtnTexturHinzufuegenClick();
    QVERIFY(h.dialogs.allAnswered());
    QCOMPARE(QFile::exists(h.progDir.file(QStringLiteral("texturen/") + name)), listed);
    if (listed) {
        QCOMPARE(h.w.ComboHgTextur->currentText(), name);
        QVERIFY(!h.doc.HgBild[0].isNull());
    } else {
        QVERIFY(h.dialogs.messages().last().contains(source));
    }
}

void TestSidePanel::missingTextureIsReportedAndSwitchGoesOn() {
    Harness h;
    h.doc.HgFormat[2].Art = 1;
    h.doc.HgFormat[2].Textur = QStringLiteral("gone.bmp");
    h.dialogs.answerMessage(MsgResult::Ok);
    h.panel->ShowSide(2);
    QCOMPARE(h.dialogs.messages().size(), 1);
    QVERIFY(h.ready); // the panel is live again
    QCOMPARE(h.renders.last().side, 2);
    QVERIFY(h.doc.HgBild[2].isNull());
}

void TestSidePanel::formatDialogCancelLeavesRecord() {
    Harness h;
    h.panel->ShowSide(0);
    const TFormatUeberschrift before = h.doc.KopfFormat[0];
    h.dialogs.answerColor(0x00FF00);
    QTimer::singleShot(0, [&] {
        auto& d = h.formatKopfFuss;
        d.CheckFett->click();
        d.AusrichtungItems->button(0)->click();
        d.BtnHintergrundfarbe->click();
        QCOMPARE(d.Format.HgFarbe, 0x00FF00);
        QCOMPARE(d.Format.Fett, quint8(1));
        d.CancelBtn->click();
    });
    h.panel->BtnFormatKopfClick();
    QCOMPARE(h.doc.KopfFormat[0], before);
    QVERIFY(!h.doc.Geaendert);
}

void TestSidePanel::formatDialogOkCopiesBackKeepsSichtbar() {
    Harness h;
    h.panel->ShowSide(3);
    h.renders.clear();
    QTimer::singleShot(0, [&] {
        auto& d = h.formatKopfFuss;
        QCOMPARE(int(d.Seite), 3);
        d.ComboSchriftgroesse->setCurrentIndex(0);
        d.ComboSchriftgroesseChange();
        d.OKBtn->click();
    });
    h.panel->BtnFormatFussClick();
    QCOMPARE(h.doc.FussFormat[3].Groesse, 0);
    QCOMPARE(h.doc.FussFormat[3].Sichtbar, quint8(1));
    QCOMPARE(h.doc.KopfFormat[3].Groesse, 8);
    QVERIFY(h.doc.Geaendert);
    QCOMPARE(h.renders.size(), 1);
}

void TestSidePanel::emptyHeaderPreviewsVorschau() {
    Harness h;
    TDlgFormatKopfFuss& d = h.formatKopfFuss;
    d.Beispieltext.clear();
    d.Format = TFormatUeberschrift{};
    d.Format.Schriftart = QStringLiteral("times new roman"); // letter case ignored
    d.FormShow();
    QCOMPARE(d.Beispieltext, QStringLiteral("Vorschau"));
    QCOMPARE(d.ComboSchriftart->currentText(), QStringLiteral("Times New Roman"));
    QStringList texts;
    const auto textElements =
        d.PaintBoxVorschau->picture().elements(Recording::Element::Type::Text);
    for (const Recording::Element& e : textElements)
        texts << e.text;
    QCOMPARE(texts, QStringList{QStringLiteral("Vorschau")});
    QVERIFY(h.doc.KopfText[0].isEmpty());
    // A font that is not installed keeps the previous entry and the record's name.
    d.Format.Schriftart = QStringLiteral("No Such Font");
    d.FormShow();
    QCOMPARE(d.ComboSchriftart->currentText(), QStringLiteral("Times New Roman"));
    QCOMPARE(d.Format.Schriftart, QStringLiteral("No Such Font"));
}

void TestSidePanel::marginDialogByLayout() {
    Harness h;
    TDlgFormatRandtext& d = h.formatRandtext;
    d.Format = TFormatRandtext{};
    d.Format.Groesse = 4;
    d.Beispieltext = QStringLiteral("Spine");
    d.CoverLayout = 2;
    d.FormShow();
    QVERIFY(!d.ComboSchriftgroesse->isVisibleTo(&d));
    QCOMPARE(d.Format.Groesse, 4);
    QVERIFY(!d.PaintBoxVorschau->picture().isEmpty());
    d.CoverLayout = 3;
    d.FormShow();
    QVERIFY(d.ComboSchriftgroesse->isVisibleTo(&d));
    QVERIFY(d.PaintBoxVorschau->picture().elements().isEmpty());
    d.CoverLayout = 0;
    d.FormShow();
    QCOMPARE(d.PaintBoxVorschau->picture().elements(Recording::Element::Type::Text).size(), 2);
}

void TestSidePanel::fontSampleShowsColoursSizeItemsAsDesigned_data() {
    QTest::addColumn<bool>("margin");
    QTest::addColumn<QString>("lastSize");
    QTest::addRow("header and footer") << false << QStringLiteral("10 mm");
    QTest::addRow("margin text") << true << QStringLiteral("  6 mm");
}

void TestSidePanel::fontSampleShowsColoursSizeItemsAsDesigned() {
    QFETCH(bool, margin);
    QFETCH(QString, lastSize);
    Harness h;
    FormatDialogBase* d = nullptr;
    if (margin) {
        h.formatRandtext.Format.HgFarbe = 0x0000FF; // red behind white
        h.formatRandtext.Format.Schriftfarbe = 0xFFFFFF;
        h.formatRandtext.CoverLayout = 0;
        d = &h.formatRandtext;
    } else {
        h.formatKopfFuss.Format.HgFarbe = 0x0000FF;
        h.formatKopfFuss.Format.Schriftfarbe = 0xFFFFFF;
        d = &h.formatKopfFuss;
    }
    d->FormShow();
    const QImage sample = d->LabelSchrift->grab().toImage();
    QCOMPARE(sample.pixelColor(2, 2), QColor(Qt::red));
    QCOMPARE(d->ComboSchriftgroesse->itemText(0), QStringLiteral("  2 mm"));
    QCOMPARE(d->ComboSchriftgroesse->itemText(d->ComboSchriftgroesse->count() - 1), lastSize);
}

QTEST_MAIN(TestSidePanel)
#include "tst_sidepanel.moc"
