#include "clirunner.h"
#include "document/coverdocument.h"
#include "document/coverfile.h"
#include "pagemeasure.h"
#include "render/layouts.h"
#include "render/recordingdevice.h"
#include "render/sidepreview.h"
#include "testprogdir.h"

#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// zarvex-cli sheets and render: the PDFs measure true size, the pages come in the right
// number and orientation, the PNG is what the preview paints.
class TestCliSheets : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void frontsSheetTrueSize();
    void bleedAndCropMarks_data();
    void bleedAndCropMarks();
    void pagesPerSelection_data();
    void pagesPerSelection();
    void renderPngAsPreview_data();
    void renderPngAsPreview();
    void renderPdfTrueSize();

private:
    QString writeCover(int layout, bool withTexts = false);
    std::unique_ptr<TestProgDir> progDir_;
    QTemporaryDir tmp_;
};

namespace {
using namespace PageMeasure;

QString orientations(const QList<QSizeF>& sizes) {
    QString s;
    for (const QSizeF& size : sizes)
        s += size.width() > size.height() ? u'L' : u'P';
    return s;
}
} // namespace

void TestCliSheets::initTestCase() {
    QVERIFY2(QFileInfo(cliExecutable()).isExecutable(), qPrintable(cliExecutable()));
    progDir_ = std::make_unique<TestProgDir>();
    QVERIFY(tmp_.isValid());
    QImageReader::setAllocationLimit(1024); // a page at 600 dpi
}

// Plain white sides (so only the outlines are dark), optionally with header texts.
QString TestCliSheets::writeCover(int layout, bool withTexts) {
    CoverDocument doc;
    doc.reset();
    doc.CoverLayout = quint8(layout);
    for (int s = 0; s < CoverDocument::SideCount; ++s) {
        doc.HgFormat[s].Art = 0;
        doc.HgFormat[s].Farbe = 0xFFFFFF;
        if (withTexts) {
            doc.KopfText[s] = QStringLiteral("Seite %1").arg(s + 1);
            doc.Inhalt[s] = 2;
            doc.TextInhalt[s] = QStringLiteral("Größe & \"Maß\"\r\nzweite Zeile");
        }
    }
    const QString path = tmp_.filePath(QStringLiteral("layout%1%2.zvx")
                                           .arg(layout)
                                           .arg(withTexts ? QStringLiteral("t") : QString()));
    CoverFile::save(path, doc);
    return path;
}

void TestCliSheets::frontsSheetTrueSize() {
    const QString cover = writeCover(0);
    const QString pdf = tmp_.filePath(QStringLiteral("fronts.pdf"));
    const CliRun run = runCli(
        {QStringLiteral("sheets"), cover, QStringLiteral("-o"), pdf, QStringLiteral("--fronts")},
        progDir_->path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(pdfPageSizes(pdf).size(), 1);
    const QImage page = rasterise(pdf, tmp_.filePath(QStringLiteral("fronts")));
    QVERIFY(!page.isNull());
    // A4 landscape at 600 dpi.
    QVERIFY(qAbs(page.width() - 297 * PxPerMm) < 2 && qAbs(page.height() - 210 * PxPerMm) < 2);

    // Across the middle: the left edge of the inside front, the shared edge, the right
    // edge of the outside front; down the middle of the left square: top and bottom.
    const QList<double> across = inMm(darkRunCentres(row(page, int(70 * PxPerMm))));
    const QList<double> down = inMm(darkRunCentres(column(page, int(70 * PxPerMm))));
    QCOMPARE(across.size(), 3);
    QCOMPARE(down.size(), 2);
    const double tolerance = 0.05;
    QVERIFY2(qAbs(across[0] - 10.0) <= tolerance, qPrintable(QString::number(across[0])));
    QVERIFY2(qAbs(down[0] - 10.0) <= tolerance, qPrintable(QString::number(down[0])));
    QVERIFY2(qAbs(across[1] - across[0] - 120.0) <= tolerance,
             qPrintable(QString::number(across[1] - across[0])));
    QVERIFY2(qAbs(across[2] - across[1] - 120.0) <= tolerance,
             qPrintable(QString::number(across[2] - across[1])));
    QVERIFY2(qAbs(down[1] - down[0] - 120.0) <= tolerance,
             qPrintable(QString::number(down[1] - down[0])));
}

void TestCliSheets::bleedAndCropMarks_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("bleed");
    QTest::addColumn<bool>("marks");
    QTest::addRow("plain") << QStringList{} << false << false;
    QTest::addRow("bleed 2") << QStringList{"--bleed", "2"} << true << false;
    QTest::addRow("crop marks") << QStringList{"--crop-marks"} << false << true;
    QTest::addRow("both") << QStringList{"--bleed", "2", "--crop-marks"} << true << true;
}

// The fronts sheet on grey backgrounds: the grey continues 2 mm beyond the cut edges with
// bleed, crop marks stand in line with the edges from 3 to 8 mm outside, the outline stays.
void TestCliSheets::bleedAndCropMarks() {
    QFETCH(QStringList, options);
    QFETCH(bool, bleed);
    QFETCH(bool, marks);
    CoverDocument doc;
    doc.reset();
    doc.CoverLayout = 0;
    for (int s = 0; s < CoverDocument::SideCount; ++s) {
        doc.HgFormat[s].Art = 0;
        doc.HgFormat[s].Farbe = 0x909090; // lighter than an outline
        doc.KopfFormat[s].Sichtbar = 0;
        doc.FussFormat[s].Sichtbar = 0;
        doc.Inhalt[s] = 0;
    }
    const QString cover = tmp_.filePath(QStringLiteral("grey.zvx"));
    CoverFile::save(cover, doc);
    const QString pdf = tmp_.filePath(QStringLiteral("marks.pdf"));
    const CliRun run = runCli(QStringList{QStringLiteral("sheets"), cover, QStringLiteral("-o"),
                                          pdf, QStringLiteral("--fronts")} +
                                  options,
                              progDir_->path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QImage page = rasterise(pdf, tmp_.filePath(QStringLiteral("marks")));
    QVERIFY(!page.isNull());
    auto grey = [&](double xMm, double yMm) { // a 1 mm square's mean
        int sum = 0, n = 0;
        for (int dy = -5; dy <= 5; ++dy)
            for (int dx = -5; dx <= 5; ++dx, ++n)
                sum += qGray(page.pixel(int(xMm * PxPerMm) + dx, int(yMm * PxPerMm) + dy));
        return sum / n;
    };
    const int background = grey(20, 70);
    QVERIFY2(qAbs(background - 0x90) < 8, qPrintable(QString::number(background)));
    // 1.0 mm outside the left, top, right and bottom cut edges of the 240 x 120 mm fronts.
    for (const QPointF& at : {QPointF(9, 70), QPointF(70, 9), QPointF(251, 70), QPointF(70, 131)})
        QVERIFY2(
            qAbs(grey(at.x(), at.y()) - (bleed ? background : 255)) < 8,
            qPrintable(
                QStringLiteral("%1 at %2, %3").arg(grey(at.x(), at.y())).arg(at.x()).arg(at.y())));
    QVERIFY(grey(7, 70) > 245); // beyond the bleed
    QCOMPARE(acrossMm(page, 70).size(), 3);
    const QList<double> outline = acrossMm(page, 70);
    QVERIFY(qAbs(outline[0] - 10) <= 0.05 && qAbs(outline[2] - 250) <= 0.05);
    // Between 3 and 8 mm outside: the marks in line with the edges, nothing else.
    const QList<double> left = downMm(page, 5.5), top = acrossMm(page, 5.5);
    const QList<double> edgesDown = marks ? QList<double>{10, 130} : QList<double>{};
    const QList<double> edgesAcross = marks ? QList<double>{10, 250} : QList<double>{};
    QCOMPARE(left.size(), edgesDown.size());
    QCOMPARE(top.size(), edgesAcross.size());
    for (qsizetype i = 0; i < left.size(); ++i)
        QVERIFY2(qAbs(left[i] - edgesDown[i]) <= 0.05 && qAbs(top[i] - edgesAcross[i]) <= 0.05,
                 qPrintable(QStringLiteral("%1 %2").arg(left[i]).arg(top[i])));
}

void TestCliSheets::pagesPerSelection_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("pages"); // orientation per page
    QTest::addRow("normal all") << 0 << QStringList{} << "LP";
    QTest::addRow("normal fronts") << 0 << QStringList{"--fronts"} << "L";
    QTest::addRow("normal both fronts")
        << 0 << QStringList{"--front-outside", "--front-inside"} << "L";
    QTest::addRow("normal outside") << 0 << QStringList{"--front-outside"} << "P";
    QTest::addRow("normal inside") << 0 << QStringList{"--front-inside"} << "P";
    QTest::addRow("normal back") << 0 << QStringList{"--back"} << "P";
    QTest::addRow("normal inside back") << 0 << QStringList{"--front-inside", "--back"} << "P";
    QTest::addRow("normal all three")
        << 0 << QStringList{"--front-outside", "--front-inside", "--back"} << "LP";
    QTest::addRow("transparent all") << 1 << QStringList{} << "LP";
    QTest::addRow("transparent fronts") << 1 << QStringList{"--fronts"} << "L";
    QTest::addRow("transparent one front") << 1 << QStringList{"--front-inside"} << "L";
    QTest::addRow("transparent backs") << 1 << QStringList{"--backs"} << "P";
    QTest::addRow("maxi") << 2 << QStringList{} << "P";
    QTest::addRow("maxi ignores selection") << 2 << QStringList{"--back"} << "P";
    QTest::addRow("paper case") << 3 << QStringList{} << "L";
    QTest::addRow("paper case letter") << 3 << QStringList{"--paper", "letter"} << "L";
}

void TestCliSheets::pagesPerSelection() {
    QFETCH(int, layout);
    QFETCH(QStringList, options);
    QFETCH(QString, pages);
    const QString pdf = tmp_.filePath(QStringLiteral("pages.pdf"));
    QFile::remove(pdf);
    const CliRun run = runCli(
        QStringList{QStringLiteral("sheets"), writeCover(layout, true), QStringLiteral("-o"), pdf} +
            options,
        progDir_->path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QList<QSizeF> sizes = pdfPageSizes(pdf);
    QCOMPARE(orientations(sizes), pages);
    const bool letter = options.contains(QStringLiteral("letter"));
    for (const QSizeF& s : sizes) {
        const QSizeF portrait(qMin(s.width(), s.height()), qMax(s.width(), s.height()));
        const QSizeF expected = letter ? QSizeF(612, 792) : QSizeF(595.28, 841.89);
        QVERIFY(qAbs(portrait.width() - expected.width()) < 1);
        QVERIFY(qAbs(portrait.height() - expected.height()) < 1);
    }
    // Each page is exactly the sheet the printing code composes: same count as SheetsFor.
    const int sheetCount =
        int(SheetsFor(layout, PrintSelection{}).size()); // layouts 2 and 3: always one sheet
    if (options.isEmpty()) QCOMPARE(sizes.size(), sheetCount);
}

void TestCliSheets::renderPngAsPreview_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("side");
    QTest::addColumn<QString>("zoom");
    QTest::addRow("normal front 1") << 0 << 0 << "1";
    QTest::addRow("normal back 2") << 0 << 2 << "2";
    QTest::addRow("maxi front 1.5") << 2 << 0 << "1.5";
}

void TestCliSheets::renderPngAsPreview() {
    QFETCH(int, layout);
    QFETCH(int, side);
    QFETCH(QString, zoom);
    const QString cover = writeCover(layout, true);
    const QString png = tmp_.filePath(QStringLiteral("side.png"));
    const CliRun run = runCli({QStringLiteral("render"), cover, QStringLiteral("--side"),
                               QString::number(side + 1), QStringLiteral("--zoom"), zoom,
                               QStringLiteral("-o"), png},
                              progDir_->path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QImage got(png);
    QVERIFY(!got.isNull());

    // What the main window's preview paints for the same file at the same zoom.
    CoverDocument doc;
    doc.reset();
    CoverFile::load(cover, doc, CoverFile::Reader::ByFirstLine);
    doc.CoverLayout = quint8(layout);
    const Recording r =
        RecordDrawing([&](QPainter& p) { DrawSingleSide(p, doc, side, DocumentTexts(doc, side)); });
    QImage want(SidePreview::paintBoxSize(r.boundingRect(), zoom.toDouble()), QImage::Format_RGB32);
    {
        QPainter p(&want);
        SidePreview::paintRecording(p, r, zoom.toDouble(), want.rect());
    }
    QCOMPARE(got.size(), want.size());
    QCOMPARE(got.convertToFormat(QImage::Format_RGB32), want);
    // The outline's first corner is drawn where the preview's mapping puts it.
    const SidePlacement placement = *SingleSidePlacement(layout, side);
    const QPoint first =
        (placement.outlineOrigin + OutlineGeometry(placement.outline).polyline.first()) * 10;
    const QPoint corner = SidePreview::mapping(zoom.toDouble()).map(first);
    int darkest = 255;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            darkest = qMin(darkest, qGray(got.pixel(corner + QPoint(dx, dy))));
    QVERIFY(darkest < 128);
}

void TestCliSheets::renderPdfTrueSize() {
    const QString pdf = tmp_.filePath(QStringLiteral("side.pdf"));
    const CliRun run = runCli({QStringLiteral("render"), writeCover(0), QStringLiteral("--side"),
                               QStringLiteral("2"), QStringLiteral("-o"), pdf},
                              progDir_->path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QList<QSizeF> sizes = pdfPageSizes(pdf);
    QCOMPARE(sizes.size(), 1);
    QVERIFY(qAbs(sizes[0].width() - 130 / 25.4 * 72) < 0.5); // 120 mm plus 5 mm each side
    const QImage page = rasterise(pdf, tmp_.filePath(QStringLiteral("side")));
    const QList<double> across = inMm(darkRunCentres(row(page, int(60 * PxPerMm))));
    QCOMPARE(across.size(), 2);
    QVERIFY(qAbs(across[0] - 5.0) <= 0.05);
    QVERIFY(qAbs(across[1] - across[0] - 120.0) <= 0.05);
}

QTEST_MAIN(TestCliSheets)
#include "tst_clisheets.moc"
