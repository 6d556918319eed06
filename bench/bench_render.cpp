// Milliseconds per preview redraw of dense sides at zoom 2: record the side, then paint the
// recording into the paint box (what a side switch, zoom step or Enter costs).
#include "document/coverdocument.h"
#include "render/layouts.h"
#include "render/recordingdevice.h"
#include "render/sidepreview.h"

#include <cstdio>
#include <ctime>
#include <functional>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace {
QImage photo(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = qRgb((x * 7 + y) & 0xFF, (y * 3 ^ x) & 0xFF, (x * y >> 5) & 0xFF);
    }
    return img;
}

CoverDocument denseDocument() {
    CoverDocument doc;
    doc.CoverLayout = 1;
    const Picture background = Picture::fromImage(photo(3000, 2400), Picture::Kind::Jpeg);
    DirectoryListing listing = {QStringLiteral("E:\\Archiv\\Fotos und Musik")};
    for (int i = 0; listing.size() < 1200; ++i) {
        const int level = i % 4;
        listing << QString(level, QLatin1Char(' ')) + QStringLiteral("Ordner %1 mit Namen").arg(i)
                << QStringLiteral("Kommentar zu Eintrag %1").arg(i);
    }
    QString text;
    while (text.size() < 3000)
        text +=
            QStringLiteral("Ein freier Text mit\tTabulatoren und Umbrüchen, der lang genug ist. ");
    text.insert(1500, QStringLiteral("\r\n\r\n"));
    for (int s = 0; s < CoverDocument::SideCount; ++s) {
        doc.KopfText[s] = QStringLiteral("Kopfzeile");
        doc.FussText[s] = QStringLiteral("Fusszeile");
        doc.HgFormat[s].Art = 1;
        doc.HgBild[s] = background;
    }
    doc.RandText = QStringLiteral("Randtext auf beiden Rücken");
    doc.Inhalt = {1, 2, 3, 1};
    doc.VerzListe[0] = doc.VerzListe[3] = listing;
    doc.VerzFormat[0].Groesse = 0; // 2 mm rows
    doc.VerzFormat[3].Groesse = 0;
    doc.VerzFormat[3].Kommentare = 1;
    doc.TextInhalt[1] = text;
    doc.Bild[2] = background;
    doc.BildFormat[2].Bildmasse = 0;
    return doc;
}

struct Timing {
    double wall; // ms per run
    double cpu;  // ms of processor time per run: what counts on a machine shared with others
};

Timing measure(const std::function<void()>& f, int runs) {
    f(); // warm the font and glyph caches once, as the running program has
    QElapsedTimer t;
    t.start();
    const std::clock_t c0 = std::clock();
    for (int i = 0; i < runs; ++i)
        f();
    const double cpu = double(std::clock() - c0) * 1000.0 / CLOCKS_PER_SEC / runs;
    return Timing{double(t.nsecsElapsed()) / 1e6 / runs, cpu};
}
} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const CoverDocument doc = denseDocument();
    const char* names[] = {"listing 4 columns 2 mm", "text 3000 chars", "picture", "listing 2:2"};
    SidePreview preview;
    preview.Bereit = true;
    preview.zoom.Zoom = 2.0;
    constexpr int runs = 20;
    for (int side = 0; side < 4; ++side) {
        const Timing record =
            measure([&] { preview.RenderSidePreview(side, doc, DocumentTexts(doc, side)); }, runs);
        QImage box(preview.paintBoxSize(), QImage::Format_RGB32);
        const Timing paint = measure(
            [&] {
                QPainter p(&box);
                preview.PaintBoxVorschauPaint(p, box.rect());
            },
            runs);
        std::printf("side %d (%s): record %.2f ms, paint %.2f ms, redraw %.2f ms "
                    "(processor time %.2f ms)\n",
                    side + 1, names[side], record.wall, paint.wall, record.wall + paint.wall,
                    record.cpu + paint.cpu);
    }

    // Lines of 2 MB: header, footer, margin text and a listing line, in every alignment.
    CoverDocument huge;
    huge.CoverLayout = 1;
    QString line;
    while (line.size() < 2 * 1024 * 1024)
        line += QStringLiteral("Eine sehr lange Kopfzeile ");
    huge.RandText = line;
    huge.Inhalt[2] = 1;
    huge.VerzListe[2] = {line, line, line};
    for (int alignment = 0; alignment < 3; ++alignment) {
        for (int s = 0; s < CoverDocument::SideCount; ++s) {
            huge.KopfText[s] = huge.FussText[s] = line;
            huge.KopfFormat[s].Ausrichtung = huge.FussFormat[s].Ausrichtung = alignment;
        }
        huge.RandFormat.Ausrichtung = alignment;
        const Timing record =
            measure([&] { preview.RenderSidePreview(2, huge, DocumentTexts(huge, 2)); }, 5);
        std::printf("2 MB lines, alignment %d: record %.2f ms (processor time %.2f ms)\n",
                    alignment, record.wall, record.cpu);
    }
    return 0;
}
