#include "clirunner.h"
#include "document/coverdocument.h"
#include "document/coverfile.h"
#include "testprogdir.h"

#include <QImage>
#include <QImageWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// Covers with pictures of the further kinds: each is drawn in the side's PNG, named in the
// drawing dump, and an SVG picture reaches the PDF sheet as vectors, not as an image.
class TestCliPictures : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { progDir_ = std::make_unique<TestProgDir>(); }
    void furtherKindsDrawAndPrint_data();
    void furtherKindsDrawAndPrint();

private:
    std::unique_ptr<TestProgDir> progDir_;
    QTemporaryDir tmp_;
};

namespace {
const QColor kColour(200, 30, 60);

QString runTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(120000);
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

void TestCliPictures::furtherKindsDrawAndPrint_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("vector");
    QTest::newRow("png") << "bild.png"
                         << "Png" << false;
    QTest::newRow("webp") << "bild.webp"
                          << "WebP" << false;
    QTest::newRow("svg") << "bild.svg"
                         << "Svg" << true;
}

void TestCliPictures::furtherKindsDrawAndPrint() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(bool, vector);
    const QString file = progDir_->file("BILDER/" + name);
    if (vector) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"80\" "
                               "height=\"60\"><rect width=\"80\" height=\"60\" fill=\"%1\"/>"
                               "</svg>")
                    .arg(kColour.name())
                    .toUtf8());
    } else {
        QImage img(80, 60, QImage::Format_RGB32);
        img.fill(kColour);
        QImageWriter writer(file);
        writer.setQuality(100);
        QVERIFY2(writer.write(img), qPrintable(writer.errorString()));
    }
    CoverDocument doc;
    doc.reset();
    doc.Inhalt[0] = 3;
    doc.BildFormat[0].DateiName = file;
    const QString cover = tmp_.filePath(name + ".zvx");
    CoverFile::save(cover, doc);

    // The side as the preview draws it: the picture fills the middle.
    const QString png = tmp_.filePath(name + ".side.png");
    CliRun run = runCli({"render", cover, "--side", "1", "-o", png}, progDir_->path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QColor centre = QImage(png).pixelColor(130, 130);
    QVERIFY2(qAbs(centre.red() - kColour.red()) < 8 && qAbs(centre.green() - kColour.green()) < 8 &&
                 qAbs(centre.blue() - kColour.blue()) < 8,
             qPrintable(centre.name()));
    run = runCli({"dump", cover, "--side", "1"}, progDir_->path());
    QVERIFY2(run.out.contains(QRegularExpression("^image( -?\\d+){4} " + kind + "$",
                                                 QRegularExpression::MultilineOption)),
             qPrintable(run.out));

    // The sheet: raster kinds are images in the PDF, the SVG is not.
    const QString pdf = tmp_.filePath(name + ".pdf");
    run = runCli({"sheets", cover, "-o", pdf}, progDir_->path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QStringList images =
        runTool("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
    QCOMPARE(images.isEmpty(), vector);
    const QString stem = tmp_.filePath(name + ".page");
    runTool("pdftoppm", {"-r", "50", "-png", "-f", "1", "-l", "1", "-singlefile", pdf, stem});
    const QImage page(stem + ".png");
    QVERIFY(!page.isNull());
    int coloured = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            coloured += qAbs(c.red() - kColour.red()) < 10 &&
                        qAbs(c.green() - kColour.green()) < 10 &&
                        qAbs(c.blue() - kColour.blue()) < 10;
        }
    QVERIFY2(coloured > 10000, qPrintable(QString::number(coloured))); // ~ a 120 mm square
}

QTEST_MAIN(TestCliPictures)
#include "tst_clipictures.moc"
