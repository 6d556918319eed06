#include "document/coverdocument.h"
#include "render/recordingdevice.h"
#include "render/sidepreview.h"

#include <QImage>
#include <QPainter>
#include <QTest>

class TestPreview : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void zoomStates();
    void mapping_data();
    void mapping();
    void paintBoxGrowsWithDrawing();
    void rendersOnlyWhenReady();
    void replayMatchesRecording();
};

void TestPreview::zoomStates() {
    ZoomState z;
    auto state = [&] {
        return QString::number(z.Zoom) + (z.zoomInEnabled ? " in" : "") +
               (z.zoomOutEnabled ? " out" : "") + (z.standardEnabled ? " std" : "");
    };
    QCOMPARE(state(), QStringLiteral("1 in"));
    z.zoomIn();
    QCOMPARE(state(), QStringLiteral("1.5 in out std"));
    z.zoomIn();
    QCOMPARE(state(), QStringLiteral("2 out std"));
    z.zoomOut();
    QCOMPARE(state(), QStringLiteral("1.5 in out std"));
    z.zoomOut();
    QCOMPARE(state(), QStringLiteral("1 in"));
    z.zoomIn();
    z.zoomIn();
    z.standard();
    QCOMPARE(state(), QStringLiteral("1 in"));
}

void TestPreview::mapping_data() {
    QTest::addColumn<double>("zoom");
    QTest::addColumn<int>("right");
    QTest::newRow("1") << 1.0 << 250; // a 120 mm side is 240 pixels wide
    QTest::newRow("1.5") << 1.5 << 370;
    QTest::newRow("2") << 2.0 << 490;
}

void TestPreview::mapping() {
    QFETCH(double, zoom);
    QFETCH(int, right);
    QCOMPARE(SidePreview::targetRect(zoom).topLeft(), QPoint(10, 10));
    QCOMPARE(SidePreview::targetRect(zoom).right(), 10 + 2 * int(400 * zoom));
    const QTransform t = SidePreview::mapping(zoom);
    QCOMPARE(t.map(QPointF(0, 0)), QPointF(10, 10));
    QCOMPARE(t.map(QPointF(1200, 1200)), QPointF(right, right));

    // Painted: the outline of a front side lies on those pixels.
    CoverDocument doc;
    SidePreview preview;
    preview.Bereit = true;
    preview.zoom.Zoom = zoom;
    QVERIFY(preview.RenderSidePreview(1, doc, SideTexts{}));
    QImage image(preview.paintBoxSize(), QImage::Format_RGB32);
    QPainter p(&image);
    preview.PaintBoxVorschauPaint(p, image.rect());
    p.end();
    const int mid = (10 + right) / 2;
    // The 0.1 mm cut line stays a solid pixel wide however small the zoom.
    auto dark = [&](int x) {
        return QColor(image.pixel(x, mid)) == Qt::black ||
               QColor(image.pixel(x - 1, mid)) == Qt::black;
    };
    QVERIFY(dark(right));
    QVERIFY(dark(10));
    QCOMPARE(QColor(image.pixel(right + 3, mid)), QColor(Qt::white));
    QCOMPARE(QColor(image.pixel(5, mid)), QColor(Qt::white));
}

void TestPreview::paintBoxGrowsWithDrawing() {
    // The maxi-CD outer sheet is 167 mm wide: 678 pixels at zoom 2, beyond 640.
    const QRect maxi(0, 0, 1671, 1201);
    QCOMPARE(SidePreview::paintBoxSize(maxi, 1.0), QSize(640, 640));
    QCOMPARE(SidePreview::paintBoxSize(maxi, 2.0), QSize(10 + 668 + 1 + 10, 640));
    QCOMPARE(SidePreview::paintBoxSize(QRect(0, 0, 1401, 1651), 2.0).height(), 10 + 660 + 1 + 10);
    QCOMPARE(SidePreview::paintBoxSize(QRect(), 2.0), QSize(640, 640));
    // A damaged file's drawing far beyond every sheet gets no larger box than the extent.
    const int extent = RecordingDevice::Extent;
    QCOMPARE(SidePreview::paintBoxSize(QRect(0, 0, 100'000'000, 90'000'000), 2.0),
             SidePreview::paintBoxSize(QRect(0, 0, extent, extent), 2.0));
}

void TestPreview::rendersOnlyWhenReady() {
    CoverDocument doc;
    SidePreview preview;
    QVERIFY(!preview.RenderSidePreview(0, doc, {}));
    QVERIFY(preview.Vorschaubild().isEmpty());
    preview.Bereit = true;
    QVERIFY(preview.RenderSidePreview(0, doc, {}));
    const QString before = preview.Vorschaubild().dump();
    doc.CoverLayout = 1;
    preview.DruckLaeuft = true;
    QVERIFY(!preview.RenderSidePreview(3, doc, {}));
    QCOMPARE(preview.Vorschaubild().dump(), before);
    // Nothing is painted while printing, not even the white.
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter p(&image);
    preview.PaintBoxVorschauPaint(p, image.rect());
    p.end();
    QCOMPARE(QColor(image.pixel(15, 15)), QColor(Qt::red));
}

void TestPreview::replayMatchesRecording() {
    CoverDocument doc;
    doc.CoverLayout = 2;
    doc.Inhalt[0] = 1;
    doc.VerzListe[0] = {QStringLiteral("D:\\"), QStringLiteral("Dir"), QStringLiteral("c"),
                        QStringLiteral(" Sub"), QString()};
    doc.HgFormat[0].Art = 1;
    QImage texture(16, 16, QImage::Format_RGB32);
    texture.fill(Qt::yellow);
    doc.HgBild[0] = Picture::fromImage(texture);
    SidePreview preview;
    preview.Bereit = true;
    QVERIFY(preview.RenderSidePreview(0, doc, SideTexts{"K", "F", "Rand"}));
    RecordingDevice copy;
    {
        QPainter p(&copy);
        preview.Vorschaubild().play(p);
    }
    QCOMPARE(copy.recording().dump(), preview.Vorschaubild().dump());
    QVERIFY(
        preview.Vorschaubild().dump().contains(QStringLiteral("image 190 140 1570 1060 Bitmap")));
}

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
