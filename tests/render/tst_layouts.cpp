#include "document/coverdocument.h"
#include "render/layouts.h"
#include "render/recordingdevice.h"

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

// The extent of the cut outlines drawn, in mm.
QRect outlineExtent(const Recording& r) {
    QRect box;
    for (const auto& e : r.elements(Type::Polyline))
        box |= e.points.boundingRect();
    return QRect(box.left() / 10, box.top() / 10, (box.right() - box.left()) / 10,
                 (box.bottom() - box.top()) / 10);
}

QPolygon scaled(const QList<QPoint>& mm, QPoint origin) {
    QPolygon out;
    for (const QPoint& p : mm)
        out << (p + origin) * 10;
    return out;
}
} // namespace

class TestLayouts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void outlines_data();
    void outlines();
    void singleSideTable_data();
    void singleSideTable();
    void sheets_data();
    void sheets();
    void compositionOrder();
    void contentOnlyParts();
    void listingRowsStayBetweenTheBands_data();
    void listingRowsStayBetweenTheBands();
};

void TestLayouts::outlines_data() {
    QTest::addColumn<int>("outline");
    QTest::addColumn<QList<QPoint>>("points");
    QTest::addColumn<QList<QLine>>("folds");
    QTest::newRow("square") << int(Outline::Square120)
                            << QList<QPoint>{{0, 0}, {120, 0}, {120, 120}, {0, 120}, {0, 0}}
                            << QList<QLine>{};
    QTest::newRow("back inlay") << int(Outline::BackInlay)
                                << QList<QPoint>{{0, 0}, {150, 0}, {150, 117}, {0, 117}, {0, 0}}
                                << QList<QLine>{QLine(6, 0, 6, 117), QLine(144, 0, 144, 117)};
    QTest::newRow("back inside") << int(Outline::BackInside)
                                 << QList<QPoint>{{0, 0}, {138, 0}, {138, 117}, {0, 117}, {0, 0}}
                                 << QList<QLine>{};
    QTest::newRow("maxi front") << int(Outline::MaxiFront)
                                << QList<QPoint>{{0, 4},    {8, 2},    {35, 2},    {37, 0},
                                                 {157, 0},  {167, 2},  {167, 118}, {157, 120},
                                                 {37, 120}, {35, 118}, {8, 118},   {0, 116},
                                                 {0, 4}}
                                << QList<QLine>{QLine(16, 2, 16, 118), QLine(19, 2, 19, 118),
                                                QLine(157, 0, 157, 120)};
    QTest::newRow("maxi inside") << int(Outline::MaxiInside)
                                 << QList<QPoint>{{0, 0},     {120, 0}, {122, 2}, {122, 118},
                                                  {120, 120}, {0, 120}, {0, 0}}
                                 << QList<QLine>{};
    QTest::newRow("paper front") << int(Outline::PaperCaseFront)
                                 << QList<QPoint>{{0, 25},    {5, 0},     {120, 0},   {125, 25},
                                                  {140, 30},  {140, 145}, {125, 150}, {120, 165},
                                                  {5, 165},   {0, 150},   {0, 25},    {125, 25},
                                                  {125, 150}, {0, 150}}
                                 << QList<QLine>{};
    QTest::newRow("paper inside") << int(Outline::PaperCaseInside)
                                  << QList<QPoint>{{0, 125}, {0, 0}, {125, 0}, {125, 125}, {0, 125}}
                                  << QList<QLine>{};
}

void TestLayouts::outlines() {
    QFETCH(int, outline);
    QFETCH(QList<QPoint>, points);
    QFETCH(QList<QLine>, folds);
    const QPoint origin(15, 130);
    const Recording r =
        record([&](QPainter& p) { DrawOutline(p, Outline(outline), origin.x(), origin.y()); });
    const auto polylines = r.elements(Type::Polyline);
    QCOMPARE(polylines.size(), 1);
    QCOMPARE(polylines[0].points, scaled(points, origin));
    QCOMPARE(polylines[0].colour, QColor(Qt::black));
    const auto lines = r.elements(Type::Line);
    QCOMPARE(lines.size(), folds.size());
    for (int i = 0; i < folds.size(); ++i)
        QCOMPARE(lines[i].line,
                 QLine((folds[i].p1() + origin) * 10, (folds[i].p2() + origin) * 10));
}

void TestLayouts::singleSideTable_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("side");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<int>("outline");
    QTest::addColumn<int>("margin");
    const int none = int(MarginText::None);
    for (int layout : {0, 1}) {
        QTest::addRow("%d/0", layout)
            << layout << 0 << QRect(0, 0, 120, 120) << int(Outline::Square120) << none;
        QTest::addRow("%d/1", layout)
            << layout << 1 << QRect(0, 0, 120, 120) << int(Outline::Square120) << none;
        QTest::addRow("%d/2", layout) << layout << 2 << QRect(6, 0, 138, 117)
                                      << int(Outline::BackInlay) << int(MarginText::BackSpines);
    }
    for (int layout : {0, 1, 2, 3})
        QTest::addRow("%d/3", layout)
            << layout << 3 << QRect(0, 0, 138, 117) << int(Outline::BackInside) << none;
    QTest::newRow("2/0") << 2 << 0 << QRect(19, 2, 138, 116) << int(Outline::MaxiFront)
                         << int(MarginText::MaxiStrip);
    QTest::newRow("2/1") << 2 << 1 << QRect(0, 2, 122, 116) << int(Outline::MaxiInside) << none;
    QTest::newRow("3/0") << 3 << 0 << QRect(0, 25, 125, 125) << int(Outline::PaperCaseFront)
                         << none;
    QTest::newRow("3/1") << 3 << 1 << QRect(0, 0, 125, 125) << int(Outline::PaperCaseInside)
                         << none;
    QTest::newRow("2/2 empty") << 2 << 2 << QRect() << -1 << none;
    QTest::newRow("3/2 empty") << 3 << 2 << QRect() << -1 << none;
    QTest::newRow("unknown layout") << 4 << 0 << QRect() << -1 << none;
}

void TestLayouts::singleSideTable() {
    QFETCH(int, layout);
    QFETCH(int, side);
    QFETCH(QRect, area);
    QFETCH(int, outline);
    QFETCH(int, margin);
    const auto placement = SingleSidePlacement(layout, side);
    QCOMPARE(placement.has_value(), outline >= 0);
    if (!placement) return;
    QCOMPARE(placement->sideArea, area);
    QCOMPARE(placement->contentArea, area.adjusted(1, 1, -1, -1));
    QCOMPARE(int(placement->outline), outline);
    QCOMPARE(placement->outlineOrigin, QPoint(0, 0));
    QCOMPARE(int(placement->margin), margin);
}

void TestLayouts::sheets_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<PrintSelection>("selection");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<QRect>>("extents"); // outline extents in mm per sheet
    QTest::addColumn<QList<int>>("sides");     // sides of the last sheet
    const PrintSelection all;
    QTest::newRow("0 all") << 0 << all << QStringList{"fronts", "back"}
                           << QList<QRect>{{0, 0, 240, 120}, {0, 0, 150, 117}} << QList<int>{2};
    PrintSelection inside{true, true, false, true};
    QTest::newRow("0 back + inside") << 0 << inside << QStringList{"combined"}
                                     << QList<QRect>{{0, 0, 150, 250}} << QList<int>{2, 1};
    PrintSelection onlyInside{true, false, false, true};
    QTest::newRow("0 inside only") << 0 << onlyInside << QStringList{"combined"}
                                   << QList<QRect>{{0, 130, 120, 120}} << QList<int>{1};
    PrintSelection onlyOutside{true, false, true, false};
    QTest::newRow("0 outside only") << 0 << onlyOutside << QStringList{"combined"}
                                    << QList<QRect>{{0, 130, 120, 120}} << QList<int>{0};
    PrintSelection onlyBack{true, true, false, false};
    QTest::newRow("0 back only") << 0 << onlyBack << QStringList{"combined"}
                                 << QList<QRect>{{0, 0, 150, 117}} << QList<int>{2};
    PrintSelection nothing{false, false, false, false};
    QTest::newRow("0 nothing") << 0 << nothing << QStringList{} << QList<QRect>{} << QList<int>{};
    QTest::newRow("1 all") << 1 << all << QStringList{"fronts", "back"}
                           << QList<QRect>{{0, 0, 240, 120}, {0, 0, 150, 247}} << QList<int>{2, 3};
    PrintSelection backs{false, true, true, true};
    QTest::newRow("1 backs") << 1 << backs << QStringList{"back"} << QList<QRect>{{0, 0, 150, 247}}
                             << QList<int>{2, 3};
    QTest::newRow("1 nothing") << 1 << nothing << QStringList{} << QList<QRect>{} << QList<int>{};
    QTest::newRow("2") << 2 << nothing << QStringList{"maxi"} << QList<QRect>{{0, 0, 167, 250}}
                       << QList<int>{0, 1};
    QTest::newRow("3") << 3 << nothing << QStringList{"papercase"} << QList<QRect>{{0, 0, 265, 165}}
                       << QList<int>{0, 1};
    QTest::newRow("unknown") << 7 << all << QStringList{} << QList<QRect>{} << QList<int>{};
}

void TestLayouts::sheets() {
    QFETCH(int, layout);
    QFETCH(PrintSelection, selection);
    QFETCH(QStringList, names);
    QFETCH(QList<QRect>, extents);
    QFETCH(QList<int>, sides);
    CoverDocument doc;
    doc.CoverLayout = quint8(layout);
    const QList<SheetLayout> sheets = SheetsFor(layout, selection);
    QStringList got;
    for (const SheetLayout& s : sheets)
        got << s.name;
    QCOMPARE(got, names);
    for (int i = 0; i < sheets.size(); ++i) {
        const Recording r = record([&](QPainter& p) { DrawSheet(p, doc, sheets[i]); });
        QCOMPARE(outlineExtent(r), extents[i]);
    }
    if (!sheets.isEmpty()) {
        QList<int> last;
        for (const SidePlacement& p : sheets.last().sides)
            last << p.side;
        QCOMPARE(last, sides);
        const bool landscape = sheets.first().name == QLatin1String("fronts") || layout == 3;
        QCOMPARE(sheets.first().orientation,
                 landscape ? SheetOrientation::Landscape : SheetOrientation::Portrait);
        const QPoint offset = layout == 2   ? QPoint(5, 10)
                              : layout == 3 ? QPoint(5, 5)
                                            : QPoint(10, 10);
        QCOMPARE(sheets.first().offset, offset);
    }
}

void TestLayouts::compositionOrder() {
    CoverDocument doc;
    doc.CoverLayout = 0;
    doc.Inhalt[2] = 2;
    doc.TextInhalt[2] = QStringLiteral("Content");
    const SideTexts texts{QStringLiteral("Head"), QStringLiteral("Foot"), QStringLiteral("Rand")};
    const Recording r = record([&](QPainter& p) { DrawSingleSide(p, doc, 2, texts); });
    // Background, header, footer, both spines, content, outline last.
    QStringList order;
    for (const auto& e : r.elements()) {
        if (e.type == Type::Text)
            order << e.text;
        else if (e.type == Type::Fill)
            order << QStringLiteral("fill %1").arg(e.rect.top());
        else if (e.type == Type::Polyline)
            order << QStringLiteral("outline");
    }
    QCOMPARE(order, (QStringList{"fill 120", "fill 0", "Head", "fill 1050", "Foot", "fill 0",
                                 "Rand", "fill 0", "Rand", "Content", "outline"}));
    QCOMPARE(r.elements(Type::Text).value(4).pos, QPoint(70, 130)); // content below the band
}

void TestLayouts::contentOnlyParts() {
    CoverDocument doc;
    doc.CoverLayout = 2;
    const SideTexts texts{QStringLiteral("Head"), QStringLiteral("Foot"), QStringLiteral("Rand")};
    const Recording r = record([&](QPainter& p) {
        DrawSingleSide(p, doc, 0, texts, true, SideParts::BackgroundContentOutline);
    });
    QVERIFY(r.elements(Type::Text).isEmpty());
    // The background still leaves the bands' room.
    QCOMPARE(r.elements(Type::Fill).value(0).rect, QRect(190, 140, 1380, 920));
}

void TestLayouts::listingRowsStayBetweenTheBands_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("side");
    for (int layout = 0; layout < 4; ++layout)
        for (int side = 0; side < CoverDocument::SideCount; ++side)
            if (SingleSidePlacement(layout, side))
                QTest::addRow("layout %d side %d", layout, side) << layout << side;
}

// Every listing size against every band size, bands and heading on and off: each row lies
// wholly inside the room the bands leave, and one more row would not.
void TestLayouts::listingRowsStayBetweenTheBands() {
    QFETCH(int, layout);
    QFETCH(int, side);
    const SidePlacement place = *SingleSidePlacement(layout, side);
    CoverDocument doc;
    doc.CoverLayout = quint8(layout);
    doc.Inhalt[side] = 1;
    DirectoryListing listing{QStringLiteral("/start/")};
    for (int i = 0; i < 400; ++i)
        listing << QStringLiteral("E%1").arg(i) << QStringLiteral("c%1").arg(i);
    doc.VerzListe[side] = listing;
    const QRect content = place.contentArea;
    for (int size = 0; size <= 4; ++size)
        for (int band = 0; band <= 8; ++band)
            for (int shown = 0; shown < 8; ++shown) {
                const bool head = shown & 1, foot = shown & 2, heading = shown & 4;
                doc.VerzFormat[side].Groesse = size;
                doc.VerzFormat[side].StartVerz = heading;
                doc.KopfFormat[side].Groesse = band;
                doc.KopfFormat[side].Sichtbar = head;
                doc.FussFormat[side].Groesse = 8 - band;
                doc.FussFormat[side].Sichtbar = foot;
                const Recording r =
                    record([&](QPainter& p) { DrawSingleSide(p, doc, side, SideTexts{}); });
                const int top = (content.top() + (head ? band + 4 : 0)) * 10;
                const int bottom = (content.top() + content.height() - (foot ? 12 - band : 0)) * 10;
                int lowest = 0;
                for (const auto& e : r.elements(Type::Text)) {
                    const QString where = QStringLiteral("size %1 band %2 shown %3: %4 at %5")
                                              .arg(size)
                                              .arg(band)
                                              .arg(shown)
                                              .arg(e.text)
                                              .arg(e.pos.y());
                    QVERIFY2(e.pos.y() >= top && e.pos.y() + e.cell <= bottom, qPrintable(where));
                    lowest = std::max(lowest, e.pos.y() + e.cell);
                }
                QVERIFY2(lowest + (size + 2) * 10 > bottom,
                         qPrintable(QStringLiteral("size %1 band %2 shown %3: room left below %4")
                                        .arg(size)
                                        .arg(band)
                                        .arg(shown)
                                        .arg(lowest)));
            }
}

QTEST_MAIN(TestLayouts)
#include "tst_layouts.moc"
