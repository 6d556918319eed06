#include "document/coverdocument.h"
#include "render/layouts.h"
#include "render/recordingdevice.h"
#include "render/sidepreview.h"
#include "testprogdir.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

// Renders every layout's sides and print sheets with sample content, as the preview paints
// them at zoom 2. Set ZARVEX_GALLERY_DIR to keep the PNG files.
class TestGallery : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void renderAll();
};

namespace {
DirectoryListing sampleListing() {
    DirectoryListing l = {QStringLiteral("D:\\Musik")};
    const char* names[] = {"Klassik",
                           " Bach",
                           "  Goldberg-Variationen.flac",
                           "  Kunst der Fuge",
                           " Mozart",
                           "  Requiem.flac",
                           "Jazz",
                           " Coltrane - A Love Supreme",
                           " Davis - Kind of Blue",
                           "Pop",
                           " Größte Hits 1999 & 2000"};
    for (int rep = 0; rep < 6; ++rep)
        for (const char* n : names)
            l << QString::fromUtf8(n) << QStringLiteral("Kommentar %1").arg(l.size() / 2);
    return l;
}

CoverDocument sampleDocument(int layout) {
    CoverDocument doc;
    doc.CoverLayout = quint8(layout);
    const QString texture = CoverDocument::texturePath(QStringLiteral("holz.jpg"));
    const Picture wood = Picture::load(texture);
    const Picture marble = Picture::load(CoverDocument::texturePath(QStringLiteral("marmor.bmp")));
    doc.RandText = QStringLiteral("Zarvex Sampler  -  Vol. 2  -  2026");
    doc.RandFormat.Groesse = 3;
    doc.RandFormat.Fett = 1;
    for (int s = 0; s < CoverDocument::SideCount; ++s) {
        doc.KopfText[s] = QStringLiteral("Seite %1 - Kopfzeile").arg(s + 1);
        doc.FussText[s] = QStringLiteral("Fusszeile & mehr");
        doc.KopfFormat[s].Fett = 1;
        doc.FussFormat[s].Groesse = 3;
        doc.FussFormat[s].Ausrichtung = 1;
        doc.FussFormat[s].HgFarbe = 0x99CC66;
    }
    doc.Inhalt = {1, 2, 3, 1};
    doc.VerzListe[0] = doc.VerzListe[3] = sampleListing();
    doc.VerzFormat[3].Kommentare = 1;
    doc.TextInhalt[1] = QStringLiteral(
        "Liner notes\r\n\r\nThis free text is wrapped at the width of the content area. Tabs:"
        "\tone\ttwo\r\nA second paragraph follows after a line break, long enough to need "
        "several lines on a 120 mm side of a normal CD case.");
    doc.TextFormat[1].Groesse = 2;
    doc.TextFormat[1].Ausrichtung = 2;
    doc.Bild[2] = wood;
    doc.BildFormat[2].Bildmasse = 0;
    doc.HgFormat[0].Art = 1;
    doc.HgBild[0] = marble;
    doc.HgFormat[1].Farbe = 0xE0F0FF;
    doc.HgFormat[3].Art = 1;
    doc.HgBild[3] = marble;
    return doc;
}

QImage paint(const Recording& r) {
    SidePreview preview;
    preview.setVorschaubild(r);
    preview.zoom.Zoom = 2.0;
    QImage image(preview.paintBoxSize(), QImage::Format_RGB32);
    QPainter p(&image);
    preview.PaintBoxVorschauPaint(p, image.rect());
    return image;
}
} // namespace

void TestGallery::renderAll() {
    TestProgDir progDir;
    QTemporaryDir temp;
    QString dir = qEnvironmentVariable("ZARVEX_GALLERY_DIR");
    if (dir.isEmpty()) dir = temp.path();
    QDir().mkpath(dir);
    for (int layout = 0; layout < 4; ++layout) {
        const CoverDocument doc = sampleDocument(layout);
        for (int side = 0; side < 4; ++side) {
            if (!SideExists(layout, side)) continue;
            RecordingDevice device;
            {
                QPainter p(&device);
                DrawSingleSide(p, doc, side, DocumentTexts(doc, side));
            }
            const QImage image = paint(device.recording());
            QVERIFY(!device.recording().elements(Recording::Element::Type::Text).isEmpty());
            QVERIFY(image.save(
                QStringLiteral("%1/layout%2-side%3.png").arg(dir).arg(layout).arg(side + 1)));
        }
        for (const SheetLayout& sheet : SheetsFor(layout, PrintSelection{})) {
            RecordingDevice device;
            {
                QPainter p(&device);
                DrawSheet(p, doc, sheet);
            }
            QVERIFY(paint(device.recording())
                        .save(QStringLiteral("%1/layout%2-sheet-%3.png")
                                  .arg(dir)
                                  .arg(layout)
                                  .arg(sheet.name)));
        }
    }
}

QTEST_MAIN(TestGallery)
#include "tst_gallery.moc"
