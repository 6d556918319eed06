#include "app/sdimain.h"
#include "app/startup.h"
#include "clirunner.h"
#include "platform/paths.h"
#include "platform/stringtable.h"
#include "platform/textcodec.h"
#include "render/calibrationdialog.h"
#include "render/druck.h"
#include "render/previewbox.h"
#include "render/printcommand.h"
#include "render/printpreview.h"
#include "render/recordingdevice.h"
#include "scripteddialogs.h"
#include "scriptedprinter.h"
#include "testprogdir.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

// The print commands of the main window on a scripted printer: which sheets become jobs,
// ESC, the dialogs, and the preview coming back on every path.
class TestPrinting : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void sheetsPerChoice_data();
    void sheetsPerChoice();
    void escAbortsJobAndSkipsBackSheet();
    void dialogsAndRefusal();
    void printerErrorRestoresPreview();
    void calibrationMeasuredAndApplied();
    void exportPdf_data();
    void exportPdf();
    void sheetsFitPaper_data();
    void sheetsFitPaper();
    void previewShowsWhatPrints();

private:
    struct Window {
        ScriptedDialogs dialogs;
        ScriptedPrinter printer;
        std::unique_ptr<TSDIAppForm> w;
    };
    std::unique_ptr<Window> window(int layout);
    std::unique_ptr<TestProgDir> prog_;
};

namespace {
// "O L,T,R,B texts" per page: orientation, the box of the outlines in canvas units from the
// printable area's corner, the header texts in drawing order.
QString describe(const ScriptedPrinter::Page& page) {
    QRect box;
    for (const Recording::Element& e : page.picture.elements(Recording::Element::Type::Polyline))
        box |= e.points.boundingRect();
    QStringList texts;
    for (const Recording::Element& e : page.picture.elements(Recording::Element::Type::Text))
        if (e.text.startsWith(QLatin1String("Seite"))) texts << e.text;
    return QStringLiteral("%1 %2,%3,%4,%5 %6")
        .arg(page.orientation == QPageLayout::Landscape ? 'L' : 'P')
        .arg(box.left())
        .arg(box.top())
        .arg(box.right())
        .arg(box.bottom())
        .arg(texts.join(QLatin1Char('+')));
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// One entry per job, its pages joined by " / ".
QStringList describeAll(const ScriptedPrinter& printer) {
    QStringList out;
    for (const ScriptedPrinter::Job& job : printer.jobs()) {
        QStringList pages;
        for (const ScriptedPrinter::Page& page : job.pages)
            pages << describe(page);
        out << pages.join(QStringLiteral(" / "));
    }
    return out;
}

// After every print command the window shows the current side again.
void verifyPreviewBack(TSDIAppForm& w) {
    QVERIFY(!w.DruckLaeuft);
    QVERIFY(!w.Vorschau->preview().DruckLaeuft);
    QVERIFY(w.Vorschau->isVisibleTo(&w));
    const CoverDocument& doc = w.document();
    const Recording side = RecordDrawing([&](QPainter& p) {
        DrawSingleSide(p, doc, doc.AktSeite, DocumentTexts(doc, doc.AktSeite));
    });
    QCOMPARE(w.Vorschau->preview().Vorschaubild().dump(), side.dump());
}
} // namespace

void TestPrinting::initTestCase() {
    QStandardPaths::setTestModeEnabled(true); // calibrations go to a test settings folder
    prog_ = std::make_unique<TestProgDir>();
    QVERIFY(prog_->isValid());
    const QString exe = fileNamePart(QCoreApplication::applicationFilePath());
    writeTextLines(prog_->file(IniNameFor(exe)),
                   {"[EINSTELLUNGEN]", "sprache=49", "vorlage=ZVX/vorlage.zvx"});
    CalibrationStore().reset(QStringLiteral("scripted"));
    SheetMarksChoice().save(); // no bleed, no marks
}

std::unique_ptr<TestPrinting::Window> TestPrinting::window(int layout) {
    auto win = std::make_unique<Window>();
    win->w = std::make_unique<TSDIAppForm>(win->dialogs, win->printer);
    TSDIAppForm& w = *win->w;
    w.FormShow();
    CoverDocument& doc = w.document();
    doc.CoverLayout = quint8(layout);
    for (int s = 0; s < CoverDocument::SideCount; ++s) {
        doc.KopfText[s] = QStringLiteral("Seite %1").arg(s + 1);
        doc.KopfFormat[s].Sichtbar = 1;
    }
    w.EditKopfzeile->setText(doc.KopfText[doc.AktSeite]);
    w.RenderSidePreview(doc.AktSeite);
    return win;
}

void TestPrinting::sheetsPerChoice_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<QString>("checks"); // Vorderseiten, Rueckseite, VorderAussen, VorderInnen
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("jobs");
    QTest::addRow("normal, front inside only")
        << 0 << "0001" << true << QStringList{"P 100,1400,1300,2600 Seite 2"};
    QTest::addRow("normal, front outside and back")
        << 0 << "0110" << true << QStringList{"P 100,100,1600,2600 Seite 3+Seite 1"};
    QTest::addRow("normal, all three")
        << 0 << "1111" << true
        << QStringList{"L 100,100,2500,1300 Seite 2+Seite 1 / P 100,100,1600,1270 Seite 3"};
    QTest::addRow("normal, cancelled") << 0 << "1111" << false << QStringList{};
    QTest::addRow("normal, nothing checked") << 0 << "1000" << true << QStringList{};
    QTest::addRow("transparent, all")
        << 1 << "1111" << true
        << QStringList{"L 100,100,2500,1300 Seite 2+Seite 1 / P 100,100,1600,2570 Seite 3+Seite 4"};
    QTest::addRow("transparent, backs only")
        << 1 << "0111" << true << QStringList{"P 100,100,1600,2570 Seite 3+Seite 4"};
    QTest::addRow("transparent, nothing checked") << 1 << "0011" << true << QStringList{};
    QTest::addRow("maxi, no dialog")
        << 2 << "" << true << QStringList{"P 50,100,1720,2600 Seite 1+Seite 2"};
    QTest::addRow("paper case, no dialog")
        << 3 << "" << true << QStringList{"L 50,50,2700,1700 Seite 1+Seite 2"};
}

void TestPrinting::sheetsPerChoice() {
    QFETCH(int, layout);
    QFETCH(QString, checks);
    QFETCH(bool, ok);
    QFETCH(QStringList, jobs);
    auto win = window(layout);
    TSDIAppForm& w = *win->w;
    bool shownAsDesigned = false;
    if (!checks.isEmpty()) {
        win->dialogs.answerWindow([&](QDialog& d) {
            auto& dlg = static_cast<TDlgDruckauswahl&>(d);
            shownAsDesigned = dlg.CheckVorderseiten->isVisibleTo(&dlg) == (layout == 1) &&
                              dlg.CheckVorderAussen->isVisibleTo(&dlg) == (layout == 0) &&
                              dlg.CheckVorderInnen->isVisibleTo(&dlg) == (layout == 0) &&
                              dlg.CheckRueckseite->isVisibleTo(&dlg);
            const QList<QCheckBox*> boxes = {dlg.CheckVorderseiten, dlg.CheckRueckseite,
                                             dlg.CheckVorderAussen, dlg.CheckVorderInnen};
            for (int i = 0; i < 4; ++i)
                boxes[i]->setChecked(checks[i] == u'1');
            return ok ? QDialog::Accepted : QDialog::Rejected;
        });
    }
    w.BtnDrucken->click(); // the tool button: no print dialog
    QVERIFY(win->dialogs.allAnswered());
    QCOMPARE(win->dialogs.asked().size(), checks.isEmpty() ? 0 : 1);
    if (!checks.isEmpty()) QVERIFY(shownAsDesigned);
    QCOMPARE(describeAll(win->printer), jobs);
    for (const ScriptedPrinter::Job& job : win->printer.jobs()) {
        QCOMPARE(job.title, QStringLiteral("tervelt' Zarvex! 2"));
        QVERIFY(job.ended);
    }
    QVERIFY(w.StatusBar->currentMessage().isEmpty());
    verifyPreviewBack(w);
    // The boxes keep their state for the next command.
    if (!checks.isEmpty())
        QCOMPARE(w.DlgDruckauswahl->CheckVorderInnen->isChecked(), checks[3] == u'1');
}

void TestPrinting::escAbortsJobAndSkipsBackSheet() {
    auto win = window(1);
    TSDIAppForm& w = *win->w;
    QTest::keyClick(&w, Qt::Key_Escape); // no job: nothing happens, nothing is asked
    QVERIFY(win->dialogs.asked().isEmpty());

    win->dialogs.answerWindow([](QDialog&) { return QDialog::Accepted; });
    win->dialogs.answerMessage(MsgResult::Ok);
    bool pressed = false;
    win->printer.onProcessEvents = [&](int job, bool printing) {
        if (job == 0 && printing && !pressed) {
            pressed = true;
            QVERIFY(!w.Vorschau->isVisibleTo(&w));
            QVERIFY(w.DruckLaeuft);
            QCOMPARE(w.StatusBar->currentMessage(), LadeText(805));
            QTest::keyClick(w.EditKopfzeile, Qt::Key_Escape); // the window sees it first
        }
    };
    w.BtnDruckenClick();
    QVERIFY(pressed);
    QCOMPARE(win->dialogs.messages(), QStringList{LadeText(802)});
    QCOMPARE(win->printer.jobs().size(), 1);
    QVERIFY(win->printer.jobs()[0].aborted);
    QCOMPARE(win->printer.jobs()[0].pages.size(), 1); // the back sheet never started
    QVERIFY(w.printing().DruckAbbruch);
    QVERIFY(w.StatusBar->currentMessage().isEmpty());
    QVERIFY(!QGuiApplication::overrideCursor());
    verifyPreviewBack(w);
}

void TestPrinting::dialogsAndRefusal() {
    auto win = window(2);
    TSDIAppForm& w = *win->w;
    win->dialogs.answerPrintDialog(false);
    w.MenuDrucken->trigger(); // asks first; cancelled prints nothing
    QCOMPARE(win->printer.jobs().size(), 0);
    win->dialogs.answerPrinterSetup(true);
    w.Druckereinrichtung1->trigger(); // set-up only
    QCOMPARE(win->printer.jobs().size(), 0);

    // Confirmed: prints; a second command while the job runs is refused with 806.
    win->dialogs.answerPrintDialog(true);
    win->dialogs.answerMessage(MsgResult::Ok);
    bool again = false;
    win->printer.onProcessEvents = [&](int, bool printing) {
        if (printing && !again) {
            again = true;
            w.BtnDruckenClick();
        }
    };
    w.MenuDrucken->trigger();
    QVERIFY(win->dialogs.allAnswered());
    QCOMPARE(win->dialogs.messages(), QStringList{LadeText(806)});
    QCOMPARE(win->printer.jobs().size(), 1);
    QVERIFY(win->printer.jobs()[0].ended);
    verifyPreviewBack(w);
}

void TestPrinting::printerErrorRestoresPreview() {
    auto win = window(0);
    TSDIAppForm& w = *win->w;
    win->printer.failBeginAtJob = 0;
    win->dialogs.answerWindow([](QDialog&) { return QDialog::Accepted; });
    win->dialogs.answerMessage(MsgResult::Ok);
    w.BtnDruckenClick();
    QCOMPARE(win->dialogs.asked().last().msgKind, MsgKind::Error);
    QCOMPARE(win->dialogs.messages(), QStringList{"printer on fire"});
    QCOMPARE(win->printer.jobs().size(), 0);
    QVERIFY(!win->printer.printing());
    verifyPreviewBack(w);
}

void TestPrinting::calibrationMeasuredAndApplied() {
    auto win = window(2);
    TSDIAppForm& w = *win->w;
    // The user prints the calibration sheet and measures: cross 2.0 mm too far left, the
    // 100 mm ruler 1 % short. Margins are 5 mm.
    win->dialogs.answerWindow([&](QDialog& d) {
        auto& dlg = static_cast<PrinterCalibrationDialog&>(d);
        dlg.BtnMessbogen->click();
        dlg.EditKreuzLinks->setValue(5 + 10 / 1.01 - 2.0 / 1.01);
        dlg.EditLineal100->setValue(100 / 1.01);
        return QDialog::Accepted;
    });
    w.MenuKalibrieren->trigger();
    QVERIFY(win->dialogs.allAnswered());
    QCOMPARE(win->printer.jobs().size(), 1);
    // The calibration sheet: the cross 10 mm from the printable area's corner.
    const auto lines =
        win->printer.jobs()[0].pages[0].picture.elements(Recording::Element::Type::Line);
    QVERIFY(!lines.isEmpty());
    QCOMPARE(lines[0].line.y1(), 100);
    const PrinterCalibration stored = CalibrationStore().load(QStringLiteral("scripted"));
    QCOMPARE(stored.offsetX, 20);
    QCOMPARE(stored.offsetY, 0);
    QCOMPARE(stored.scaleX, 10100);
    QCOMPARE(stored.scaleY, 10000);
    // The command's status text outlasts the hints of controls and menu items.
    const QString saved = w.StatusBar->currentMessage();
    QVERIFY2(saved.contains(QStringLiteral("scripted")), qPrintable(saved));
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(w.BtnOpen, &enter);
    QCOMPARE(w.StatusBar->currentMessage(), saved);
    w.Neu1->showStatusText(w.menuBar());
    QCOMPARE(w.StatusBar->currentMessage(), w.Neu1->statusTip());
    QStatusTipEvent left{QString()};
    QApplication::sendEvent(&w, &left);
    QCOMPARE(w.StatusBar->currentMessage(), saved);

    w.BtnDruckenClick();
    QCOMPARE(win->printer.jobs().size(), 2);
    // x' = 2.0 mm + 101 % of x: 50 -> 70.5, 1720 -> 1757.2 canvas units.
    QRect box;
    for (const auto& e :
         win->printer.jobs()[1].pages[0].picture.elements(Recording::Element::Type::Polyline))
        box |= e.points.boundingRect();
    QVERIFY2(qAbs(box.left() - 70.5) <= 1 && qAbs(box.right() - 1757.2) <= 1,
             qPrintable(QStringLiteral("%1..%2").arg(box.left()).arg(box.right())));
    QCOMPARE(box.top(), 100);

    // Reset from the dialog: the next print is uncorrected again.
    win->dialogs.answerWindow([](QDialog& d) {
        static_cast<PrinterCalibrationDialog&>(d).BtnZuruecksetzen->click();
        return QDialog::Rejected;
    });
    w.MenuKalibrieren->trigger();
    QVERIFY(CalibrationStore().load(QStringLiteral("scripted")).isIdentity());
}

void TestPrinting::exportPdf_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("paper"); // the printer's
    QTest::addColumn<QString>("pages");
    QTest::addRow("normal, front inside, A4") << 0 << int(QPageSize::A4) << "595x842";
    QTest::addRow("paper case, Letter") << 3 << int(QPageSize::Letter) << "792x612";
    QTest::addRow("maxi, A5 printer gets A4") << 2 << int(QPageSize::A5) << "595x842";
}

void TestPrinting::exportPdf() {
    QFETCH(int, layout);
    QFETCH(int, paper);
    QFETCH(QString, pages);
    auto win = window(layout);
    TSDIAppForm& w = *win->w;
    win->printer.layout.setPageSize(QPageSize(QPageSize::PageSizeId(paper)));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("cover.pdf"));
    if (layout == 0)
        win->dialogs.answerWindow([](QDialog& d) {
            auto& dlg = static_cast<TDlgDruckauswahl&>(d);
            dlg.CheckVorderAussen->setChecked(false);
            dlg.CheckRueckseite->setChecked(false);
            dlg.CheckVorderInnen->setChecked(true);
            return QDialog::Accepted;
        });
    win->dialogs.answerSaveFile(pdf);
    w.MenuPdfExport->trigger();
    QVERIFY(win->dialogs.allAnswered());
    QCOMPARE(win->printer.jobs().size(), 0); // nothing went to the printer
    QStringList got;
    for (const QSizeF& size : pdfPageSizes(pdf))
        got << QStringLiteral("%1x%2").arg(qRound(size.width())).arg(qRound(size.height()));
    QCOMPARE(got.join(u' '), pages);

    // An existing file is kept when the user does not want it overwritten.
    const QByteArray before = readBytes(pdf);
    if (layout == 0) win->dialogs.answerWindow([](QDialog&) { return QDialog::Accepted; });
    win->dialogs.answerSaveFile(pdf).answerMessage(MsgResult::Cancel);
    w.MenuPdfExport->trigger();
    QVERIFY(win->dialogs.allAnswered());
    QVERIFY(win->dialogs.messages().last().startsWith(QStringLiteral("COVER.PDF ")));
    QCOMPARE(readBytes(pdf), before);
}

void TestPrinting::sheetsFitPaper_data() {
    QTest::addColumn<int>("paper");
    QTest::addColumn<double>("margin");
    QTest::addColumn<double>("bleed");
    QTest::addColumn<bool>("cropMarks");
    QTest::addColumn<QString>("cut"); // layouts whose sheets would be cut
    const int a4 = int(QPageSize::A4), letter = int(QPageSize::Letter);
    QTest::addRow("A4, 5 mm") << a4 << 5.0 << 0.0 << false << "";
    QTest::addRow("Letter, 4 mm") << letter << 4.0 << 0.0 << false << "";
    QTest::addRow("Letter, 1/4 inch") << letter << 6.35 << 0.0 << false << "3";
    QTest::addRow("A4, 20 mm") << a4 << 20.0 << 0.0 << false << "23";
    // Marks reach 8 mm beyond the outlines: past the paper's corner for sheets 5 mm in.
    QTest::addRow("A4, 5 mm, crop marks") << a4 << 5.0 << 0.0 << true << "23";
    QTest::addRow("A4, 5 mm, bleed 5 mm") << a4 << 5.0 << 5.0 << false << "";
}

void TestPrinting::sheetsFitPaper() {
    QFETCH(int, paper);
    QFETCH(double, margin);
    QFETCH(double, bleed);
    QFETCH(bool, cropMarks);
    QFETCH(QString, cut);
    const QSizeF page = QPageSize(QPageSize::PageSizeId(paper)).size(QPageSize::Millimeter);
    QString got;
    for (int layout = 0; layout < 4; ++layout) {
        for (const SheetLayout& sheet : SheetsFor(layout, PrintSelection{})) {
            const QSizeF oriented =
                sheet.orientation == SheetOrientation::Landscape ? page.transposed() : page;
            const QSizeF printable = oriented - QSizeF(2 * margin, 2 * margin);
            if (!PrintCommand::FitWarning(sheet, printable, {}, SheetMarks{bleed, cropMarks})
                     .isEmpty() &&
                !got.contains(QString::number(layout)))
                got += QString::number(layout);
        }
    }
    QCOMPARE(got, cut);
}

// The preview holds the pages printing would send, on the printer's paper; "Print" there
// sends exactly those. Bleed and crop marks chosen in the selection are kept for the user.
void TestPrinting::previewShowsWhatPrints() {
    auto win = window(0);
    TSDIAppForm& w = *win->w;
    win->dialogs.answerWindow([](QDialog& d) {
        auto& dlg = static_cast<TDlgDruckauswahl&>(d);
        dlg.CheckBeschnitt->setChecked(true);
        dlg.EditBeschnitt->setValue(3);
        dlg.CheckSchnittmarken->setChecked(true);
        return QDialog::Accepted;
    });
    QStringList shown;
    QList<QMarginsF> margins;
    double zoomed = 0;
    win->dialogs.answerWindow([&](QDialog& d) {
        auto& dlg = static_cast<PrintPreviewDialog&>(d);
        for (const PreviewPrinter::Page& page : dlg.pages()) {
            shown << page.picture.dump();
            margins << page.layout.margins(QPageLayout::Millimeter);
        }
        const double before = dlg.zoom();
        dlg.BtnZoomIn->click();
        zoomed = dlg.zoom() / before;
        return QDialog::Accepted; // "Print"
    });
    w.BtnDruckvorschau->click();
    QVERIFY(win->dialogs.allAnswered());
    QCOMPARE(shown.size(), 2);
    QCOMPARE(margins, (QList<QMarginsF>{QMarginsF(5, 5, 5, 5), QMarginsF(5, 5, 5, 5)}));
    QVERIFY(zoomed > 1);
    QCOMPARE(win->printer.jobs().size(), 1);
    const ScriptedPrinter::Job& job = win->printer.jobs()[0];
    QCOMPARE(job.pages.size(), 2);
    QCOMPARE(job.pages[0].orientation, QPageLayout::Landscape);
    QCOMPARE(job.pages[1].orientation, QPageLayout::Portrait);
    for (int i = 0; i < 2; ++i)
        QCOMPARE(job.pages[i].picture.dump(), shown[i]);
    // 5 mm crop marks, two at each corner of the fronts.
    int marks = 0;
    for (const Recording::Element& e :
         job.pages[0].picture.elements(Recording::Element::Type::Line))
        if (QLineF(e.line).length() == 50) ++marks;
    QCOMPARE(marks, 8);
    verifyPreviewBack(w);

    // Kept for the user; closing the preview prints nothing.
    const SheetMarksChoice kept = SheetMarksChoice::load();
    QVERIFY(kept.bleedOn && kept.cropMarks);
    QCOMPARE(kept.bleedMm, 3.0);
    QCOMPARE(TDlgDruckauswahl().marksChoice().bleedMm, 3.0);
    win->dialogs.answerWindow([](QDialog&) { return QDialog::Accepted; });
    win->dialogs.answerWindow([](QDialog&) { return QDialog::Rejected; });
    w.MenuDruckvorschau->trigger();
    QVERIFY(win->dialogs.allAnswered());
    QCOMPARE(win->printer.jobs().size(), 1);
    SheetMarksChoice().save();
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
