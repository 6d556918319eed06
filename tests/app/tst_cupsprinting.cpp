#include "app/sdimain.h"
#include "app/startup.h"
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
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace PageMeasure;

// Real printing: the window's print command on the CUPS queue "zarvex-pdf" (cups-pdf),
// measured in the PDFs the queue writes. Fails when the queue cannot be set up.
class TestCupsPrinting : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void printsAtTrueSize_data();
    void printsAtTrueSize();
    void escSendsNothing();

private:
    QStringList waitForJobs(int count);
    std::unique_ptr<TestProgDir> prog_;
    QString outDir_;
    QTemporaryDir tmp_;
};

namespace {
const QString Queue = QStringLiteral("zarvex-pdf");

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

bool queueIdle() {
    QProcess p;
    p.start(QStringLiteral("lpstat"), {QStringLiteral("-o"), Queue});
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
    outDir_ = QString::fromLocal8Bit(setup.readAllStandardOutput()).trimmed();
    QVERIFY(QDir(outDir_).exists());
    for (const QString& f : pdfsIn(outDir_))
        QFile::remove(f);
    QVERIFY(tmp_.isValid());
    QImageReader::setAllocationLimit(1024);
    prog_ = std::make_unique<TestProgDir>();
    const QString exe = fileNamePart(QCoreApplication::applicationFilePath());
    writeTextLines(prog_->file(IniNameFor(exe)),
                   {"[EINSTELLUNGEN]", "sprache=49", "vorlage=ZVX/vorlage.zvx"});
}

// cups-pdf works after the job was accepted: wait (bounded) until the files are there.
QStringList TestCupsPrinting::waitForJobs(int count) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60000) {
        const QStringList files = pdfsIn(outDir_);
        if (files.size() >= count && queueIdle()) {
            QTest::qWait(300); // the last file is complete once the queue is idle
            return pdfsIn(outDir_);
        }
        QTest::qWait(200);
    }
    return pdfsIn(outDir_);
}

void TestCupsPrinting::printsAtTrueSize_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<bool>("calibrated"); // +2.0 mm across, 101 % across
    QTest::addRow("normal case") << 0 << false;
    QTest::addRow("transparent case") << 1 << false;
    QTest::addRow("normal case, calibrated") << 0 << true;
}

void TestCupsPrinting::printsAtTrueSize() {
    QFETCH(int, layout);
    QFETCH(bool, calibrated);
    for (const QString& f : pdfsIn(outDir_))
        QFile::remove(f);
    CalibrationStore store;
    store.reset(Queue);
    if (calibrated) store.save(Queue, PrinterCalibration{20, 0, 10100, 10000});

    QtPrinter printer;
    printer.device().setPrinterName(Queue);
    QCOMPARE(printer.printerName(), Queue);
    ScriptedDialogs dialogs;
    TSDIAppForm w(dialogs, printer);
    w.FormShow();
    CoverDocument& doc = w.document();
    doc.CoverLayout = quint8(layout);
    for (int s = 0; s < CoverDocument::SideCount; ++s) { // white, so only outlines are dark
        doc.HgFormat[s].Art = 0;
        doc.HgFormat[s].Farbe = 0xFFFFFF;
        doc.KopfFormat[s].Sichtbar = 0;
        doc.FussFormat[s].Sichtbar = 0;
        doc.Inhalt[s] = 0;
    }
    dialogs.answerWindow([](QDialog&) { return QDialog::Accepted; }); // all boxes checked
    w.BtnDrucken->click();
    QVERIFY2(dialogs.messages().isEmpty(), qPrintable(dialogs.messages().join(u'\n')));

    // Two jobs: the fronts sheet, then the back sheet.
    const QStringList files = waitForJobs(2);
    QCOMPARE(files.size(), 2);
    printer.setOrientation(QPageLayout::Landscape);
    const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
    const QImage fronts = rasterise(files[0], tmp_.filePath(QStringLiteral("fronts")));
    QVERIFY(!fronts.isNull());

    // Across the middle of the squares: left edge, shared edge, right edge.
    const double sx = calibrated ? 1.01 : 1.0;
    const double ox = calibrated ? 2.0 : 0.0;
    const QList<double> across = acrossSheet(fronts, margins.top() + 70);
    const QList<double> down = downSheet(fronts, margins.left() + ox + 70 * sx);
    const QString got =
        QStringLiteral("across %1, down %2 (margins %3, %4)")
            .arg(QString::number(across.value(0), 'f', 2), QString::number(down.value(0), 'f', 2))
            .arg(margins.left())
            .arg(margins.top());
    QVERIFY2(across.size() == 3 && down.size() == 2, qPrintable(got));
    const double tolerance = 0.1;
    qInfo("%s: fronts left edge %.3f mm from the printable area, squares %.3f and %.3f mm, "
          "height %.3f mm",
          QTest::currentDataTag(), across[0] - margins.left(), across[1] - across[0],
          across[2] - across[1], down[1] - down[0]);
    QVERIFY2(qAbs(across[0] - margins.left() - (ox + 10 * sx)) <= tolerance, qPrintable(got));
    QVERIFY2(qAbs(down[0] - margins.top() - 10) <= tolerance, qPrintable(got));
    for (int i = 1; i < 3; ++i)
        QVERIFY2(qAbs(across[i] - across[i - 1] - 120 * sx) <= tolerance,
                 qPrintable(QString::number(across[i] - across[i - 1], 'f', 3)));
    QVERIFY2(qAbs(down[1] - down[0] - 120) <= tolerance,
             qPrintable(QString::number(down[1] - down[0], 'f', 3)));

    const QImage back = rasterise(files[1], tmp_.filePath(QStringLiteral("back")));
    QVERIFY(!back.isNull());
    QVERIFY2(back.width() < back.height(), "the back sheet is portrait");
    // The back inlay: its left edge 10 mm from the printable area, 150 mm wide.
    printer.setOrientation(QPageLayout::Portrait);
    const QMarginsF portrait = printer.pageLayout().margins(QPageLayout::Millimeter);
    const QList<double> backAcross = acrossMm(back, portrait.top() + 60);
    QVERIFY2(backAcross.size() == 4, qPrintable(QString::number(backAcross.size())));
    QVERIFY(qAbs(backAcross[0] - portrait.left() - (ox + 10 * sx)) <= tolerance);
    QVERIFY(qAbs(backAcross[3] - backAcross[0] - 150 * sx) <= tolerance);
    store.reset(Queue);
}

// ESC while the first sheet's job runs: that job never reaches the queue, the second sheet
// is skipped.
void TestCupsPrinting::escSendsNothing() {
    for (const QString& f : pdfsIn(outDir_))
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
    QVERIFY(queueIdle());
    QCOMPARE(pdfsIn(outDir_), QStringList{});
}

QTEST_MAIN(TestCupsPrinting)
#include "tst_cupsprinting.moc"
