#include "platform/apperror.h"
#include "platform/jpegreader.h"
#include "platform/picture.h"
#include "platform/stringtable.h"
#include "testprogdir.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

// The picture container: every kind it loads, its size and drawing, saving as BMP, and
// clear errors for files it cannot use.
class TestPicture : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { SetLanguageOffset(1000); }
    void rasterKinds_data();
    void rasterKinds();
    void iconTakesTheLargestImage();
    void cmykWithoutAdobeMarkerIsNotInverted();
    void jpegClaimsBoundByItsData_data();
    void jpegClaimsBoundByItsData();
    void jpegTurnedUprightByExif_data();
    void jpegTurnedUprightByExif();
    void metafileKinds_data();
    void metafileKinds();
    void furtherKinds_data();
    void furtherKinds();
    void drawsStretched();
    void savesBitmapAsBmp();
    void failedSaveKeepsTheOldFile();
    void badFilesGiveAClearError_data();
    void badFilesGiveAClearError();
};

namespace {
bool near(QRgb a, QColor b, int tolerance) {
    return std::abs(qRed(a) - b.red()) <= tolerance &&
           std::abs(qGreen(a) - b.green()) <= tolerance &&
           std::abs(qBlue(a) - b.blue()) <= tolerance;
}
QString tempCopy(const QTemporaryDir& dir, const QString& fixture, const QString& name) {
    const QString path = dir.filePath(name);
    QFile::remove(path);
    QFile::copy(fixturePath(fixture), path);
    return path;
}
} // namespace

void TestPicture::rasterKinds_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("tolerance");
    QTest::addColumn<bool>("grey");
    // 16 x 12 pictures: red top left, green top right, blue bottom left, white bottom right.
    const int bitmap = int(Picture::Kind::Bitmap), jpeg = int(Picture::Kind::Jpeg);
    QTest::newRow("bmp 4 bit") << "pictures/pal4.bmp" << bitmap << 0 << false;
    QTest::newRow("bmp 8 bit") << "pictures/pal8.bmp" << bitmap << 0 << false;
    QTest::newRow("bmp 24 bit") << "pictures/rgb24.bmp" << bitmap << 0 << false;
    QTest::newRow("bmp 32 bit") << "pictures/argb32.bmp" << bitmap << 0 << false;
    QTest::newRow("jpeg rgb") << "pictures/rgb.jpg" << jpeg << 40 << false;
    QTest::newRow("jpeg progressive") << "pictures/progressive.jpg" << jpeg << 40 << false;
    QTest::newRow("jpeg cmyk (Adobe)") << "pictures/cmyk.jpg" << jpeg << 40 << false;
    QTest::newRow("jpeg grey") << "pictures/grey.jpg" << jpeg << 12 << true;
}

void TestPicture::rasterKinds() {
    QFETCH(QString, file);
    QFETCH(int, kind);
    QFETCH(int, tolerance);
    QFETCH(bool, grey);
    const Picture p = Picture::load(fixturePath(file));
    QCOMPARE(int(p.kind()), kind);
    QCOMPARE(p.size(), QSize(16, 12));
    QVERIFY(!p.isNull());
    const QImage& img = p.image();
    // The grey file was written with Rec. 709 luma.
    const auto expect = [&](QColor c) {
        if (!grey) return c;
        const int l = qRound(0.2126 * c.red() + 0.7152 * c.green() + 0.0722 * c.blue());
        return QColor(l, l, l);
    };
    QVERIFY2(near(img.pixel(3, 2), expect(Qt::red), tolerance),
             qPrintable(QColor(img.pixel(3, 2)).name()));
    QVERIFY2(near(img.pixel(12, 2), expect(Qt::green), tolerance),
             qPrintable(QColor(img.pixel(12, 2)).name()));
    QVERIFY2(near(img.pixel(3, 9), expect(Qt::blue), tolerance),
             qPrintable(QColor(img.pixel(3, 9)).name()));

    // The 1-bit bitmap: black top left on white.
    const Picture mono = Picture::load(fixturePath("pictures/mono1.bmp"));
    QVERIFY(near(mono.image().pixel(3, 2), Qt::black, 0));
    QVERIFY(near(mono.image().pixel(12, 9), Qt::white, 0));
}

void TestPicture::iconTakesTheLargestImage() {
    // icons.ico holds 16, 48 and 32 pixel images; the 48 one is blue with a yellow quarter.
    const Picture p = Picture::load(fixturePath("pictures/icons.ico"));
    QCOMPARE(p.kind(), Picture::Kind::Icon);
    QCOMPARE(p.size(), QSize(48, 48));
    QVERIFY(near(p.image().pixel(5, 5), Qt::yellow, 10));
    QVERIFY(near(p.image().pixel(40, 40), Qt::blue, 10));
}

void TestPicture::cmykWithoutAdobeMarkerIsNotInverted() {
    // Without the APP14 "Adobe" segment the same samples mean ink, so every colour turns over.
    QByteArray data = fixtureBytes("pictures/cmyk.jpg");
    const qsizetype at = data.indexOf("Adobe");
    QVERIFY(at > 4);
    data[at] = 'X'; // no longer an Adobe marker
    const QImage plain = decodeJpeg(data);
    const QImage adobe = decodeJpeg(fixtureBytes("pictures/cmyk.jpg"));
    QVERIFY(!plain.isNull() && !adobe.isNull());
    QVERIFY(near(adobe.pixel(12, 9), Qt::white, 30));
    QVERIFY(near(plain.pixel(12, 9), Qt::black, 30));
}

void TestPicture::jpegClaimsBoundByItsData_data() {
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<int>("claim");  // width and height written into the frame header, 0 keeps
    QTest::addColumn<double>("cut"); // share of the scan data kept, 1 keeps all
    QTest::addColumn<bool>("loads");
    QTest::addColumn<QString>("says"); // in the message, or in the note of a loaded picture
    QTest::newRow("claims 8000 x 8000")
        << "pictures/rgb.jpg" << 8000 << 1.0 << false << "cannot be loaded";
    QTest::newRow("progressive claims 8000 x 8000")
        << "pictures/progressive.jpg" << 8000 << 1.0 << false << "cannot be loaded";
    QTest::newRow("claims 9000 x 9000, too large to hold")
        << "pictures/rgb.jpg" << 9000 << 1.0 << false << "too large to load: 9,000 × 9,000 pixels";
    QTest::newRow("ends after the scan header")
        << "pictures/rgb.jpg" << 0 << 0.0 << false << "cannot be loaded";
    QTest::newRow("a few hundred bytes claim 2000 x 2000 CMYK")
        << "pictures/cmyk.jpg" << 2000 << 1.0 << false << "cannot be loaded";
    QTest::newRow("progressive, ends in a later scan")
        << "pictures/progressive.jpg" << 0 << 0.3 << true << "incomplete";
    QTest::newRow("whole file") << "pictures/rgb.jpg" << 0 << 1.0 << true << "";
}

// A few bytes claiming a huge picture made libjpeg invent all of it, a gigabyte for four
// sides; a file that ends before anything is decoded is damaged.
void TestPicture::jpegClaimsBoundByItsData() {
    QFETCH(QString, fixture);
    QFETCH(int, claim);
    QFETCH(double, cut);
    QFETCH(bool, loads);
    QFETCH(QString, says);
    QByteArray data = fixtureBytes(fixture);
    if (claim) {
        qsizetype frame = data.indexOf("\xFF\xC0");
        if (frame < 0) frame = data.indexOf("\xFF\xC2");
        QVERIFY(frame > 0);
        for (int at : {5, 7}) {
            data[frame + at] = char(claim >> 8);
            data[frame + at + 1] = char(claim & 0xFF);
        }
    }
    const qsizetype scan = data.indexOf("\xFF\xDA");
    QVERIFY(scan > 0);
    const qsizetype scanData = scan + 2 + (uchar(data[scan + 2]) << 8 | uchar(data[scan + 3]));
    data.truncate(scanData + qsizetype((data.size() - scanData) * cut));
    QString why;
    const QImage image = decodeJpeg(data, &why);
    QCOMPARE(!image.isNull(), loads);
    if (loads) QCOMPARE(image.size(), decodeJpeg(fixtureBytes(fixture)).size());
    if (!loads) QVERIFY(!why.isEmpty());
    // What the user is told: a picture too large is not called damaged; a cut one loads what
    // it has and says that the file is incomplete.
    try {
        const Picture p = Picture::decode(data, QStringLiteral("jpg"), QStringLiteral("x.jpg"));
        QVERIFY(loads);
        QCOMPARE(p.incomplete(), !says.isEmpty());
        if (p.incomplete())
            QVERIFY(LadeTextArg(StrPictureIncomplete, QStringLiteral("x.jpg")).contains(says));
    } catch (const AppError& e) {
        QVERIFY(!loads);
        QVERIFY2(e.message().contains(says) && e.message().contains(QStringLiteral("x.jpg")),
                 qPrintable(e.message()));
    }
}

void TestPicture::jpegTurnedUprightByExif_data() {
    QTest::addColumn<int>("orientation");
    QTest::addColumn<bool>("intel"); // byte order of the EXIF data
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("redAt"); // where the stored picture's left edge ends up
    QTest::newRow("1 as stored") << 1 << false << QSize(32, 16) << QPoint(2, 8);
    QTest::newRow("3 upside down") << 3 << true << QSize(32, 16) << QPoint(29, 8);
    QTest::newRow("6 turned clockwise") << 6 << false << QSize(16, 32) << QPoint(8, 2);
    QTest::newRow("8 turned anticlockwise") << 8 << true << QSize(16, 32) << QPoint(8, 29);
}

// A phone photo stores its pixels as the sensor saw them and says in its EXIF data how to
// turn them; the picture is drawn upright everywhere because it is loaded upright.
void TestPicture::jpegTurnedUprightByExif() {
    QFETCH(int, orientation);
    QFETCH(bool, intel);
    QFETCH(QSize, size);
    QFETCH(QPoint, redAt);
    QImage stored(32, 16, QImage::Format_RGB32);
    stored.fill(Qt::blue);
    QPainter(&stored).fillRect(0, 0, 16, 16, Qt::red);
    QByteArray jpeg;
    QBuffer buf(&jpeg);
    buf.open(QIODevice::WriteOnly);
    QVERIFY(stored.save(&buf, "JPG", 100));
    // APP1 with a TIFF header and one IFD entry: orientation, a SHORT.
    const auto u16 = [intel](int v) {
        const char lo = char(v & 0xFF), hi = char(v >> 8);
        return intel ? QByteArray(1, lo) + hi : QByteArray(1, hi) + lo;
    };
    const auto u32 = [&](int v) { return intel ? u16(v) + u16(0) : u16(0) + u16(v); };
    const QByteArray tiff = QByteArray(intel ? "II" : "MM") + u16(42) + u32(8) + u16(1) +
                            u16(0x0112) + u16(3) + u32(1) + u16(orientation) + u16(0) + u32(0);
    const QByteArray exif = QByteArray("Exif\0\0", 6) + tiff;
    const int length = int(exif.size()) + 2;
    jpeg.insert(2, QByteArray("\xFF\xE1") + char(length >> 8) + char(length & 0xFF) + exif);
    QCOMPARE(JpegExifOrientation(jpeg), orientation);
    const Picture p = Picture::decode(jpeg, QStringLiteral("jpg"), QStringLiteral("photo.jpg"));
    QCOMPARE(p.size(), size);
    QVERIFY(near(p.image().pixel(redAt), Qt::red, 40));
    const QPoint opposite(size.width() - 1 - redAt.x(), size.height() - 1 - redAt.y());
    QVERIFY(near(p.image().pixel(opposite), Qt::blue, 40));
}

void TestPicture::metafileKinds_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    QTest::newRow("emf") << "pictures/drawing.emf" << QSize(372, 272);
    QTest::newRow("wmf") << "pictures/drawing.wmf" << QSize(373, 273);
}

void TestPicture::metafileKinds() {
    QFETCH(QString, file);
    QFETCH(QSize, size);
    const Picture p = Picture::load(fixturePath(file));
    QCOMPARE(p.kind(), Picture::Kind::Metafile);
    QVERIFY(p.metafile());
    QVERIFY(p.image().isNull());
    QCOMPARE(p.size(), size);
}

void TestPicture::furtherKinds_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("writeAs"); // written here from rgb24.bmp; empty: a fixture
    QTest::addColumn<int>("kind");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("tolerance");
    using K = Picture::Kind;
    QTest::newRow("png") << "rgb.png" << QByteArray("png") << int(K::Png) << QSize(16, 12) << 0;
    QTest::newRow("gif") << "pictures/rgb.gif" << QByteArray() << int(K::Gif) << QSize(16, 12) << 0;
    QTest::newRow("tiff") << "rgb.TIF" << QByteArray("tiff") << int(K::Tiff) << QSize(16, 12) << 0;
    QTest::newRow("webp") << "rgb.webp" << QByteArray("webp") << int(K::WebP) << QSize(16, 12)
                          << 40;
    QTest::newRow("svg") << "pictures/quarters.svg" << QByteArray() << int(K::Svg)
                         << QSize(160, 120) << 0;
}

void TestPicture::furtherKinds() {
    QFETCH(QString, name);
    QFETCH(QByteArray, writeAs);
    QFETCH(int, kind);
    QFETCH(QSize, size);
    QFETCH(int, tolerance);
    QTemporaryDir dir;
    QString path = fixturePath(name);
    if (!writeAs.isEmpty()) {
        path = dir.filePath(name);
        QImageWriter writer(path, writeAs);
        writer.setQuality(100);
        QVERIFY2(writer.write(Picture::load(fixturePath("pictures/rgb24.bmp")).image()),
                 qPrintable(writer.errorString()));
    }
    const Picture p = Picture::load(path);
    QCOMPARE(int(p.kind()), kind);
    QCOMPARE(p.size(), size);
    // Drawn stretched, each kind shows its four quarters.
    QImage canvas(160, 120, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    QPainter painter(&canvas);
    p.draw(painter, canvas.rect());
    painter.end();
    const QList<std::pair<QPoint, QColor>> quarters = {{{30, 20}, Qt::red},
                                                       {{130, 20}, Qt::green},
                                                       {{30, 100}, Qt::blue},
                                                       {{130, 100}, Qt::white}};
    for (const auto& [at, colour] : quarters)
        QVERIFY2(near(canvas.pixel(at), colour, tolerance),
                 qPrintable(QColor(canvas.pixel(at)).name()));
}

void TestPicture::drawsStretched() {
    const Picture p = Picture::load(fixturePath("pictures/rgb24.bmp"));
    QImage canvas(200, 100, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    QPainter painter(&canvas);
    p.draw(painter, QRect(40, 20, 160, 60));
    painter.end();
    QVERIFY(near(canvas.pixel(10, 10), Qt::black, 0));  // outside the target
    QVERIFY(near(canvas.pixel(60, 30), Qt::red, 0));    // top left quarter
    QVERIFY(near(canvas.pixel(190, 30), Qt::green, 0)); // top right
    QVERIFY(near(canvas.pixel(60, 75), Qt::blue, 0));   // bottom left
    QVERIFY(near(canvas.pixel(190, 75), Qt::white, 0));
    // A null picture draws nothing.
    QPainter again(&canvas);
    Picture().draw(again, canvas.rect());
    again.end();
    QVERIFY(near(canvas.pixel(10, 10), Qt::black, 0));
}

void TestPicture::savesBitmapAsBmp() {
    QTemporaryDir dir;
    for (const QString& file :
         {QStringLiteral("pictures/pal8.bmp"), QStringLiteral("pictures/rgb.jpg")}) {
        const Picture p = Picture::load(fixturePath(file));
        const QString out = dir.filePath(QStringLiteral("saved.bmp"));
        p.saveBmp(out);
        const Picture back = Picture::load(out);
        QCOMPARE(back.kind(), Picture::Kind::Bitmap);
        QCOMPARE(back.size(), p.size());
        QCOMPARE(back.image().convertToFormat(QImage::Format_RGB32),
                 p.image().convertToFormat(QImage::Format_RGB32));
    }
    // A pasted bitmap (no file) saves too.
    QImage pasted(5, 4, QImage::Format_RGB32);
    pasted.fill(Qt::magenta);
    const QString out = dir.filePath(QStringLiteral("pasted.bmp"));
    Picture::fromImage(pasted).saveBmp(out);
    QCOMPARE(Picture::load(out).image().pixel(2, 2), QColor(Qt::magenta).rgb());
}

void TestPicture::failedSaveKeepsTheOldFile() {
    QTemporaryDir dir;
    const QString path = tempCopy(dir, "pictures/rgb24.bmp", "keep.bmp");
    QVERIFY_THROWS_EXCEPTION(AppError, Picture().saveBmp(path)); // nothing to save
    QCOMPARE(QFileInfo(path).size(), QFileInfo(fixturePath("pictures/rgb24.bmp")).size());
    QVERIFY_THROWS_EXCEPTION(AppError,
                             Picture::load(path).saveBmp(dir.filePath("no/such/folder/x.bmp")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.bmp"});
}

void TestPicture::badFilesGiveAClearError_data() {
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown extension") << "pictures/rgb24.bmp"
                                       << "x.pcx"
                                       << "is not a picture file";
    QTest::newRow("no extension (empty texture name)") << ""
                                                       << ""
                                                       << "is not a picture file";
    QTest::newRow("missing file") << ""
                                  << "gone.bmp"
                                  << "cannot be read";
    QTest::newRow("jpeg named bmp") << "pictures/rgb.jpg"
                                    << "x.bmp"
                                    << "cannot be loaded";
    QTest::newRow("bmp named jpg") << "pictures/rgb24.bmp"
                                   << "x.jpg"
                                   << "cannot be loaded";
    QTest::newRow("bmp named emf") << "pictures/rgb24.bmp"
                                   << "x.emf"
                                   << "not a WMF or EMF";
    QTest::newRow("icon named wmf") << "pictures/icons.ico"
                                    << "x.wmf"
                                    << "cannot be loaded";
    QTest::newRow("bmp named ico") << "pictures/rgb24.bmp"
                                   << "x.ico"
                                   << "cannot be loaded";
    QTest::newRow("bmp named png") << "pictures/rgb24.bmp"
                                   << "x.png"
                                   << "cannot be loaded";
    QTest::newRow("bmp named svg") << "pictures/rgb24.bmp"
                                   << "x.svg"
                                   << "cannot be loaded";
}

void TestPicture::badFilesGiveAClearError() {
    QFETCH(QString, fixture);
    QFETCH(QString, name);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = fixture.isEmpty() ? dir.filePath(name) : tempCopy(dir, fixture, name);
    try {
        Picture::load(path);
        QFAIL("loaded");
    } catch (const AppError& e) {
        QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        if (!name.isEmpty()) QVERIFY2(e.message().contains(name), qPrintable(e.message()));
    }
    // Cut files fail as clearly.
    for (const QString& f :
         {QStringLiteral("pictures/rgb.jpg"), QStringLiteral("pictures/rgb24.bmp"),
          QStringLiteral("pictures/drawing.emf")}) {
        const QString cut = dir.filePath(QStringLiteral("cut.") + QFileInfo(f).suffix());
        QFile out(cut);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(fixtureBytes(f).left(40));
        out.close();
        QVERIFY_THROWS_EXCEPTION(AppError, Picture::load(cut));
    }
}

QTEST_MAIN(TestPicture)
#include "tst_picture.moc"
