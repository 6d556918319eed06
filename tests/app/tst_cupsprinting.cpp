#include "app/sdimain.h"
#include "app/startup.h"
#include "clirunner.h"
#include "pagemeasure.h"
#include "platform/paths.h"
#include "platform/printercalibration.h"
#include "platform/qtprinter.h"
#include "platform/stringtable.h"
#include "platform/textcodec.h"
#include "render/druck.h"
#include "scripteddialogs.h"
#include "testprogdir.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImageReader>
#include <QKeyEvent>
#include <QPrintEngine>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace PageMeasure;

// Real printing: the window's print command on the cups-pdf queues of
// scripts/cups-test-queue, measured in the PDFs the queues write. Fails when the queues
// cannot be set up.
class TestCupsPrinting : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void printsAtTrueSize_data();
    void printsAtTrueSize();
    void plainQueueKeepsEverySheet();
    void escSendsNothing();
    void deletedQueueNamed();

private:
    QStringList waitForJobs(const QString& queue, int count);
    std::unique_ptr<TestProgDir> prog_;
    QHash<QString, QString> outDirs_; // queue -> the folder it writes to
    QTemporaryDir tmp_;
};

namespace {
const QString Queue = QStringLiteral("zarvex-pdf");            // printable area = whole page
const QString Queue5 = QStringLiteral("zarvex-pdf-5pt");       // 5 pt unprintable on every side
const QString PlainQueue = QStringLiteral("zarvex-pdf-plain"); // no job labels
const auto CupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// Layout 0, white sides so only outlines are dark, all three boxes checked.
void prepare(TSDIAppForm& w, ScriptedDialogs& dialogs, int layout) {
    w.FormShow();
    CoverDocument& doc = w.document();
    doc.CoverLayout = quint8(layout);
    for (int s = 0; s < CoverDocument::SideCount; ++s) {
        doc.HgFormat[s].Art = 0;
        doc.HgFormat[s].Farbe = 0xFFFFFF;
        doc.KopfFormat[s].Sichtbar = 0;
        doc.FussFormat[s].Sichtbar = 0;
        doc.Inhalt[s] = 0;
    }
    dialogs.answerWindow([](QDialog&) { return QDialog::Accepted; });
}

// The queue's files in job order ("job_N-title.pdf").
QStringList pdfsIn(const QString& dir) {
    QStringList files = QDir(dir).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    auto job = [](const QString& f) { return f.section(u'-', 0, 0).mid(4).toInt(); };
    std::sort(files.begin(), files.end(),
              [&](const QString& a, const QString& b) { return job(a) < job(b); });
    for (QString& f : files)
        f = dir + QLatin1Char('/') + f;
    return files;
}

// Dark lines along a row (across) or a column (down) of a landscape sheet, in the sheet's own
// frame. The queue may put a landscape job on portrait paper turned a quarter, the sheet's
// left edge at the bottom of the page; the lines are then read off the turned page.
QList<double> acrossSheet(const QImage& page, double yMm) {
    if (page.width() > page.height()) return acrossMm(page, yMm);
    const double height = page.height() / PxPerMm;
    QList<double> out;
    const QList<double> ys = downMm(page, yMm);
    for (auto it = ys.rbegin(); it != ys.rend(); ++it)
        out << height - *it;
    return out;
}

QList<double> downSheet(const QImage& page, double xMm) {
    if (page.width() > page.height()) return downMm(page, xMm);
    return acrossMm(page, page.height() / PxPerMm - xMm);
}

bool queueIdle(const QString& queue) {
    QProcess p;
    p.start(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue});
    p.waitForFinished(10000);
    return p.exitCode() == 0 && p.readAllStandardOutput().trimmed().isEmpty();
}
} // namespace

void TestCupsPrinting::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QProcess setup;
    setup.start(QStringLiteral(ZARVEX_SOURCE_DIR "/scripts/cups-test-queue"), {});
    QVERIFY(setup.waitForFinished(60000));
    const QString err = QString::fromLocal8Bit(setup.readAllStandardError());
    QVERIFY2(setup.exitStatus() == QProcess::NormalExit && setup.exitCode() == 0,
             qPrintable(QStringLiteral("the CUPS test queue cannot be set up: ") + err));
    for (const QString& line :
         QString::fromLocal8Bit(setup.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts))
        outDirs_.insert(line.section(u' ', 0, 0), line.section(u' ', 1));
    for (const QString& queue : {Queue, Queue5, PlainQueue}) {
        QVERIFY2(QDir(outDirs_.value(queue)).exists(), qPrintable(queue));
        for (const QString& f : pdfsIn(outDirs_.value(queue)))
            QFile::remove(f);
    }
    QVERIFY(tmp_.isValid());
    QImageReader::setAllocationLimit(1024);
    prog_ = std::make_unique<TestProgDir>();
    const QString exe = fileNamePart(QCoreApplication::applicationFilePath());
    writeTextLines(prog_->file(IniNameFor(exe)),
                   {"[EINSTELLUNGEN]", "sprache=49", "vorlage=ZVX/vorlage.zvx"});
}

// cups-pdf works after the job was accepted: wait (bounded) until the files are there, and
// measure copies (another run of this test on the machine clears the queue's folder).
QStringList TestCupsPrinting::waitForJobs(const QString& queue, int count) {
    const QString dir = outDirs_.value(queue);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60000 && !(pdfsIn(dir).size() >= count && queueIdle(queue)))
        QTest::qWait(200);
    QTest::qWait(300); // the last file is complete once the queue is idle
    QStringList copies;
    for (const QString& f : pdfsIn(dir)) {
        const QString copy = tmp_.filePath(queue + QLatin1Char('-') + fileNamePart(f));
        QFile::remove(copy);
        if (QFile::copy(f, copy)) copies << copy;
    }
    return copies;
}

void TestCupsPrinting::printsAtTrueSize_data() {
    QTest::addColumn<QString>("queue");
    QTest::addColumn<double>("margin"); // mm the queue's PPD leaves unprintable
    QTest::addColumn<int>("layout");
    QTest::addColumn<bool>("calibrated");    // +2.0 mm across, 101 % across
    QTest::addColumn<QStringList>("chosen"); // what the print dialog left for CUPS
    const double pt5 = 5 * 25.4 / 72;
    QTest::addRow("whole page, normal case") << Queue << 0.0 << 0 << false << QStringList{};
    QTest::addRow("5 pt, normal case") << Queue5 << pt5 << 0 << false << QStringList{};
    QTest::addRow("whole page, transparent case") << Queue << 0.0 << 1 << false << QStringList{};
    QTest::addRow("whole page, calibrated") << Queue << 0.0 << 0 << true << QStringList{};
    QTest::addRow("5 pt, 2 pages per sheet and fit to page chosen")
        << Queue5 << pt5 << 0 << false
        << QStringList{"number-up", "2", "fit-to-page", "true", "landscape", ""};
}

// One job of two pages, the landscape fronts and the portrait back, each at its offset from
// the printable area's corner and at true size.
void TestCupsPrinting::printsAtTrueSize() {
    QFETCH(QString, queue);
    QFETCH(double, margin);
    QFETCH(int, layout);
    QFETCH(bool, calibrated);
    QFETCH(QStringList, chosen);
    for (const QString& f : pdfsIn(outDirs_.value(queue)))
        QFile::remove(f);
    CalibrationStore store;
    store.reset(queue);
    if (calibrated) store.save(queue, PrinterCalibration{20, 0, 10100, 10000});

    QtPrinter printer;
    printer.device().setPrinterName(queue);
    QCOMPARE(printer.printerName(), queue);
    if (!chosen.isEmpty()) printer.device().printEngine()->setProperty(CupsOptionsKey, chosen);
    ScriptedDialogs dialogs;
    TSDIAppForm w(dialogs, printer);
    prepare(w, dialogs, layout);
    w.BtnDrucken->click();
    QVERIFY2(dialogs.messages().isEmpty(), qPrintable(dialogs.messages().join(u'\n')));

    const QStringList files = waitForJobs(queue, 1);
    QCOMPARE(files.size(), 1);
    QCOMPARE(pdfPageSizes(files[0]).size(), 2);
    const QImage fronts = rasterise(files[0], tmp_.filePath(QStringLiteral("fronts")), 1);
    QVERIFY(!fronts.isNull());

    // Across the middle of the squares: left edge, shared edge, right edge; measured from
    // the paper's edge.
    const double sx = calibrated ? 1.01 : 1.0;
    const double ox = calibrated ? 2.0 : 0.0;
    const QList<double> across = acrossSheet(fronts, margin + 70);
    const QList<double> down = downSheet(fronts, margin + ox + 70 * sx);
    const QString got =
        QStringLiteral("across %1, down %2")
            .arg(QString::number(across.value(0), 'f', 2), QString::number(down.value(0), 'f', 2));
    QVERIFY2(across.size() == 3 && down.size() == 2, qPrintable(got));
    const double tolerance = 0.1;
    qInfo("%s: fronts left edge %.3f mm from the paper edge, squares %.3f and %.3f mm, "
          "height %.3f mm",
          QTest::currentDataTag(), across[0], across[1] - across[0], across[2] - across[1],
          down[1] - down[0]);
    QVERIFY2(qAbs(across[0] - margin - (ox + 10 * sx)) <= tolerance, qPrintable(got));
    QVERIFY2(qAbs(down[0] - margin - 10) <= tolerance, qPrintable(got));
    for (int i = 1; i < 3; ++i)
        QVERIFY2(qAbs(across[i] - across[i - 1] - 120 * sx) <= tolerance,
                 qPrintable(QString::number(across[i] - across[i - 1], 'f', 3)));
    QVERIFY2(qAbs(down[1] - down[0] - 120) <= tolerance,
             qPrintable(QString::number(down[1] - down[0], 'f', 3)));

    const QImage back = rasterise(files[0], tmp_.filePath(QStringLiteral("back")), 2);
    QVERIFY(!back.isNull());
    QVERIFY2(back.width() < back.height(), "the back sheet is portrait");
    // The back inlay: its left edge 10 mm from the printable area, 150 mm wide.
    const QList<double> backAcross = acrossMm(back, margin + 60);
    QVERIFY2(backAcross.size() == 4, qPrintable(QString::number(backAcross.size())));
    QVERIFY2(qAbs(backAcross[0] - margin - (ox + 10 * sx)) <= tolerance,
             qPrintable(QString::number(backAcross[0], 'f', 2)));
    QVERIFY(qAbs(backAcross[3] - backAcross[0] - 150 * sx) <= tolerance);
    store.reset(queue);
}

// cups-pdf as it comes names a file after the job's title: both sheets are there.
void TestCupsPrinting::plainQueueKeepsEverySheet() {
    const QString dir = outDirs_.value(PlainQueue);
    for (const QString& f : pdfsIn(dir))
        QFile::remove(f);
    QtPrinter printer;
    printer.device().setPrinterName(PlainQueue);
    ScriptedDialogs dialogs;
    TSDIAppForm w(dialogs, printer);
    prepare(w, dialogs, 0);
    w.BtnDrucken->click();
    QVERIFY2(dialogs.messages().isEmpty(), qPrintable(dialogs.messages().join(u'\n')));
    const QStringList files = waitForJobs(PlainQueue, 1);
    QCOMPARE(files.size(), 1);
    QCOMPARE(pdfPageSizes(files[0]).size(), 2);
}

// ESC while the first sheet's job runs: that job never reaches the queue, the second sheet
// is skipped.
void TestCupsPrinting::escSendsNothing() {
    const QString dir = outDirs_.value(Queue);
    for (const QString& f : pdfsIn(dir))
        QFile::remove(f);
    QtPrinter printer;
    printer.device().setPrinterName(Queue);
    ScriptedDialogs dialogs;
    TSDIAppForm w(dialogs, printer);
    w.FormShow();
    w.document().CoverLayout = 1;
    dialogs.answerWindow([](QDialog&) { return QDialog::Accepted; });
    dialogs.answerMessage(MsgResult::Ok);
    // The key arrives with the first events the job lets through.
    bool posted = false;
    connect(w.StatusBar, &QStatusBar::messageChanged, this, [&](const QString& text) {
        if (posted || text != LadeText(805)) return;
        posted = true;
        QCoreApplication::postEvent(w.EditKopfzeile,
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
    });
    w.BtnDrucken->click();
    QVERIFY(posted);
    QCOMPARE(dialogs.messages(), QStringList{LadeText(802)});
    QVERIFY(!printer.printing());
    QTest::qWait(2000); // anything sent would be written by now
    QVERIFY(queueIdle(Queue));
    QCOMPARE(pdfsIn(dir), QStringList{});
}

// A queue removed while the program runs: the message names the printer as gone.
void TestCupsPrinting::deletedQueueNamed() {
    const QString gone = QStringLiteral("zarvex-gone");
    auto lpadmin = [](const QStringList& args) {
        QProcess p;
        p.start(QStringLiteral("lpadmin"), args);
        return p.waitForFinished(30000) && p.exitCode() == 0;
    };
    QVERIFY(lpadmin({QStringLiteral("-p"), gone, QStringLiteral("-v"),
                     QStringLiteral("file:/dev/null"), QStringLiteral("-E")}));
    QtPrinter printer;
    printer.device().setPrinterName(gone);
    QCOMPARE(printer.printerName(), gone);
    QVERIFY(lpadmin({QStringLiteral("-x"), gone}));
    ScriptedDialogs dialogs;
    TSDIAppForm w(dialogs, printer);
    w.FormShow();
    w.document().CoverLayout = 2;
    dialogs.answerMessage(MsgResult::Ok);
    w.BtnDrucken->click();
    QCOMPARE(dialogs.messages(), QStringList{LadeTextArg(750, gone)});
}

QTEST_MAIN(TestCupsPrinting)
#include "tst_cupsprinting.moc"
