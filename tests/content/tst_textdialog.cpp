#include "content/dialogpreview.h"
#include "content/text.h"
#include "content/txtedit.h"
#include "document/coverdocument.h"
#include "platform/stringtable.h"
#include "scripteddialogs.h"
#include "testprogdir.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {
struct Harness {
    TestProgDir progDir;
    ScriptedDialogs dialogs;
    TDlgText dlg{dialogs, {QStringLiteral("Liberation Sans"), QStringLiteral("Times New Roman")}};
    TDlgTextEditor& editor = *dlg.DlgTextEditor;
};

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

bool previewHasText(const TDlgText& d) {
    return !d.PaintBoxVorschau->picture().elements(Recording::Element::Type::Text).isEmpty();
}
} // namespace

class TestTextDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadFile_data();
    void loadFile();
    void saveFile_data();
    void saveFile();
    void unreadableOrUnwritableFileKeepsText_data();
    void unreadableOrUnwritableFileKeepsText();
    void textButtonFlow_data();
    void textButtonFlow();
    void editorFontHeightAndTab_data();
    void editorFontHeightAndTab();
    void readOnlyBlocksEveryChange();
    void pasteFollowsClipboard();
    void undoAndRedoOfTyping();
    void previewPlacesTextInContentArea_data();
    void previewPlacesTextInContentArea();
};

void TestTextDialog::loadFile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("three lines") << QByteArray("one\r\ntwo\r\nthree") << "one\r\ntwo\r\nthree\r\n";
    QTest::newRow("CR, LF, CR LF") << QByteArray("a\rb\nc\r\n") << "a\r\nb\r\nc\r\n";
    QTest::newRow("empty") << QByteArray() << "";
    QTest::newRow("Windows-1252") << QByteArray("M\xFCller") << QString::fromUtf8("Müller\r\n");
}

void TestTextDialog::loadFile() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    Harness h;
    h.dlg.Text = QStringLiteral("before");
    h.dlg.FormShow();
    const QString path = h.progDir.file(QStringLiteral("TEXTE/in.txt"));
    writeAll(path, bytes);
    h.dialogs.answerOpenFile(path);
    h.dlg.BtnLadenClick();
    const FileDialogRequest& r = h.dialogs.asked().first().request;
    QCOMPARE(r.title, LadeText(353));
    QCOMPARE(r.filter, QStringLiteral("Text (TXT)|*.txt"));
    QCOMPARE(r.defaultSuffix, QStringLiteral("txt"));
    QCOMPARE(QDir(r.directory).canonicalPath(), QDir(h.progDir.file("TEXTE")).canonicalPath());
    QCOMPARE(h.dlg.Text, text);
    QCOMPARE(h.dlg.BtnSpeichern->isEnabled(), !text.isEmpty());
    QCOMPARE(h.dlg.BtnLoeschen->isEnabled(), !text.isEmpty());
    QVERIFY(h.dlg.BtnBearbeiten->isEnabled());
    QCOMPARE(previewHasText(h.dlg), !text.isEmpty());
    h.dlg.HelpBtn->click();
    QVERIFY(h.dialogs.opened().value(0).endsWith(QLatin1String("/workshops.htm")));
}

void TestTextDialog::saveFile_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("existing"); // empty: no file yet
    QTest::addColumn<int>("answer");          // to the overwrite question
    QTest::addColumn<QByteArray>("written");
    const int none = -1, ok = int(MsgResult::Ok), cancel = int(MsgResult::Cancel);
    QTest::newRow("ends in CR LF: last line empty")
        << "a\r\nb\r\n"
        << QByteArray() << none << QByteArray("a\r\nb\r\n\r\n");
    QTest::newRow("Windows-1252") << QString::fromUtf8("Müller") << QByteArray() << none
                                  << QByteArray("M\xFCller\r\n");
    QTest::newRow("UTF-8 beyond 1252")
        << QString::fromUtf8("Ж") << QByteArray() << none << QByteArray("\xD0\x96\r\n");
    QTest::newRow("overwrite agreed") << "new" << QByteArray("old") << ok << QByteArray("new\r\n");
    QTest::newRow("overwrite refused") << "new" << QByteArray("old") << cancel << QByteArray("old");
}

void TestTextDialog::saveFile() {
    QFETCH(QString, text);
    QFETCH(QByteArray, existing);
    QFETCH(int, answer);
    QFETCH(QByteArray, written);
    Harness h;
    const QString path = h.progDir.file(QStringLiteral("TEXTE/out.txt"));
    if (!existing.isEmpty()) writeAll(path, existing);
    h.dlg.Text = text;
    h.dlg.FormShow();
    h.dialogs.answerSaveFile(path);
    if (answer >= 0) h.dialogs.answerMessage(MsgResult(answer));
    h.dlg.BtnSpeichernClick();
    QVERIFY(h.dialogs.allAnswered());
    QCOMPARE(h.dialogs.asked().first().request.title, LadeText(354));
    if (answer >= 0)
        QCOMPARE(h.dialogs.messages().first(), QStringLiteral("OUT.TXT ") + LadeText(804));
    QCOMPARE(readAll(path), written);
    QCOMPARE(QDir(h.progDir.file("TEXTE")).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void TestTextDialog::unreadableOrUnwritableFileKeepsText_data() {
    QTest::addColumn<bool>("load");
    QTest::addColumn<QString>("path"); // relative to the program directory
    QTest::newRow("load a missing file") << true << "TEXTE/gone.txt";
    QTest::newRow("load a folder") << true << "TEXTE";
    QTest::newRow("save below a file") << false << "zarvex.INI/x.txt";
    QTest::newRow("save into a missing folder") << false << "nowhere/x.txt";
}

void TestTextDialog::unreadableOrUnwritableFileKeepsText() {
    QFETCH(bool, load);
    QFETCH(QString, path);
    Harness h;
    h.dlg.Text = QStringLiteral("typed\r\n");
    h.dlg.FormShow();
    const QString full = h.progDir.file(path);
    if (load)
        h.dialogs.answerOpenFile(full);
    else
        h.dialogs.answerSaveFile(full);
    h.dialogs.answerMessage(MsgResult::Ok);
    load ? h.dlg.BtnLadenClick() : h.dlg.BtnSpeichernClick();
    QCOMPARE(h.dialogs.asked().last().msgKind, MsgKind::Error);
    QVERIFY2(h.dialogs.messages().last().contains(full), qPrintable(h.dialogs.messages().last()));
    QCOMPARE(h.dlg.Text, QStringLiteral("typed\r\n"));
    QVERIFY(h.dlg.BtnSpeichern->isEnabled());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

// BtnTextClick with what the user does in the dialog (and in the editor it opens).
void TestTextDialog::textButtonFlow_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("applied");
    QTest::addColumn<QString>("text"); // the side's text afterwards
    QTest::newRow("empty text, OK") << "delete ok" << true << "";
    QTest::newRow("editor closed, OK") << "edit ok" << true << "old\r\nnew";
    QTest::newRow("editor closed, Cancel") << "edit cancel" << false << "old\r\n";
    QTest::newRow("close box") << "reject" << false << "old\r\n";
}

void TestTextDialog::textButtonFlow() {
    QFETCH(QString, action);
    QFETCH(bool, applied);
    QFETCH(QString, text);
    Harness h;
    CoverDocument doc;
    doc.reset();
    doc.AktSeite = 1;
    doc.Inhalt[1] = 1;
    doc.TextInhalt[1] = QStringLiteral("old\r\n");
    doc.TextFormat[1].Groesse = 5;
    QAction verz, txt, bild;
    for (QAction* a : {&verz, &txt, &bild})
        a->setCheckable(true);
    verz.setChecked(true);
    txt.setChecked(true); // as the menu item toggles itself when chosen
    QList<int> rendered;
    QTimer::singleShot(0, [&] {
        TDlgText& d = h.dlg;
        QCOMPARE(d.Text, QStringLiteral("old\r\n"));
        QCOMPARE(d.Seite, quint8(1));
        d.CheckFett->click();
        if (action == QLatin1String("delete ok")) {
            d.BtnLoeschen->click();
            QVERIFY(!d.BtnSpeichern->isEnabled());
            d.OKBtn->click();
            return;
        }
        if (action == QLatin1String("reject")) {
            d.reject();
            return;
        }
        QTimer::singleShot(0, [&] {
            QPlainTextEdit* memo = h.editor.MemoTextEditor;
            memo->moveCursor(QTextCursor::End);
            QTest::keyClicks(memo, QStringLiteral("new"));
            h.editor.close(); // the window's close box
        });
        d.BtnBearbeiten->click();
        QCOMPARE(d.Text, QStringLiteral("old\r\nnew"));
        (action == QLatin1String("edit ok") ? d.OKBtn : d.CancelBtn)->click();
    });
    const bool ok = h.dlg.BtnTextClick(doc, {&verz, &txt, &bild}, [&](int s) { rendered << s; });
    QCOMPARE(ok, applied);
    QCOMPARE(doc.TextInhalt[1], text);
    QCOMPARE(int(doc.Inhalt[1]), applied ? 2 : 1);
    QCOMPARE(doc.TextFormat[1].Fett, quint8(applied ? 1 : 0));
    QCOMPARE(doc.TextFormat[1].Groesse, 5);
    QCOMPARE(doc.Geaendert, applied);
    QCOMPARE(rendered, applied ? QList<int>{1} : QList<int>{});
    QCOMPARE(verz.isChecked(), !applied);
    QCOMPARE(txt.isChecked(), applied);
    QVERIFY(!bild.isChecked());
}

void TestTextDialog::editorFontHeightAndTab_data() {
    QTest::addColumn<int>("groesse");
    QTest::addColumn<int>("pixels");
    QTest::newRow("  3 mm") << 0 << 20;
    QTest::newRow("30 mm") << 27 << 74;
}

void TestTextDialog::editorFontHeightAndTab() {
    QFETCH(int, groesse);
    QFETCH(int, pixels);
    Harness h;
    h.dlg.Format.Groesse = groesse;
    h.dlg.Format.Fett = 1;
    h.dlg.FormShow();
    QCOMPARE(h.dlg.ComboSchriftgroesse->currentText().right(5),
             groesse == 0 ? QStringLiteral(" 3 mm") : QStringLiteral("30 mm"));
    int height = 0;
    QTimer::singleShot(0, [&] {
        QPlainTextEdit* memo = h.editor.MemoTextEditor;
        height = QFontMetrics(memo->font()).height();
        QVERIFY(memo->font().bold());
        QTest::keyClick(memo, Qt::Key_Tab);
        QApplication::setActiveWindow(&h.editor);
        QTest::keyClick(memo, Qt::Key_X, Qt::AltModifier); // Alt+X closes
    });
    h.dlg.BtnBearbeitenClick();
    QVERIFY2(qAbs(height - pixels) <= 1, qPrintable(QString::number(height)));
    QCOMPARE(h.dlg.Text, QStringLiteral("\t"));
    QVERIFY(!h.editor.isVisible());
}

void TestTextDialog::readOnlyBlocksEveryChange() {
    Harness h;
    TDlgTextEditor& e = h.editor;
    QGuiApplication::clipboard()->setText(QStringLiteral("clip"));
    e.SetText(QStringLiteral("abc"));
    e.show();
    e.MenuNurLesenClick();
    QVERIFY(e.MenuNurLesen->isChecked());
    QVERIFY(!e.BtnNurLesen->isEnabled());
    QVERIFY(e.BtnEntriegeln->isEnabled());
    const QList<QWidget*> buttons = {e.BtnAusschneiden, e.BtnKopieren, e.BtnEinfuegen,
                                     e.BtnLoeschen, e.BtnAllesAuswaehlen};
    const QList<QAction*> items = {e.MenuAusschneiden, e.MenuKopieren, e.MenuEinfuegen,
                                   e.MenuLoeschen, e.MenuAllesAuswaehlen};
    for (QWidget* b : buttons)
        QVERIFY(!b->isEnabled());
    for (QAction* a : items)
        QVERIFY(!a->isEnabled());
    e.MemoTextEditor->selectAll();
    QTest::keyClicks(e.MemoTextEditor, QStringLiteral("x"));
    for (auto handler : {&TDlgTextEditor::MenuAusschneidenClick,
                         &TDlgTextEditor::MenuEinfuegenClick, &TDlgTextEditor::MenuLoeschenClick})
        (e.*handler)();
    QCOMPARE(e.Text(), QStringLiteral("abc"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("clip"));

    // The state stays for the next opening; turning it off enables everything again.
    e.close();
    e.show();
    QVERIFY(e.MenuNurLesen->isChecked());
    e.BtnEntriegeln->click();
    QVERIFY(!e.MenuNurLesen->isChecked() && e.BtnNurLesen->isEnabled());
    QVERIFY(!e.BtnEntriegeln->isEnabled());
    for (QWidget* b : buttons)
        QVERIFY(b->isEnabled());
    for (QAction* a : items)
        QVERIFY(a->isEnabled());
    QVERIFY(!e.MemoTextEditor->isReadOnly());
}

void TestTextDialog::pasteFollowsClipboard() {
    Harness h;
    TDlgTextEditor& e = h.editor;
    QGuiApplication::clipboard()->clear();
    e.SetText(QStringLiteral("ab"));
    e.FormShow();
    QVERIFY(!e.BtnEinfuegen->isEnabled() && !e.MenuEinfuegen->isEnabled());
    e.MenuAllesAuswaehlenClick();
    e.MenuKopierenClick();
    QVERIFY(e.BtnEinfuegen->isEnabled() && e.MenuEinfuegen->isEnabled());
    e.MemoTextEditor->moveCursor(QTextCursor::End);
    e.MenuEinfuegenClick();
    QCOMPARE(e.Text(), QStringLiteral("abab"));
    e.MemoTextEditor->selectAll();
    e.MenuAusschneidenClick();
    QCOMPARE(e.Text(), QString());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("abab"));
    e.SetText(QStringLiteral("xyz"));
    e.MenuAllesAuswaehlenClick();
    e.MenuLoeschenClick(); // delete leaves the clipboard alone
    QCOMPARE(e.Text(), QString());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("abab"));
}

void TestTextDialog::undoAndRedoOfTyping() {
    Harness h;
    TDlgTextEditor& e = h.editor;
    e.SetText(QStringLiteral("abc"));
    e.show();
    QVERIFY(!e.MenuRueckgaengig->isEnabled() && !e.MenuWiederherstellen->isEnabled());
    e.MemoTextEditor->moveCursor(QTextCursor::End);
    QTest::keyClicks(e.MemoTextEditor, QStringLiteral(" d"));
    QVERIFY(e.MenuRueckgaengig->isEnabled());
    QTest::keyClick(e.MemoTextEditor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(e.Text(), QStringLiteral("abc"));
    QVERIFY(e.MenuWiederherstellen->isEnabled());
    e.MenuWiederherstellen->trigger();
    QCOMPARE(e.Text(), QStringLiteral("abc d"));
    e.MenuRueckgaengig->trigger();
    QCOMPARE(e.Text(), QStringLiteral("abc"));
    e.MenuNurLesenClick(); // read-only: nothing to take back or repeat
    QVERIFY(!e.MenuRueckgaengig->isEnabled() && !e.MenuWiederherstellen->isEnabled());
    e.MenuWiederherstellenClick();
    QCOMPARE(e.Text(), QStringLiteral("abc"));
    e.MenuNurLesenClick();
    e.SetText(QStringLiteral("neu")); // the next opening starts without the old typing
    QVERIFY(!e.MenuRueckgaengig->isEnabled() && !e.MenuWiederherstellen->isEnabled());
    QCOMPARE(e.PopupMenu->actions().first(), e.MenuRueckgaengig);
}

void TestTextDialog::previewPlacesTextInContentArea_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("side");
    QTest::addColumn<bool>("header");
    QTest::addColumn<QPoint>("textAt"); // canvas units
    QTest::addColumn<int>("outlineWidth");
    // The header of size index 8 takes 12 mm: the text starts 1 + 12 mm down.
    QTest::newRow("front, header") << 0 << 0 << true << QPoint(10, 130) << 1200;
    QTest::newRow("back inlay in maxi layout") << 2 << 2 << false << QPoint(70, 10) << 1500;
    QTest::newRow("maxi front") << 2 << 0 << false << QPoint(200, 30) << 1670;
    QTest::newRow("paper case front") << 3 << 0 << false << QPoint(10, 260) << 1400;
}

void TestTextDialog::previewPlacesTextInContentArea() {
    QFETCH(int, layout);
    QFETCH(int, side);
    QFETCH(bool, header);
    QFETCH(QPoint, textAt);
    QFETCH(int, outlineWidth);
    Harness h;
    h.dlg.CoverLayout = layout;
    h.dlg.Seite = quint8(side);
    h.dlg.KopfFormat.Sichtbar = header ? 1 : 0;
    h.dlg.FussFormat.Sichtbar = 0;
    h.dlg.HgFormat.Art = 0;
    h.dlg.HgFormat.Farbe = 0x00FFFF;
    h.dlg.Text = QStringLiteral("Line");
    h.dlg.FormShow();
    const Recording& pic = h.dlg.PaintBoxVorschau->picture();
    const auto texts = pic.elements(Recording::Element::Type::Text);
    QCOMPARE(texts.size(), 1);
    QCOMPARE(texts.first().text, QStringLiteral("Line"));
    QCOMPARE(texts.first().pos.x(), textAt.x());
    QCOMPARE(texts.first().pos.y(), textAt.y());
    QCOMPARE(pic.elements(Recording::Element::Type::Fill).size(), 1); // background only
    QCOMPARE(pic.elements(Recording::Element::Type::Polyline).first().points.boundingRect().right(),
             outlineWidth);

    // On screen the side lies wholly inside the box, with its margin, as large as it fits.
    const QImage shot = h.dlg.PaintBoxVorschau->grab().toImage();
    QRect yellow;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (shot.pixel(x, y) == qRgb(255, 255, 0)) yellow |= QRect(x, y, 1, 1);
    const QString where = QStringLiteral("%1,%2 %3x%4 in %5x%6")
                              .arg(yellow.x())
                              .arg(yellow.y())
                              .arg(yellow.width())
                              .arg(yellow.height())
                              .arg(shot.width())
                              .arg(shot.height());
    QVERIFY2(yellow.right() < shot.width() - 10 && yellow.bottom() < shot.height() - 10,
             qPrintable(where));
    const QRect drawn = pic.boundingRect();
    const double scale = std::min(
        {0.2, (shot.width() - 20.0) / drawn.right(), (shot.height() - 20.0) / drawn.bottom()});
    const QRect fill = pic.elements(Recording::Element::Type::Fill).first().rect;
    QVERIFY2(qAbs(yellow.width() - fill.width() * scale) <= 3, // edges blend
             qPrintable(where + QStringLiteral(" fill %1 scale %2").arg(fill.width()).arg(scale)));
}

QTEST_MAIN(TestTextDialog)
#include "tst_textdialog.moc"
