#include "emfwriter.h"
#include "platform/metafile.h"
#include "platform/stringtable.h"
#include "testprogdir.h"
#include "wmfwriter.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QTest>

// The record player: whole drawings against reference renderings, single records through
// files built here, and damaged files.
class TestMetafile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { SetLanguageOffset(1000); }
    void matchesReferenceRendering_data();
    void matchesReferenceRendering();
    void naturalSize_data();
    void naturalSize();
    void emfRecords_data();
    void emfRecords();
    void textIsDrawnWhereAligned();
    void wmfRecords_data();
    void wmfRecords();
    void wmfObjectsTakeTheLowestFreeSlot();
    void damagedFilesAreRefused_data();
    void damagedFilesAreRefused();
    void lyingRecordsAreSkipped_data();
    void lyingRecordsAreSkipped();
    void mutatedFilesNeverCrash();
};

namespace {
constexpr qint32 Red = 0x0000FF, Blue = 0xFF0000;

QImage render(const QByteArray& data, QSize size = QSize(100, 100)) {
    QString why;
    const auto mf = Metafile::parse(data, &why);
    if (!mf) {
        qWarning("parse failed: %s", qPrintable(why));
        return QImage();
    }
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    mf->play(p, img.rect());
    return img;
}

bool near(QRgb a, QColor b, int tolerance = 40) {
    return std::abs(qRed(a) - b.red()) <= tolerance &&
           std::abs(qGreen(a) - b.green()) <= tolerance &&
           std::abs(qBlue(a) - b.blue()) <= tolerance;
}

int darkPixels(const QImage& img, const QRect& area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(img.pixel(x, y)) < 128) ++n;
    return n;
}

// A filled rectangle with the current objects, after a null pen and a brush in slot 2.
EmfWriter redBrush() {
    EmfWriter w;
    w.nullPen(1).select(1).solidBrush(2, Red).select(2);
    return w;
}

struct Probe {
    QPoint at;
    QColor color;
};
} // namespace

Q_DECLARE_METATYPE(QList<Probe>)

void TestMetafile::matchesReferenceRendering_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("reference");
    // Drawn from pictures/drawing.svg and rendered as PNG by LibreOffice (trimmed to the frame).
    QTest::newRow("emf") << "pictures/drawing.emf"
                         << "pictures/drawing_emf_ref.png";
    QTest::newRow("wmf") << "pictures/drawing.wmf"
                         << "pictures/drawing_wmf_ref.png";
}

void TestMetafile::matchesReferenceRendering() {
    QFETCH(QString, file);
    QFETCH(QString, reference);
    const QImage ref = QImage(fixturePath(reference)).convertToFormat(QImage::Format_RGB32);
    QVERIFY(!ref.isNull());
    const QImage ours = render(fixtureBytes(file), ref.size());
    QVERIFY(!ours.isNull());
    // Tolerance: anti-aliasing and font rasterising differ along edges; a missing or
    // misplaced shape or text line moves both numbers far beyond these limits.
    double sum = 0;
    int off = 0;
    for (int y = 0; y < ref.height(); ++y)
        for (int x = 0; x < ref.width(); ++x) {
            const QRgb a = ref.pixel(x, y), b = ours.pixel(x, y);
            const int d = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                    std::abs(qBlue(a) - qBlue(b))});
            sum += (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                    std::abs(qBlue(a) - qBlue(b))) /
                   3.0;
            if (d > 64) ++off;
        }
    const double pixels = double(ref.width()) * ref.height();
    const double meanError = sum / pixels / 255;
    const double offShare = off / pixels;
    qInfo("mean error %.4f, pixels off %.4f", meanError, offShare);
    QVERIFY2(meanError < 0.03, qPrintable(QString::number(meanError)));
    QVERIFY2(offShare < 0.05, qPrintable(QString::number(offShare)));
}

void TestMetafile::naturalSize_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QSize>("size");
    QTest::newRow("emf frame 100 mm") << EmfWriter().finish() << QSize(378, 378);
    QTest::newRow("wmf placeable 1 inch") << WmfWriter(1000, 500, 1000).finish() << QSize(96, 48);
    QTest::newRow("wmf twips") << WmfWriter(2880, 1440, 1440).finish() << QSize(192, 96);
    QTest::newRow("wmf without header: window extent")
        << WmfWriter(0, 0, 0, false).rec(0x020C, {100, 200}).finish() << QSize(200, 100);
    QTest::newRow("drawing.emf") << fixtureBytes("pictures/drawing.emf") << QSize(372, 272);
}

void TestMetafile::naturalSize() {
    QFETCH(QByteArray, data);
    QFETCH(QSize, size);
    const auto mf = Metafile::parse(data);
    QVERIFY(mf);
    QCOMPARE(mf->pixelSize(), size);
}

void TestMetafile::emfRecords_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QList<Probe>>("probes");
    const QColor red(Qt::red), white(Qt::white), green(Qt::green), blue(Qt::blue);

    QTest::newRow("rectangle, solid brush")
        << redBrush().rect(43, 100, 100, 500, 500).finish()
        << QList<Probe>{{{30, 30}, red}, {{70, 70}, white}, {{5, 5}, white}};
    QTest::newRow("anisotropic window and viewport")
        << redBrush()
               .rec(17, {8})
               .rec(9, {10, 10})
               .rec(11, {1000, 1000})
               .rect(43, 1, 1, 5, 5)
               .finish()
        << QList<Probe>{{{30, 30}, red}, {{70, 70}, white}};
    QTest::newRow("isotropic keeps the aspect") << redBrush()
                                                       .rec(17, {7})
                                                       .rec(9, {10, 20})
                                                       .rec(11, {1000, 1000})
                                                       .rect(43, 0, 0, 10, 10)
                                                       .finish()
                                                << QList<Probe>{{{40, 40}, red}, {{40, 70}, white}};
    QTest::newRow("lometric runs y upwards")
        << redBrush().rec(17, {2}).rect(43, 100, -100, 500, -500).finish()
        << QList<Probe>{{{30, 30}, red}, {{70, 70}, white}};
    QTest::newRow("origins move the picture") << redBrush()
                                                     .rec(17, {8})
                                                     .rec(9, {1000, 1000})
                                                     .rec(11, {1000, 1000})
                                                     .rec(10, {-500, 0})
                                                     .rect(43, 0, 0, 400, 400)
                                                     .finish()
                                              << QList<Probe>{{{70, 20}, red}, {{20, 20}, white}};
    QTest::newRow("world transform")
        << redBrush().worldTransform(1, 0, 0, 1, 500, 500).rect(43, 0, 0, 400, 400).finish()
        << QList<Probe>{{{70, 70}, red}, {{20, 20}, white}};
    QTest::newRow("save and restore bring the brush back") << redBrush()
                                                                  .rec(33, {})
                                                                  .solidBrush(3, Blue)
                                                                  .select(3)
                                                                  .rec(34, {-1})
                                                                  .rect(43, 0, 0, 1000, 1000)
                                                                  .finish()
                                                           << QList<Probe>{{{50, 50}, red}};
    QTest::newRow("null brush") << redBrush().select(0x80000005).rect(43, 0, 0, 1000, 1000).finish()
                                << QList<Probe>{{{50, 50}, white}};
    QTest::newRow("clip rectangle")
        << redBrush().rect(30, 0, 0, 300, 1000).rect(43, 0, 0, 1000, 1000).finish()
        << QList<Probe>{{{20, 50}, red}, {{60, 50}, white}};
    QTest::newRow("excluded rectangle")
        << redBrush().rect(29, 300, 300, 700, 700).rect(43, 0, 0, 1000, 1000).finish()
        << QList<Probe>{{{10, 10}, red}, {{50, 50}, white}};
    QTest::newRow("restore drops the clip") << redBrush()
                                                   .rec(33, {})
                                                   .rect(30, 0, 0, 300, 1000)
                                                   .rec(34, {-1})
                                                   .rect(43, 0, 0, 1000, 1000)
                                                   .finish()
                                            << QList<Probe>{{{80, 50}, red}};
    QTest::newRow("filled path") << redBrush()
                                        .rec(59, {})
                                        .polygon16(86, {{0, 0}, {1000, 0}, {0, 1000}})
                                        .rec(60, {})
                                        .rec(62, {0, 0, 0, 0})
                                        .finish()
                                 << QList<Probe>{{{20, 20}, red}, {{80, 80}, white}};
    QTest::newRow("clip path") << redBrush()
                                      .rec(59, {})
                                      .rect(42, 0, 0, 1000, 1000)
                                      .rec(60, {})
                                      .rec(67, {5})
                                      .rect(43, 0, 0, 1000, 1000)
                                      .finish()
                               << QList<Probe>{{{50, 50}, red}, {{3, 3}, white}, {{96, 96}, white}};
    QTest::newRow("poly-polygon, alternate fill leaves the hole")
        << redBrush()
               .raw(91,
                    [] {
                        QByteArray p(16, '\0');
                        auto put = [&p](quint32 v) {
                            p.append(reinterpret_cast<const char*>(&v), 4);
                        };
                        put(2);
                        put(8);
                        put(4);
                        put(4);
                        for (int v : {0, 0, 1000, 0, 1000, 1000, 0, 1000, 300, 300, 700, 300, 700,
                                      700, 300, 700}) {
                            const qint16 s = qint16(v);
                            p.append(reinterpret_cast<const char*>(&s), 2);
                        }
                        return p;
                    }())
               .finish()
        << QList<Probe>{{{10, 10}, red}, {{50, 50}, white}};
    QTest::newRow("pie runs counter-clockwise")
        << redBrush().rec(47, {0, 0, 1000, 1000, 1000, 500, 500, 0}).finish()
        << QList<Probe>{{{70, 30}, red}, {{30, 70}, white}, {{30, 30}, white}};
    QTest::newRow("chord") << redBrush().rec(46, {0, 0, 1000, 1000, 0, 500, 1000, 500}).finish()
                           << QList<Probe>{{{50, 80}, red}, {{50, 20}, white}};
    QTest::newRow("bitmap stretched")
        << EmfWriter()
               .stretchDiBits(0, 0, 1000, 1000,
                              [] {
                                  QImage i(2, 2, QImage::Format_RGB32);
                                  i.setPixel(0, 0, qRgb(255, 0, 0));
                                  i.setPixel(1, 0, qRgb(0, 255, 0));
                                  i.setPixel(0, 1, qRgb(0, 0, 255));
                                  i.setPixel(1, 1, qRgb(255, 255, 255));
                                  return i;
                              }())
               .finish()
        << QList<Probe>{{{25, 25}, red}, {{75, 25}, green}, {{25, 75}, blue}, {{75, 75}, white}};
    QTest::newRow("pattern brush") << EmfWriter()
                                          .nullPen(1)
                                          .select(1)
                                          .dibPatternBrush(2,
                                                           [] {
                                                               QImage i(8, 8, QImage::Format_RGB32);
                                                               i.fill(Qt::green);
                                                               return i;
                                                           }())
                                          .select(2)
                                          .rect(43, 0, 0, 1000, 1000)
                                          .finish()
                                   << QList<Probe>{{{50, 50}, green}};
    QTest::newRow("unknown and EMF+ comment records are skipped")
        << redBrush()
               .rec(9999, {1, 2, 3})
               .raw(70, QByteArray("\x10\0\0\0EMF+\x01\x40\0\0\x0c\0\0\0", 16))
               .rect(43, 0, 0, 1000, 1000)
               .finish()
        << QList<Probe>{{{50, 50}, red}};
}

void TestMetafile::emfRecords() {
    QFETCH(QByteArray, data);
    QFETCH(QList<Probe>, probes);
    const QImage img = render(data);
    QVERIFY(!img.isNull());
    for (const Probe& p : probes)
        QVERIFY2(near(img.pixel(p.at), p.color),
                 qPrintable(QStringLiteral("at %1,%2: %3")
                                .arg(p.at.x())
                                .arg(p.at.y())
                                .arg(QColor(img.pixel(p.at)).name())));
}

void TestMetafile::textIsDrawnWhereAligned() {
    // Top-aligned text: the cell starts at the given point; 90 degrees runs upwards from it.
    const QImage flat = render(EmfWriter()
                                   .font(1, -200, 700, "Liberation Sans")
                                   .select(1)
                                   .rec(18, {1})
                                   .textOutW(100, 300, "HH")
                                   .finish());
    QVERIFY(darkPixels(flat, QRect(10, 30, 40, 25)) > 30);
    QCOMPARE(darkPixels(flat, QRect(0, 0, 100, 28)), 0);
    QCOMPARE(darkPixels(flat, QRect(60, 0, 40, 100)), 0);

    const QImage up = render(EmfWriter()
                                 .font(1, -200, 700, "Liberation Sans", 900)
                                 .select(1)
                                 .rec(18, {1})
                                 .textOutW(300, 900, "HH")
                                 .finish());
    QVERIFY(darkPixels(up, QRect(30, 40, 25, 50)) > 30);
    QCOMPARE(darkPixels(up, QRect(0, 0, 28, 100)), 0);

    // Centre and baseline alignment put the text around and above the point.
    const QImage centred = render(EmfWriter()
                                      .font(1, -200, 700, "Liberation Sans")
                                      .select(1)
                                      .rec(18, {1})
                                      .rec(22, {6 | 24})
                                      .textOutW(500, 500, "HHHH")
                                      .finish());
    QVERIFY(darkPixels(centred, QRect(30, 30, 20, 19)) > 20);
    QVERIFY(darkPixels(centred, QRect(50, 30, 20, 19)) > 20);
    QCOMPARE(darkPixels(centred, QRect(0, 52, 100, 48)), 0);
}

void TestMetafile::wmfRecords_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QList<Probe>>("probes");
    const QColor red(Qt::red), white(Qt::white), blue(Qt::blue);
    const auto brush = [](WmfWriter w, qint32 color) {
        return w.rec(0x02FC, {0, qint16(color & 0xFFFF), qint16(color >> 16), 0}).rec(0x012D, {0});
    };
    QTest::newRow("placeable bounds fill the target")
        << brush(WmfWriter(), Red).rec(0x041B, {500, 500, 100, 100}).finish()
        << QList<Probe>{{{30, 30}, red}, {{70, 70}, white}};
    QTest::newRow("window origin and extent") << brush(WmfWriter(), Red)
                                                     .rec(0x020B, {0, 0})
                                                     .rec(0x020C, {10, 10})
                                                     .rec(0x041B, {5, 5, 1, 1})
                                                     .finish()
                                              << QList<Probe>{{{30, 30}, red}, {{70, 70}, white}};
    QTest::newRow("window flipped upwards") << brush(WmfWriter(), Red)
                                                   .rec(0x020B, {10, 0})
                                                   .rec(0x020C, {-10, 10})
                                                   .rec(0x041B, {10, 5, 5, 0})
                                                   .finish()
                                            << QList<Probe>{{{20, 20}, red}, {{20, 70}, white}};
    QTest::newRow("polygon")
        << brush(WmfWriter(), Blue).rec(0x0324, {3, 0, 0, 1000, 0, 0, 1000}).finish()
        << QList<Probe>{{{20, 20}, blue}, {{80, 80}, white}};
    QTest::newRow("clip rectangle") << brush(WmfWriter(), Red)
                                           .rec(0x0416, {1000, 300, 0, 0})
                                           .rec(0x041B, {1000, 1000, 0, 0})
                                           .finish()
                                    << QList<Probe>{{{20, 50}, red}, {{60, 50}, white}};
    QTest::newRow("bitmap") << WmfWriter()
                                   .dibStretchBlt(0, 0, 1000, 1000,
                                                  [] {
                                                      QImage i(2, 1, QImage::Format_RGB32);
                                                      i.setPixel(0, 0, qRgb(255, 0, 0));
                                                      i.setPixel(1, 0, qRgb(0, 0, 255));
                                                      return i;
                                                  }())
                                   .finish()
                            << QList<Probe>{{{25, 50}, red}, {{75, 50}, blue}};
}

void TestMetafile::wmfRecords() {
    emfRecords();
}

void TestMetafile::wmfObjectsTakeTheLowestFreeSlot() {
    const QByteArray data = WmfWriter()
                                .rec(0x02FA, {5, 0, 0, 0, 0})        // null pen, slot 0
                                .rec(0x02FC, {0, qint16(Red), 0, 0}) // red brush, slot 1
                                .rec(0x012D, {0})
                                .rec(0x01F0, {0})
                                .rec(0x02FC, {0, 0, qint16(Blue >> 16), 0}) // blue, slot 0 again
                                .rec(0x012D, {0})
                                .rec(0x041B, {1000, 1000, 0, 0})
                                .finish();
    const QImage img = render(data);
    QVERIFY(near(img.pixel(50, 50), Qt::blue));
    // Text through a created font.
    const QImage text = render(WmfWriter()
                                   .font(-200, 700, "Liberation Sans")
                                   .rec(0x012D, {0})
                                   .rec(0x0102, {1})
                                   .textOut(100, 300, "HH")
                                   .finish());
    QVERIFY(darkPixels(text, QRect(10, 30, 40, 25)) > 30);
    QCOMPARE(darkPixels(text, QRect(0, 0, 100, 28)), 0);
}

void TestMetafile::damagedFilesAreRefused_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("reason");
    const QByteArray emf = EmfWriter().rect(43, 0, 0, 10, 10).finish();
    const QByteArray wmf = WmfWriter().rec(0x041B, {1, 1, 0, 0}).finish();
    QTest::newRow("empty") << QByteArray() << "not a WMF or EMF";
    QTest::newRow("text") << QByteArray("hello world, this is no picture at all") << "not a WMF";
    QTest::newRow("emf header cut") << emf.left(60) << "header";
    QTest::newRow("emf header size past the end") << [&] {
        QByteArray d = emf.left(108);
        d[4] = char(0xF0);
        return d;
    }() << "header";
    QTest::newRow("emf record past the end") << [&] {
        QByteArray d = emf;
        d[108 + 4] = char(0x7F);
        return d;
    }() << "record 1";
    QTest::newRow("emf record of size 0") << [&] {
        QByteArray d = emf;
        d[108 + 4] = 0;
        return d;
    }() << "record 1";
    QTest::newRow("emf empty frame and bounds") << [&] {
        QByteArray d = emf;
        for (int i = 8; i < 40; ++i)
            d[i] = (i >= 16 && i < 24) ? char(0xFF) : '\0'; // bounds 0, 0, -1, -1
        return d;
    }() << "no size";
    QTest::newRow("wmf record past the end") << [&] {
        QByteArray d = wmf;
        d[40 + 2] = char(0x7F);
        return d;
    }() << "record 1";
    QTest::newRow("wmf record of size 0") << [&] {
        QByteArray d = wmf;
        d[40] = 0;
        return d;
    }() << "record 1";
    QTest::newRow("wmf empty bounds") << WmfWriter(0, 0, 1000).finish() << "no size";
    QTest::newRow("placeable key, no header") << wmf.left(30) << "header";
}

void TestMetafile::damagedFilesAreRefused() {
    QFETCH(QByteArray, data);
    QFETCH(QString, reason);
    QString why;
    QVERIFY(!Metafile::parse(data, &why));
    QVERIFY2(why.contains(reason), qPrintable(why));
}

void TestMetafile::lyingRecordsAreSkipped_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("goodPart");
    // Each file draws a red rectangle around a record whose counts, offsets or indexes lie.
    const auto wrap = [](const std::function<void(EmfWriter&)>& bad) {
        EmfWriter w = redBrush();
        bad(w);
        return w.rect(43, 0, 0, 1000, 1000).finish();
    };
    QTest::newRow("polygon count beyond the record") << wrap([](EmfWriter& w) {
        w.rec(86, {0, 0, 0, 0, 0x7FFFFFFF, 0});
    }) << QByteArray();
    QTest::newRow("poly-polygon counts that do not add up") << wrap([](EmfWriter& w) {
        w.rec(91, {0, 0, 0, 0, 2, 3, 1, 1, 0, 0});
    }) << QByteArray();
    QTest::newRow("object index far out") << wrap([](EmfWriter& w) {
        w.solidBrush(0x7FFFFFF0, Blue).select(0x7FFFFFF0).rec(40, {-1});
    }) << QByteArray();
    QTest::newRow("restore without save, deep nesting") << wrap([](EmfWriter& w) {
        w.rec(34, {-5}).rec(34, {7});
        for (int i = 0; i < 3000; ++i)
            w.rec(33, {});
        w.rec(34, {1});
    }) << QByteArray();
    QTest::newRow("text string past the record") << wrap([](EmfWriter& w) {
        w.rec(84, {0, 0, 0, 0, 1, 0, 0, 10, 10, 1000, 0x7FFFFFF0, 0, 0, 0, 0, 0, 0x7FFFFFF0});
    }) << QByteArray();
    QTest::newRow("bitmap offsets past the record") << wrap([](EmfWriter& w) {
        w.rec(81, {0, 0, 0, 0, 0, 0, 0, 0, 10, 10, 80, 40, 0x7FFFFFF0, 100, 0, 0xCC0020, 100, 100});
    }) << QByteArray();
    QTest::newRow("bitmap header with absurd size") << wrap([](EmfWriter& w) {
        w.rec(81, {0,          0,          0,   0, 0, 0,        0,   0,   10, 10,
                   80,         40,         120, 4, 0, 0xCC0020, 100, 100, 40, 0x7FFFFFFF,
                   0x7FFFFFFF, 0x00180001, 0,   0, 0, 0,        0,   0,   0});
    }) << QByteArray();
    QTest::newRow("degenerate world transform and window") << wrap([](EmfWriter& w) {
        w.worldTransform(0, 0, 0, 0, 0, 0)
            .rec(9, {0, 0})
            .rec(35, {0x7F800000, 0, 0, 0x7F800000, 0, 0});
    }) << QByteArray();
}

void TestMetafile::lyingRecordsAreSkipped() {
    QFETCH(QByteArray, data);
    const QImage img = render(data);
    QVERIFY(!img.isNull());
    QVERIFY(near(img.pixel(50, 50), Qt::red));
}

void TestMetafile::mutatedFilesNeverCrash() {
    // A quick smoke run of what the fuzz targets do at length: flipped bytes in real files.
    QRandomGenerator rng(1234);
    for (const QString& name :
         {QStringLiteral("pictures/drawing.emf"), QStringLiteral("pictures/drawing.wmf")}) {
        const QByteArray original = fixtureBytes(name);
        for (int round = 0; round < 60; ++round) {
            QByteArray d = original;
            const int flips = 1 + int(rng.bounded(20));
            for (int i = 0; i < flips; ++i)
                d[int(rng.bounded(quint32(d.size())))] = char(rng.bounded(256));
            const auto mf = Metafile::parse(d);
            if (!mf) continue;
            QImage img(64, 48, QImage::Format_RGB32);
            QPainter p(&img);
            mf->play(p, img.rect());
        }
    }
}

QTEST_MAIN(TestMetafile)
#include "tst_metafile.moc"
