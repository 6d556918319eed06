#include "document/coverdocument.h"
#include "render/canvas.h"
#include "render/fitwarnings.h"
#include "render/layouts.h"
#include "render/primitives.h"
#include "render/recordingdevice.h"
#include "render/rnd.h"
#include "render/sidepreview.h"
#include "testprogdir.h"

#include <cmath>
#include <QPainter>
#include <QTest>

Q_DECLARE_METATYPE(FitKind)

namespace {
const QString kWords = QStringLiteral(
    "Live in concert at the old town hall with the whole orchestra and every guest singer of "
    "the summer season, recorded on two nights and mixed again from the original tapes");

// The longest prefix of kWords that fits maxWidth, and with over one letter more.
QString fitting(const CanvasFont& font, double maxWidth, bool over) {
    const QString fits = ShortenToWidth(kWords, font, maxWidth);
    return over ? kWords.left(fits.size() + 1) : fits;
}

DirectoryListing listingOf(int entries) {
    DirectoryListing l{QStringLiteral("/cd/")};
    for (int i = 0; i < entries; ++i)
        l << QStringLiteral("Folder %1").arg(i) << QString();
    return l;
}

QList<FitWarning> drawSide(const CoverDocument& doc, int side) {
    FitCollector fit;
    RecordDrawing([&](QPainter& canvas) {
        DrawSingleSide(canvas, doc, side, DocumentTexts(doc, side), true);
    });
    return fit.warnings();
}

// The free area of a side once its shown bands have taken their room (canvas units).
QRect freeArea(const CoverDocument& doc, const QRect& mm, int side) {
    return BandAllowance(mm.x(), mm.y(), 10, 10, mm.width(), mm.height(), doc.KopfFormat[side],
                         doc.FussFormat[side]);
}
} // namespace

class TestFitWarnings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { progDir_ = std::make_unique<TestProgDir>(); }
    void cutExactlyWhenDrawingCuts_data();
    void cutExactlyWhenDrawingCuts();
    void fillCoversAndAligns_data();
    void fillCoversAndAligns();

private:
    std::unique_ptr<TestProgDir> progDir_; // the textures the reset loads
};

void TestFitWarnings::cutExactlyWhenDrawingCuts_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("side");
    QTest::addColumn<FitKind>("kind");
    QTest::addColumn<bool>("over");
    const std::pair<FitKind, const char*> kinds[] = {
        {FitKind::Header, "header"}, {FitKind::Footer, "footer"},   {FitKind::Margin, "margin"},
        {FitKind::Text, "text"},     {FitKind::Listing, "listing"}, {FitKind::Picture, "picture"}};
    for (int layout = 0; layout < 4; ++layout)
        for (int side = 0; side < 4; ++side) {
            const std::optional<SidePlacement> p = SingleSidePlacement(layout, side);
            if (!p) continue;
            for (const auto& [kind, name] : kinds) {
                if (kind == FitKind::Margin && p->margin == MarginText::None) continue;
                for (bool over : {false, true})
                    QTest::addRow("layout %d side %d %s %s", layout, side + 1, name,
                                  over ? "one over" : "fits")
                        << layout << side << kind << over;
            }
        }
}

// Each kind of cut is reported, for its side, exactly when the drawing cuts: one letter,
// one line, one entry or one dpi past what fits, at every side of every layout.
void TestFitWarnings::cutExactlyWhenDrawingCuts() {
    QFETCH(int, layout);
    QFETCH(int, side);
    QFETCH(FitKind, kind);
    QFETCH(bool, over);
    CoverDocument doc;
    doc.reset();
    doc.CoverLayout = quint8(layout);
    for (int s = 0; s < CoverDocument::SideCount; ++s) {
        doc.Inhalt[s] = 0;
        doc.KopfText[s].clear();
        doc.FussText[s].clear();
    }
    doc.RandText.clear();
    const SidePlacement p = *SingleSidePlacement(layout, side);
    const QRect& area = p.sideArea;
    const QRect& content = p.contentArea;
    int expectedHidden = 0, expectedTotal = 0;

    switch (kind) {
    case FitKind::Header:
    case FitKind::Footer: {
        TFormatUeberschrift& f =
            kind == FitKind::Header ? doc.KopfFormat[side] : doc.FussFormat[side];
        f.Sichtbar = 1;
        f.Ausrichtung = AlignCentre; // cut at both ends
        const CanvasFont font(f.Schriftart, rnd((f.Groesse + 2) * 10.0),
                              FontStyleFromFlags(f.Fett, f.Kursiv, f.Unterstrichen));
        const QString text = fitting(font, area.width() * 10 - 20, over);
        (kind == FitKind::Header ? doc.KopfText : doc.FussText)[side] = text;
        break;
    }
    case FitKind::Margin: {
        const TFormatRandtext& f = doc.RandFormat;
        const bool spines = p.margin == MarginText::BackSpines;
        const CanvasFont font(f.Schriftart, spines ? rnd((f.Groesse + 2) * 10.0) : 30,
                              FontStyleFromFlags(f.Fett, f.Kursiv, 0));
        doc.RandText = fitting(font, spines ? 1150 : 1140, over);
        break;
    }
    case FitKind::Text: {
        doc.Inhalt[side] = 2;
        const CanvasFont font(doc.TextFormat[side].Schriftart,
                              rnd((doc.TextFormat[side].Groesse + 3) * 10.0));
        const double line = font.metrics().ascent() + font.metrics().descent();
        const int rows =
            int((freeArea(doc, content, side).height() * CanvasFont::Oversampling) / line);
        QStringList lines;
        for (int i = 0; i < rows + (over ? 1 : 0); ++i)
            lines << QStringLiteral("Line %1").arg(i);
        doc.TextInhalt[side] = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
        break;
    }
    case FitKind::Listing: {
        doc.Inhalt[side] = 1;
        const TFormatVerzeichnis& f = doc.VerzFormat[side];
        RecordingDevice scratch;
        QPainter canvas(&scratch);
        const int rows = DrawDirectoryListing(canvas, content.x(), content.y(), 10, 10,
                                              listingOf(1), f, 1, content.width(), content.height(),
                                              doc.KopfFormat[side], doc.FussFormat[side]);
        const int columns = f.Kommentare == 0 ? 4 : f.Kommentare == 1 ? 2 : 1;
        expectedTotal = rows * columns + (over ? 1 : 0);
        expectedHidden = over ? 1 : 0;
        doc.VerzListe[side] = listingOf(expectedTotal);
        break;
    }
    case FitKind::Picture: {
        // Stretched over the free area: 149.x dpi across, or 151.x; plenty of pixels down.
        doc.Inhalt[side] = 3;
        doc.BildFormat[side].Bildmasse = 1;
        const QRect free = freeArea(doc, area, side);
        const int across = int(std::lround((over ? 149.5 : 151.5) * free.width() / 254.0));
        const int down = int(std::ceil(300 * free.height() / 254.0));
        QImage image(across, down, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        doc.Bild[side] = Picture::fromImage(image);
        break;
    }
    }

    const QList<FitWarning> warnings = drawSide(doc, side);
    QList<FitWarning> ofKind;
    for (const FitWarning& w : warnings) {
        QCOMPARE(w.side, side);
        if (w.kind == kind) ofKind.append(w);
    }
    QCOMPARE(ofKind.size(), over ? 1 : 0);
    QCOMPARE(warnings.size(), ofKind.size()); // nothing else of the side was cut
    if (!over) return;
    if (kind == FitKind::Listing) {
        QCOMPARE(ofKind[0].hidden, expectedHidden);
        QCOMPARE(ofKind[0].total, expectedTotal);
    }
    if (kind == FitKind::Picture) QCOMPARE(ofKind[0].dpi, 149);
    // The marker lies on the side (margin texts: on their strips, beside it).
    if (kind != FitKind::Margin)
        QVERIFY(QRect(area.x() * 10, area.y() * 10, area.width() * 10, area.height() * 10)
                    .contains(ofKind[0].at));
}

void TestFitWarnings::fillCoversAndAligns_data() {
    QTest::addColumn<int>("ausrichtung");
    QTest::addColumn<QColor>("kept");
    QTest::addRow("top/left") << 0 << QColor(Qt::red);
    QTest::addRow("bottom/right") << 1 << QColor(Qt::green);
    QTest::addRow("centred") << 2 << QColor(Qt::blue);
}

// A 4:1 picture (red, blue, green quarters and a half) fills a square side: the whole area
// shows one of its parts, and the alignment chooses which one.
void TestFitWarnings::fillCoversAndAligns() {
    QFETCH(int, ausrichtung);
    QFETCH(QColor, kept);
    QImage image(400, 100, QImage::Format_RGB32);
    image.fill(Qt::blue);
    {
        QPainter p(&image);
        p.fillRect(0, 0, 100, 100, Qt::red);
        p.fillRect(300, 0, 100, 100, Qt::green);
    }
    CoverDocument doc;
    doc.reset();
    doc.CoverLayout = 0;
    doc.KopfFormat[0].Sichtbar = 0;
    doc.FussFormat[0].Sichtbar = 0;
    doc.Inhalt[0] = 3;
    doc.BildFormat[0].Bildmasse = 2;
    doc.BildFormat[0].Ausrichtung = ausrichtung;
    doc.Bild[0] = Picture::fromImage(image);
    for (bool forPreview : {true, false}) {
        const Recording drawing = RecordDrawing([&](QPainter& canvas) {
            DrawSingleSide(canvas, doc, 0, DocumentTexts(doc, 0), forPreview);
        });
        // 2 pixels per millimetre from (10, 10): the 120 mm side spans pixels 10..250.
        QImage shot(260, 260, QImage::Format_RGB32);
        {
            QPainter painter(&shot);
            SidePreview::paintRecording(painter, drawing, 1.0, shot.rect());
        }
        for (int y = 13; y <= 247; y += 13)
            for (int x = 13; x <= 247; x += 13)
                QVERIFY2(shot.pixelColor(x, y) == kept,
                         qPrintable(QStringLiteral("%1,%2 is %3")
                                        .arg(x)
                                        .arg(y)
                                        .arg(shot.pixelColor(x, y).name())));
        // Nothing reaches past the side.
        QCOMPARE(shot.pixelColor(255, 130), QColor(Qt::white));
        QCOMPARE(shot.pixelColor(130, 255), QColor(Qt::white));
    }
}

QTEST_MAIN(TestFitWarnings)
#include "tst_fitwarnings.moc"
