#include "app/sdimain.h"
#include "content/bild.h"
#include "content/dialogpreview.h"
#include "document/coverdocument.h"
#include "platform/stringtable.h"
#include "render/previewbox.h"
#include "scripteddialogs.h"
#include "testprogdir.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QDropEvent>
#include <QGroupBox>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using Type = Recording::Element::Type;

// The picture dialog and the picture command: loading with the copy into the picture folder,
// pasting and saving, deleting, the ownership of the pictures at every ending, size mode
// and alignment, and pictures dropped onto the preview.
class TestBild : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { SetLanguageOffset(1000); }
    void init();
    void loadCopiesIntoPictures_data();
    void loadCopiesIntoPictures();
    void badPictureKeepsTheSide_data();
    void badPictureKeepsTheSide();
    void pasteOffersToSave_data();
    void pasteOffersToSave();
    void pasteFollowsTheClipboard();
    void deleteThenOkLeavesNoPicture();
    void endingsFreeWhatIsNotKept_data();
    void endingsFreeWhatIsNotKept();
    void stretchKeepsAlignment();
    void fillTellsSizeAndResolution();
    void dropLoadsLikeTheButton();
    void pictureCommandFromTheMenu();

private:
    // Runs the picture command on the document's current side; steps act on the shown
    // dialog and end it, returning its result.
    bool run(const std::function<int(TDlgBild&)>& steps) {
        dlg_->Execute = [&] {
            dlg_->FormShow();
            return steps(*dlg_);
        };
        return BtnBildClick(doc_, *dlg_);
    }
    static int ok(TDlgBild& d) {
        d.OKBtnClick();
        return d.result();
    }
    QString picture(const QString& path, QSize size, QColor colour) const {
        QDir().mkpath(QFileInfo(path).path());
        QImage img(size, QImage::Format_RGB32);
        img.fill(colour);
        Picture::fromImage(img).saveBmp(path);
        return path;
    }
    QString pictures() const { return progDir_->path() + QStringLiteral("BILDER/"); }

    std::unique_ptr<TestProgDir> progDir_;
    std::unique_ptr<QTemporaryDir> tmp_;
    ScriptedDialogs dialogs_;
    CoverDocument doc_;
    std::unique_ptr<TDlgBild> dlg_;
};

void TestBild::init() {
    progDir_ = std::make_unique<TestProgDir>();
    tmp_ = std::make_unique<QTemporaryDir>();
    dialogs_.clear();
    doc_ = CoverDocument();
    doc_.resetFields();
    dlg_ = std::make_unique<TDlgBild>(dialogs_);
}

void TestBild::loadCopiesIntoPictures_data() {
    QTest::addColumn<bool>("inPictures");    // the chosen file lies in BILDER already
    QTest::addColumn<bool>("existing");      // BILDER holds FOTO.BMP (7 x 5) before
    QTest::addColumn<QList<int>>("answers"); // to the copy and overwrite questions
    QTest::addColumn<bool>("usesPictures");  // the side ends up with the file in BILDER
    QTest::addColumn<QSize>("size");         // of the side's picture
    using R = MsgResult;
    QTest::newRow("in BILDER: no question") << true << false << QList<int>{} << true << QSize(9, 6);
    QTest::newRow("No keeps the chosen path")
        << false << false << QList<int>{int(R::No)} << false << QSize(9, 6);
    QTest::newRow("Yes copies") << false << false << QList<int>{int(R::Yes)} << true << QSize(9, 6);
    QTest::newRow("Yes, overwrite declined: the file there")
        << false << true << QList<int>{int(R::Yes), int(R::Cancel)} << true << QSize(7, 5);
    QTest::newRow("Yes, overwrite accepted")
        << false << true << QList<int>{int(R::Yes), int(R::Ok)} << true << QSize(9, 6);
}

void TestBild::loadCopiesIntoPictures() {
    QFETCH(bool, inPictures);
    QFETCH(bool, existing);
    QFETCH(QList<int>, answers);
    QFETCH(bool, usesPictures);
    QFETCH(QSize, size);
    const QString source =
        picture((inPictures ? pictures() : tmp_->path() + "/elsewhere/") + "foto.bmp", QSize(9, 6),
                Qt::red);
    if (existing) picture(pictures() + "FOTO.BMP", QSize(7, 5), Qt::blue);
    dialogs_.answerOpenFile(source);
    for (int a : answers)
        dialogs_.answerMessage(MsgResult(a));
    doc_.Inhalt[0] = 2;
    QVERIFY(run([](TDlgBild& d) {
        d.BtnLadenClick();
        return ok(d);
    }));
    QVERIFY(dialogs_.allAnswered());
    const FileDialogRequest& asked = dialogs_.asked().first().request;
    QCOMPARE(asked.title, QStringLiteral("Load picture..."));
    QCOMPARE(asked.directory, pictures());
    // The first entry takes every kind the program reads.
    QVERIFY(asked.filter.startsWith("BMP, WMF, EMF, ICO, JPG, PNG, GIF, TIFF, WebP, SVG|*.BMP;"));
    QVERIFY(asked.filter.section(u'|', 1, 1).contains("*.SVG"));
    QStringList expected;
    if (!answers.isEmpty()) expected << "Copy this image to the PICTURE-Sub-Directory ?";
    if (existing) expected << "FOTO.BMP already exists! Overwrite?";
    QCOMPARE(dialogs_.messages(), expected);
    const QString dest = pictures() + (existing ? "FOTO.BMP" : "foto.bmp");
    QCOMPARE(doc_.BildFormat[0].DateiName, usesPictures ? dest : source);
    QCOMPARE(doc_.Bild[0].size(), size);
    QCOMPARE(doc_.Inhalt[0], quint8(3));
    QVERIFY(doc_.Geaendert);
    QVERIFY(QFileInfo::exists(source)); // never moved
}

void TestBild::badPictureKeepsTheSide_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown kind") << "notes.txt" << QByteArray("text") << "is not a picture file";
    QTest::newRow("damaged png") << "broken.png" << QByteArray("\x89PNG\r\n") << "cannot be loaded";
    QTest::newRow("damaged svg") << "broken.svg" << QByteArray("<svg") << "cannot be loaded";
    QTest::newRow("missing") << "gone.jpg" << QByteArray() << "cannot be read";
}

void TestBild::badPictureKeepsTheSide() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QString old = picture(pictures() + "alt.bmp", QSize(4, 3), Qt::green);
    doc_.Bild[0] = Picture::load(old);
    doc_.BildFormat[0].DateiName = old;
    doc_.Inhalt[0] = 3;
    const QString bad = tmp_->filePath(name);
    if (!bytes.isEmpty()) {
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    dialogs_.answerOpenFile(bad).answerMessage(MsgResult::Ok); // only the error box
    QVERIFY(run([](TDlgBild& d) {
        d.BtnLadenClick();
        [&] { QVERIFY(d.BtnLoeschen->isEnabled()); }(); // still the old picture
        return ok(d);
    }));
    QCOMPARE(dialogs_.asked().last().msgKind, MsgKind::Error);
    const QString shown = dialogs_.messages().value(0);
    QVERIFY2(shown.contains(message) && shown.contains(bad), qPrintable(shown));
    QCOMPARE(doc_.Bild[0].size(), QSize(4, 3));
    QCOMPARE(doc_.BildFormat[0].DateiName, old);
    QVERIFY(!QFileInfo::exists(pictures() + name)); // nothing copied
}

void TestBild::pasteOffersToSave_data() {
    QTest::addColumn<QString>("saveAs"); // empty: the save dialog is cancelled
    QTest::addColumn<bool>("existing");  // the chosen file exists
    QTest::addColumn<int>("overwrite");  // answer to the overwrite question
    QTest::addColumn<bool>("saved");
    QTest::newRow("save cancelled") << "" << false << 0 << false;
    QTest::newRow("saved") << "neu.bmp" << false << 0 << true;
    QTest::newRow("existing, kept") << "alt.bmp" << true << int(MsgResult::Cancel) << false;
    QTest::newRow("existing, replaced") << "alt.bmp" << true << int(MsgResult::Ok) << true;
}

void TestBild::pasteOffersToSave() {
    QFETCH(QString, saveAs);
    QFETCH(bool, existing);
    QFETCH(int, overwrite);
    QFETCH(bool, saved);
    QImage pasted(9, 7, QImage::Format_RGB32);
    pasted.fill(Qt::magenta);
    QGuiApplication::clipboard()->setImage(pasted);
    const QString target = pictures() + saveAs;
    if (existing) {
        QFile f(target);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    doc_.BildFormat[0].DateiName = tmp_->filePath("frueher/x.jpg"); // the paste clears it
    dialogs_.answerSaveFile(saveAs.isEmpty() ? std::nullopt : std::optional<QString>(target));
    if (existing) dialogs_.answerMessage(MsgResult(overwrite));
    QVERIFY(run([](TDlgBild& d) {
        [&] { QVERIFY(d.BtnEinfuegen->isEnabled()); }();
        d.BtnEinfuegenClick();
        return ok(d);
    }));
    QVERIFY(dialogs_.allAnswered());
    const FileDialogRequest& asked = dialogs_.asked().first().request;
    QCOMPARE(asked.title, QStringLiteral("Save picture..."));
    QCOMPARE(asked.filter, QStringLiteral("Windows-Bitmap (BMP)|*.BMP"));
    QCOMPARE(asked.defaultSuffix, QStringLiteral("bmp"));
    QCOMPARE(asked.directory, pictures());
    QCOMPARE(asked.fileName, QString());
    if (existing) QCOMPARE(dialogs_.messages(), QStringList{"ALT.BMP already exists! Overwrite?"});
    QCOMPARE(doc_.BildFormat[0].DateiName, saved ? target : QString());
    QCOMPARE(doc_.Bild[0].size(), QSize(9, 7));
    if (saved) QCOMPARE(Picture::load(target).image().pixel(4, 3), QColor(Qt::magenta).rgb());
    if (existing && !saved) {
        QFile f(target);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("old"));
    }
}

void TestBild::pasteFollowsTheClipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("no picture"));
    QVERIFY(!run([&](TDlgBild& d) {
        const bool atShow = d.BtnEinfuegen->isEnabled();
        QImage img(3, 3, QImage::Format_RGB32);
        img.fill(Qt::red);
        clipboard->setImage(img);
        const bool afterImage = d.BtnEinfuegen->isEnabled();
        clipboard->setText(QStringLiteral("again text"));
        const bool afterText = d.BtnEinfuegen->isEnabled();
        [&] { QVERIFY(!atShow && afterImage && !afterText); }();
        d.CancelBtnClick();
        return d.result();
    }));
}

void TestBild::deleteThenOkLeavesNoPicture() {
    doc_.Bild[0] = Picture::load(picture(pictures() + "a.bmp", QSize(4, 3), Qt::green));
    doc_.BildFormat[0].DateiName = pictures() + "a.bmp";
    doc_.Inhalt[0] = 1;
    doc_.VerzListe[0].append(QStringLiteral("CD"));
    QList<Type> drawn;
    QVERIFY(run([&](TDlgBild& d) {
        d.BtnLoeschenClick();
        for (const Recording::Element& e : d.PaintBoxVorschau->picture().elements())
            drawn << e.type;
        [&] { QVERIFY(!d.BtnLoeschen->isEnabled()); }();
        return ok(d);
    }));
    QCOMPARE(drawn, (QList<Type>{Type::Fill, Type::Polyline})); // background and cut frame
    QCOMPARE(doc_.Inhalt[0], quint8(3));
    QVERIFY(doc_.Bild[0].isNull());
    QVERIFY(doc_.BildFormat[0].DateiName.isEmpty());
    QCOMPARE(doc_.VerzListe[0].size(), 1); // the listing stays in the document
}

void TestBild::endingsFreeWhatIsNotKept_data() {
    QTest::addColumn<int>("ending"); // 0 OK, 1 Cancel, 2 Escape
    QTest::newRow("OK") << 0;
    QTest::newRow("Cancel") << 1;
    QTest::newRow("Escape") << 2;
}

void TestBild::endingsFreeWhatIsNotKept() {
    QFETCH(int, ending);
    const QString a = picture(pictures() + "a.bmp", QSize(4, 3), Qt::green);
    doc_.Bild[0] = Picture::load(a);
    doc_.BildFormat[0].DateiName = a;
    Picture old = doc_.Bild[0];
    Picture first, second;
    dialogs_.answerOpenFile(picture(pictures() + "b.bmp", QSize(5, 3), Qt::red))
        .answerOpenFile(picture(pictures() + "c.bmp", QSize(6, 3), Qt::blue));
    const bool taken = run([&](TDlgBild& d) {
        d.BtnLadenClick();
        first = d.Logic.Bild;
        d.BtnLadenClick();
        second = d.Logic.Bild;
        if (ending == 0)
            d.OKBtnClick();
        else if (ending == 1)
            d.CancelBtnClick();
        else
            d.reject();
        return d.result();
    });
    QCOMPARE(taken, ending == 0);
    QCOMPARE(first.size(), QSize(5, 3));
    QCOMPARE(second.size(), QSize(6, 3));
    // What the document does not hold now is held by nobody but this test.
    QVERIFY(first.image().isDetached());
    QVERIFY(dlg_->Logic.Bild.isNull() && dlg_->Logic.AltBild.isNull());
    if (ending == 0) {
        QVERIFY(old.image().isDetached());
        QCOMPARE(doc_.Bild[0].image().cacheKey(), second.image().cacheKey());
        QCOMPARE(doc_.BildFormat[0].DateiName, pictures() + "c.bmp");
    } else {
        QVERIFY(second.image().isDetached());
        QCOMPARE(doc_.Bild[0].image().cacheKey(), old.image().cacheKey());
        QCOMPARE(doc_.BildFormat[0].DateiName, a);
        QVERIFY(!doc_.Geaendert);
        QCOMPARE(doc_.Inhalt[0], quint8(0));
    }
}

void TestBild::stretchKeepsAlignment() {
    // Designed state: stretch, centred.
    QCOMPARE(dlg_->BildmasseItems->checkedId(), 1);
    QCOMPARE(dlg_->AusrichtungItems->checkedId(), 2);
    doc_.BildFormat[0].Bildmasse = 0;
    doc_.BildFormat[0].Ausrichtung = 0;
    QVERIFY(run([](TDlgBild& d) {
        [&] {
            QVERIFY(d.RadioAusrichtung->isEnabled());
            QCOMPARE(d.AusrichtungItems->checkedId(), 0);
            d.BildmasseItems->button(1)->click();
            QVERIFY(!d.RadioAusrichtung->isEnabled());
            QCOMPARE(d.AusrichtungItems->checkedId(), 0);
        }();
        return ok(d);
    }));
    QCOMPARE(doc_.BildFormat[0].Bildmasse, 1);
    QCOMPARE(doc_.BildFormat[0].Ausrichtung, 0);
}

// Filling takes the alignment; the preview's foot names the picture, its pixels and the
// resolution it prints at, warns below 150 dpi, and the next load starts in its folder.
void TestBild::fillTellsSizeAndResolution() {
    const QString first = picture(tmp_->filePath("camera/icon.bmp"), QSize(64, 32), Qt::red);
    const QString second = picture(tmp_->filePath("camera/photo.bmp"), QSize(1600, 1200), Qt::blue);
    doc_.KopfFormat[0].Sichtbar = 0;
    doc_.FussFormat[0].Sichtbar = 0;
    dialogs_.answerOpenFile(first);
    dialogs_.answerMessage(MsgResult::No);
    dialogs_.answerOpenFile(second);
    dialogs_.answerMessage(MsgResult::No);
    QVERIFY(run([](TDlgBild& d) {
        [&] {
            d.BildmasseItems->button(2)->click();
            QVERIFY(d.RadioAusrichtung->isEnabled());
            d.BtnLadenClick();
            // 32 pixels over 120 mm: 6 dpi.
            QCOMPARE(d.PaintBoxVorschau->footText(),
                     QStringLiteral("icon.bmp: 64 × 32 pixels, printed at 6 dpi\n"
                                    "The picture is printed at only 6 dpi (below 150 dpi)."));
            d.BtnLadenClick();
            // 1200 pixels over 120 mm: 254 dpi.
            QCOMPARE(d.PaintBoxVorschau->footText(),
                     QStringLiteral("photo.bmp: 1,600 × 1,200 pixels, printed at 254 dpi"));
        }();
        return ok(d);
    }));
    QCOMPARE(dialogs_.asked().size(), 4); // open, copy question, open, copy question
    QCOMPARE(dialogs_.asked().at(2).request.directory, tmp_->filePath("camera/"));
    QCOMPARE(doc_.BildFormat[0].Bildmasse, 2);
}

void TestBild::dropLoadsLikeTheButton() {
    const QString source = picture(tmp_->filePath("foto.bmp"), QSize(9, 6), Qt::red);
    dialogs_.answerMessage(MsgResult::No);
    QVERIFY(run([&](TDlgBild& d) {
        QMimeData text;
        text.setText(source); // not a file: refused
        QDragEnterEvent refused(QPoint(50, 50), Qt::CopyAction, &text, Qt::LeftButton, {});
        QApplication::sendEvent(d.PaintBoxVorschau, &refused);
        [&] { QVERIFY(!refused.isAccepted()); }();
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(source)});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &files, Qt::LeftButton, {});
        QApplication::sendEvent(d.PaintBoxVorschau, &enter);
        [&] { QVERIFY(enter.isAccepted()); }();
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &files, Qt::LeftButton, {});
        QApplication::sendEvent(d.PaintBoxVorschau, &drop);
        return ok(d);
    }));
    QCOMPARE(dialogs_.messages(), QStringList{"Copy this image to the PICTURE-Sub-Directory ?"});
    QCOMPARE(doc_.BildFormat[0].DateiName, source);
    QCOMPARE(doc_.Bild[0].size(), QSize(9, 6));
}

void TestBild::pictureCommandFromTheMenu() {
    TSDIAppForm form(dialogs_);
    form.AskLanguage = [] { return 44; };
    dialogs_.answerMessage(MsgResult::Ok); // no settings: the template is reported
    form.FormShow();
    QVERIFY(form.MenuBild->isEnabled() && form.BtnBild->isEnabled());
    const QString source = picture(pictures() + "foto.bmp", QSize(9, 6), Qt::red);
    dialogs_.answerOpenFile(source);
    form.DlgBild->Execute = [&] {
        form.DlgBild->FormShow();
        form.DlgBild->BtnLadenClick();
        return ok(*form.DlgBild);
    };
    form.MenuBild->trigger();
    QVERIFY(form.MenuBild->isChecked() && !form.MenuText->isChecked());
    QCOMPARE(form.document().Inhalt[0], quint8(3));
    QCOMPARE(form.Vorschau->preview().Vorschaubild().elements(Type::Image).size(), 1);
}

QTEST_MAIN(TestBild)
#include "tst_bild.moc"
