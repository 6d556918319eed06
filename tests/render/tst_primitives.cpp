#include "render/canvas.h"
#include "render/primitives.h"
#include "render/recordingdevice.h"
#include "render/rnd.h"

#include <QPainter>
#include <QTest>

using Type = Recording::Element::Type;

namespace {
template <class Draw> Recording record(Draw draw) {
    RecordingDevice device;
    {
        QPainter painter(&device);
        draw(painter);
    }
    return device.recording();
}

TFormatUeberschrift hidden() {
    TFormatUeberschrift f;
    f.Sichtbar = 0;
    return f;
}

const QString kLong =
    QStringLiteral("A margin text that is far too long for any spine of any case, so it must lose "
                   "characters from its end until it fits between the strip's ends");
} // namespace

class TestPrimitives : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void halfToEven_data();
    void halfToEven();
    void fontStyleFlags();
    void fontCellHeights_data();
    void fontCellHeights();
    void shortenMatchesOneByOne_data();
    void shortenMatchesOneByOne();
    void headerBandAndBands();
    void hiddenHeaderTakesNoRoom();
    void underlineOnRaster_data();
    void underlineOnRaster();
    void spineTexts_data();
    void spineTexts();
    void maxiMarginText_data();
    void maxiMarginText();
    void listingTreeMarks();
    void listingColumns_data();
    void listingColumns();
    void emptyListingDrawsNothing();
    void pictureNaturalSize_data();
    void pictureNaturalSize();
    void textBlockAlignmentAndTabs();
    void backgroundKinds();
};

void TestPrimitives::halfToEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("3.5") << 3.5 << 4;
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("117-2*10.0") << 1170 - 2 * 10.0 << 1150;
    QTest::newRow("2.6") << 2.6 << 3;
}

void TestPrimitives::halfToEven() {
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(rnd(value), expected);
}

void TestPrimitives::fontStyleFlags() {
    QCOMPARE(FontStyleFromFlags(1, 0, 1), (FontStyle{true, false, true}));
    QCOMPARE(FontStyleFromFlags(2, 255, 1), (FontStyle{false, false, true})); // only 1 counts
    TFormatUeberschrift format;
    format.Fett = 1;
    format.Kursiv = 1;
    format.Unterstrichen = 1;
    const Recording r = record(
        [&](QPainter& p) { DrawHeaderBand(p, 0, 0, 10, 10, QStringLiteral("x"), format, 120); });
    QCOMPARE(r.elements(Type::Text).value(0).style, QStringLiteral("bold+italic+underline"));
}

void TestPrimitives::fontCellHeights_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("cell");
    QTest::addColumn<bool>("bold");
    for (const char* face : {"Times New Roman", "Courier New", "Arial"})
        for (int cell : {20, 30, 40, 60, 100, 300})
            for (bool bold : {false, true})
                QTest::addRow("%s %d %s", face, cell, bold ? "bold" : "plain")
                    << QString::fromLatin1(face) << cell << bold;
}

void TestPrimitives::fontCellHeights() {
    QFETCH(QString, face);
    QFETCH(int, cell);
    QFETCH(bool, bold);
    const CanvasFont font(face, cell, FontStyle{bold, false, false});
    QVERIFY2(std::abs(font.cellHeight() - cell) <= 0.01 * cell,
             qPrintable(QString::number(font.cellHeight())));
    // What a drawing records is the cell asked for, at the cell's top-left corner.
    const Recording r = record(
        [&](QPainter& p) { DrawTextAt(p, 100, 200, 0, QStringLiteral("Hg"), font, Qt::black); });
    const auto texts = r.elements(Type::Text);
    QCOMPARE(texts.size(), 1);
    QCOMPARE(texts[0].cell, cell);
    QCOMPARE(texts[0].pos, QPoint(100, 200));
    QCOMPARE(texts[0].family, face);
}

void TestPrimitives::shortenMatchesOneByOne_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("limit");
    QTest::newRow("fits") << QStringLiteral("Short") << 1150.0;
    QTest::newRow("long") << kLong << 1150.0;
    QTest::newRow("long 114") << kLong << 1140.0;
    QTest::newRow("nothing fits") << QStringLiteral("WWW") << 5.0;
    QTest::newRow("zero") << QStringLiteral("abc") << 0.0;
    QTest::newRow("empty") << QString() << 10.0;
    QTest::newRow("umlauts") << QStringLiteral("Größenänderungen überall") << 300.0;
}

void TestPrimitives::shortenMatchesOneByOne() {
    QFETCH(QString, text);
    QFETCH(double, limit);
    const CanvasFont font(QStringLiteral("Times New Roman"), 40);
    QString expected = text;
    while (!expected.isEmpty() && font.width(expected) > limit)
        expected.chop(1);
    QCOMPARE(ShortenToWidth(text, font, limit), expected);
}

void TestPrimitives::headerBandAndBands() {
    TFormatUeberschrift kopf;
    kopf.Ausrichtung = 0;
    kopf.HgFarbe = 0x0000FF; // red in 0x00BBGGRR
    kopf.Schriftfarbe = 0xFF0000;
    TFormatUeberschrift fuss; // size index 8: band 12 mm
    const Recording r = record([&](QPainter& p) {
        DrawBackground(true, p, 0, 0, 10, 10, Picture(), TFormatHintergrund{}, 120, 120, kopf,
                       fuss);
        DrawHeaderBand(p, 0, 0, 10, 10, QStringLiteral("Kopf & Zeile"), kopf, 120);
        DrawHeaderBand(p, 0, 120 - (fuss.Groesse + 4), 10, 10, QStringLiteral("Fuss"), fuss, 120);
    });
    const auto fills = r.elements(Type::Fill);
    QCOMPARE(fills.size(), 3);
    QCOMPARE(fills[0].rect, QRect(QPoint(0, 120), QPoint(1199, 1079))); // between the bands
    QCOMPARE(fills[1].rect, QRect(0, 0, 1200, 120));
    QCOMPARE(fills[1].colour, QColor(255, 0, 0));
    QCOMPARE(fills[2].rect, QRect(0, 1080, 1200, 120)); // footer at y = 108 mm
    const auto texts = r.elements(Type::Text);
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts[0].text, QStringLiteral("Kopf & Zeile")); // no prefix processing
    QCOMPARE(texts[0].pos, QPoint(10, 10));
    QCOMPARE(texts[0].cell, 100);
    QCOMPARE(texts[0].colour, QColor(0, 0, 255));
    QCOMPARE(texts[1].pos.y(), 1090);
    // Centred: the text's middle is the band's middle.
    const CanvasFont font(fuss.Schriftart, 100);
    QVERIFY(std::abs(texts[1].pos.x() + font.width(QStringLiteral("Fuss")) / 2 - 600) <= 1);
}

void TestPrimitives::underlineOnRaster_data() {
    QTest::addColumn<double>("pixelsPerMm");
    QTest::addRow("preview zoom 2") << 4.0;
    QTest::addRow("300 dpi") << 300 / 25.4;
}

// The underline is drawn once, at the font's own thickness at true size, however the
// replayed text's thin pen is widened.
void TestPrimitives::underlineOnRaster() {
    QFETCH(double, pixelsPerMm);
    const QRect box(0, 0, 800, 100);
    auto raster = [&](bool underline) {
        const CanvasFont font(QStringLiteral("Liberation Sans"), 60,
                              FontStyle{false, false, underline});
        const Recording r = record([&](QPainter& p) {
            DrawSingleLine(p, box, QStringLiteral("HHHHHHHH"), font, Qt::black, 0);
        });
        QImage image(int(80 * pixelsPerMm), int(10 * pixelsPerMm), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.scale(pixelsPerMm / 10, pixelsPerMm / 10);
        r.play(p);
        return image;
    };
    const QImage plain = raster(false), underlined = raster(true);
    int rows = 0;
    for (int y = 0; y < plain.height(); ++y) {
        int added = 0;
        for (int x = 0; x < plain.width(); ++x)
            added += qGray(underlined.pixel(x, y)) < 128 && qGray(plain.pixel(x, y)) >= 128;
        rows += added > plain.width() / 4;
    }
    const CanvasFont font(QStringLiteral("Liberation Sans"), 60, FontStyle{false, false, true});
    const double thickness =
        font.metrics().lineWidth() / CanvasFont::Oversampling / 10 * pixelsPerMm;
    QVERIFY2(rows >= 1 && rows <= std::ceil(thickness) + 1,
             qPrintable(QStringLiteral("%1 rows, line %2 px").arg(rows).arg(thickness)));
}

void TestPrimitives::hiddenHeaderTakesNoRoom() {
    const TFormatUeberschrift kopf = hidden();
    TFormatUeberschrift fuss;
    fuss.Groesse = 3;
    QCOMPARE(BandAllowance(7, 1, 10, 10, 136, 115, kopf, fuss), QRect(70, 10, 1360, 1150 - 70));
    const Recording r = record([&](QPainter& p) {
        DrawHeaderBand(p, 0, 0, 10, 10, QStringLiteral("unseen"), kopf, 120);
        DrawTextBlock(p, 1, 1, 10, 10, QStringLiteral("Top"), TFormatText{}, 118, 118, kopf, fuss);
    });
    QVERIFY(r.elements(Type::Fill).isEmpty());
    const auto texts = r.elements(Type::Text);
    QCOMPARE(texts.size(), 1);
    QCOMPARE(texts[0].pos, QPoint(10, 10));
    QCOMPARE(texts[0].cell, 30);
}

void TestPrimitives::spineTexts_data() {
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("inset");
    for (int a : {0, 1, 2}) {
        QTest::addRow("align %d short", a) << a << 2 << QStringLiteral("Spine") << 10;
        QTest::addRow("align %d long", a) << a << 2 << kLong << 10;
        QTest::addRow("align %d size 0", a) << a << 0 << QStringLiteral("Spine") << 20;
        QTest::addRow("align %d size 4", a) << a << 4 << QStringLiteral("Spine") << 0;
    }
}

void TestPrimitives::spineTexts() {
    QFETCH(int, alignment);
    QFETCH(int, size);
    QFETCH(QString, text);
    QFETCH(int, inset);
    TFormatRandtext format;
    format.Ausrichtung = alignment;
    format.Groesse = size;
    const Recording r = record([&](QPainter& p) { DrawSpineTexts(p, 0, 0, 10, 10, text, format); });
    const auto fills = r.elements(Type::Fill);
    QCOMPARE(fills.size(), 2);
    QCOMPARE(fills[0].rect, QRect(0, 0, 60, 1170));
    QCOMPARE(fills[1].rect, QRect(1440, 0, 60, 1170));
    QCOMPARE(fills[0].colour, QColor(0x80, 0x80, 0x80));

    const CanvasFont font(format.Schriftart, (size + 2) * 10);
    const QString shown = r.elements(Type::Text).value(0).text;
    QVERIFY(text.startsWith(shown));
    QVERIFY(font.width(shown) <= 1150);
    if (shown != text)
        QVERIFY(font.width(text.left(shown.size() + 1)) > 1150); // longest that fits, no "..."
    const int tw = rnd(font.width(shown));
    const auto texts = r.elements(Type::Text);
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts[0].angle, 900);
    QCOMPARE(texts[1].angle, 2700);
    QCOMPARE(texts[1].text, shown);
    QCOMPARE(texts[0].pos.x(), inset);
    QCOMPARE(texts[1].pos.x(), 1500 - inset);
    const int leftY[] = {1160, tw + 10, 1170 - rnd((1170 - tw) / 2.0)};
    const int rightY[] = {10, 1170 - tw - 10, rnd((1170 - tw) / 2.0)};
    QCOMPARE(texts[0].pos.y(), leftY[alignment]);
    QCOMPARE(texts[1].pos.y(), rightY[alignment]);
}

void TestPrimitives::maxiMarginText_data() {
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QString>("text");
    for (int a : {0, 1, 2, 3}) {
        QTest::addRow("align %d short", a) << a << QStringLiteral("Maxi");
        QTest::addRow("align %d long", a) << a << kLong;
    }
}

void TestPrimitives::maxiMarginText() {
    QFETCH(int, alignment);
    QFETCH(QString, text);
    TFormatRandtext format;
    format.Ausrichtung = alignment;
    format.Groesse = 4; // ignored: always 3 mm
    const Recording r =
        record([&](QPainter& p) { DrawMaxiMarginText(p, 0, 0, 10, 10, text, format); });
    QCOMPARE(r.elements(Type::Fill).value(0).rect, QRect(160, 20, 30, 1160));
    const auto texts = r.elements(Type::Text);
    if (alignment == 3) {
        QVERIFY(texts.isEmpty());
        return;
    }
    QCOMPARE(texts.size(), 1);
    const CanvasFont font(format.Schriftart, 30);
    QCOMPARE(texts[0].cell, 30);
    QVERIFY(font.width(texts[0].text) <= 1140);
    if (texts[0].text != text) QVERIFY(font.width(text.left(texts[0].text.size() + 1)) > 1140);
    const int tw = rnd(font.width(texts[0].text));
    const int y[] = {30, 20 + 1160 - tw - 10, 20 + rnd((1160 - tw) / 2.0)};
    QCOMPARE(texts[0].pos, QPoint(190, y[alignment]));
    QCOMPARE(texts[0].angle, 2700);
}

void TestPrimitives::listingTreeMarks() {
    TFormatVerzeichnis format; // 3 mm rows, half line 1 mm
    format.StartVerz = 0;
    const DirectoryListing listing = {QStringLiteral("D:\\"), QStringLiteral("   deep"),
                                      QStringLiteral("comment")};
    const Recording r = record([&](QPainter& p) {
        DrawDirectoryListing(p, 1, 1, 10, 10, listing, format, 1, 118, 118, hidden(), hidden());
    });
    // Level 4, depth 3: strokes at 1 and 3 mm, connector 5 -> 6 mm, text at 6 mm.
    const int cx = 10, y = 10;
    QList<QLine> strokes;
    for (const auto& e : r.elements(Type::Line))
        if (e.line.x1() < cx + 100) strokes.append(e.line);
    QCOMPARE(strokes, (QList<QLine>{QLine(cx + 30, y, cx + 30, y + 10),
                                    QLine(cx + 10, y, cx + 10, y + 10)}));
    const auto polylines = r.elements(Type::Polyline);
    QCOMPARE(polylines.size(), 1);
    QCOMPARE(polylines[0].points,
             QPolygon({QPoint(cx + 50, y), QPoint(cx + 50, y + 10), QPoint(cx + 60, y + 10)}));
    const auto texts = r.elements(Type::Text);
    QCOMPARE(texts.size(), 1);
    QCOMPARE(texts[0].text, QStringLiteral("deep"));
    QCOMPARE(texts[0].pos, QPoint(cx + 60, y));
    QCOMPARE(texts[0].style, QStringLiteral("regular"));
}

void TestPrimitives::listingColumns_data() {
    QTest::addColumn<int>("kommentare");
    QTest::addColumn<int>("line");   // listing line to look for
    QTest::addColumn<int>("column"); // 0-based column it starts
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("separators");
    QTest::newRow("0:4 line 19") << 0 << 19 << 0 << 9 << 3;
    QTest::newRow("0:4 line 21") << 0 << 21 << 1 << 0 << 3;
    QTest::newRow("0:4 line 61") << 0 << 61 << 3 << 0 << 3;
    QTest::newRow("2:2 comment 2") << 1 << 2 << 1 << 0 << 3;
    QTest::newRow("2:2 line 21") << 1 << 21 << 2 << 0 << 3;
    QTest::newRow("2:2 comment 22") << 1 << 22 << 3 << 0 << 3;
    QTest::newRow("3:1 comment 20") << 2 << 20 << 1 << 9 << 1;
}

void TestPrimitives::listingColumns() {
    QFETCH(int, kommentare);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(int, separators);
    TFormatVerzeichnis format;
    format.Kommentare = kommentare;
    DirectoryListing listing = {QStringLiteral("C:\\Start")};
    for (int i = 0; i < 60; ++i)
        listing << QStringLiteral("entry%1").arg(2 * i + 1)
                << QStringLiteral("comment%1").arg(2 * i + 2);
    // Heading takes one 3 mm row: 33 mm of budget leave R = 10.
    int rows = 0;
    const Recording r = record([&](QPainter& p) {
        rows =
            DrawDirectoryListing(p, 1, 1, 10, 10, listing, format, 1, 120, 33, hidden(), hidden());
    });
    QCOMPARE(rows, 10);
    const auto texts = r.elements(Type::Text);
    QCOMPARE(texts.value(0).text, QStringLiteral("C:\\Start"));
    QCOMPARE(texts.value(0).style, QStringLiteral("bold+italic"));
    const QString wanted =
        (line % 2 ? QStringLiteral("entry%1") : QStringLiteral("comment%1")).arg(line);
    const auto it =
        std::find_if(texts.begin(), texts.end(), [&](const auto& e) { return e.text == wanted; });
    QVERIFY(it != texts.end());
    const int cw = 1200 / 4;
    const int cx = column == 0 ? 10 : 10 + column * cw + 10;
    QCOMPARE(it->pos, QPoint(cx, 40 + row * 30));
    QCOMPARE(it->style, line % 2 ? QStringLiteral("bold") : QStringLiteral("regular"));
    QCOMPARE(r.elements(Type::Line).size(), separators);
    QCOMPARE(r.elements(Type::Line).value(0).line, QLine(10 + cw, 40, 10 + cw, 340));
}

void TestPrimitives::emptyListingDrawsNothing() {
    const Recording r = record([&](QPainter& p) {
        QCOMPARE(DrawDirectoryListing(p, 1, 1, 10, 10, {}, TFormatVerzeichnis{}, 1, 118, 118,
                                      hidden(), hidden()),
                 -1);
    });
    QVERIFY(r.elements().isEmpty());
}

void TestPrimitives::pictureNaturalSize_data() {
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("stretch");
    QTest::addColumn<QRect>("target");
    QTest::newRow("wide centred") << 2 << QSize(400, 100) << 0 << QRect(0, 450, 1200, 300);
    QTest::newRow("wide bottom") << 1 << QSize(400, 100) << 0 << QRect(0, 900, 1200, 300);
    QTest::newRow("wide top") << 0 << QSize(400, 100) << 0 << QRect(0, 0, 1200, 300);
    QTest::newRow("tall centred") << 2 << QSize(100, 400) << 0 << QRect(450, 0, 300, 1200);
    QTest::newRow("tall right") << 1 << QSize(100, 400) << 0 << QRect(900, 0, 300, 1200);
    QTest::newRow("stretched") << 2 << QSize(100, 400) << 1 << QRect(0, 0, 1200, 1200);
    QTest::newRow("filled, centred: cut above and below")
        << 2 << QSize(100, 400) << 2 << QRect(0, -1800, 1200, 4800);
    QTest::newRow("unknown mode") << 2 << QSize(100, 400) << 3 << QRect();
}

void TestPrimitives::pictureNaturalSize() {
    QFETCH(int, alignment);
    QFETCH(QSize, size);
    QFETCH(int, stretch);
    QFETCH(QRect, target);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::blue);
    TFormatBild format;
    format.Bildmasse = stretch;
    format.Ausrichtung = alignment;
    for (bool forPreview : {true, false}) {
        const Recording r = record([&](QPainter& p) {
            DrawPicture(forPreview, p, 0, 0, 10, 10, Picture::fromImage(image, Picture::Kind::Jpeg),
                        format, 120, 120, hidden(), hidden());
        });
        const auto images = r.elements(Type::Image);
        QCOMPARE(images.size(), target.isValid() ? 1 : 0);
        if (target.isValid()) {
            QCOMPARE(images[0].rect, target);
            QCOMPARE(images[0].kind, Picture::Kind::Jpeg);
        }
    }
}

void TestPrimitives::textBlockAlignmentAndTabs() {
    TFormatText format;
    format.Ausrichtung = 3;
    const auto none = record([&](QPainter& p) {
        DrawTextBlock(p, 1, 1, 10, 10, QStringLiteral("Nothing"), format, 118, 118, hidden(),
                      hidden());
    });
    QVERIFY(none.elements().isEmpty());

    format.Ausrichtung = 0;
    const QString text = QStringLiteral("a\tb\r\nsecond line");
    const auto r = record([&](QPainter& p) {
        DrawTextBlock(p, 1, 1, 10, 10, text, format, 118, 118, hidden(), hidden());
    });
    const auto texts = r.elements(Type::Text);
    const CanvasFont font(format.Schriftart, 30);
    QCOMPARE(texts.size(), 3);
    QCOMPARE(texts[0].text, QStringLiteral("a"));
    QCOMPARE(texts[1].text, QStringLiteral("b"));
    // The tab stop is 8 average character widths from the left edge, whatever the device.
    QVERIFY(std::abs(texts[1].pos.x() - (10 + 8 * font.averageCharWidth())) <= 1);
    QCOMPARE(texts[2].pos, QPoint(10, 10 + 30));
}

void TestPrimitives::backgroundKinds() {
    TFormatHintergrund format;
    format.Art = 1;
    format.Modus = 1;
    QImage texture(8, 8, QImage::Format_RGB32);
    texture.fill(Qt::green);
    const Picture picture = Picture::fromImage(texture);
    const auto unpainted = record([&](QPainter& p) {
        DrawBackground(true, p, 0, 0, 10, 10, picture, format, 120, 120, hidden(), hidden());
    });
    QVERIFY(unpainted.elements().isEmpty());
    format.Modus = 0;
    const auto textured = record([&](QPainter& p) {
        DrawBackground(false, p, 0, 0, 10, 10, picture, format, 120, 120, TFormatUeberschrift{},
                       hidden());
    });
    QCOMPARE(textured.dump(), QStringLiteral("image 0 120 1200 1200 Bitmap\n"));
    format.Art = 0;
    format.Farbe = 0x00FF00;
    const auto coloured = record([&](QPainter& p) {
        DrawBackground(true, p, 0, 0, 10, 10, picture, format, 120, 120, hidden(), hidden());
    });
    QCOMPARE(coloured.dump(), QStringLiteral("fill 0 0 1200 1200 #00FF00\n"));
}

QTEST_MAIN(TestPrimitives)
#include "tst_primitives.moc"
