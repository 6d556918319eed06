// Click to job handed to the spooler for a maxi-CD sheet whose front has a 4000 x 3000 JPEG
// background (target: under 1 s), plain and with bleed and crop marks: the print tool
// button on the CUPS queue given as the first argument ("zarvex-pdf" of
// scripts/cups-test-queue by default). Also reports how the job's PDF holds the photo (Qt
// re-encodes the decoded image; see the printing notes).
#include "app/sdimain.h"
#include "cli/clidialogs.h"
#include "platform/picture.h"
#include "platform/qtprinter.h"
#include "render/druck.h"

#include <cstdio>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextStream>

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

int countOf(const QByteArray& pdf, const char* what) {
    return int(pdf.count(what));
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString queue = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("zarvex-pdf");
    QTemporaryDir tmp;
    const QString jpeg = tmp.filePath(QStringLiteral("photo.jpg"));
    if (!photo(4000, 3000).save(jpeg, "JPEG", 90)) return 1;
    const Picture background = Picture::load(jpeg);

    QTextStream err(stderr);
    CliDialogs dialogs(err);
    QtPrinter printer;
    printer.device().setPrinterName(queue);
    if (printer.printerName() != queue) {
        std::printf("no CUPS queue \"%s\" (run scripts/cups-test-queue)\n", qPrintable(queue));
        return 1;
    }
    TSDIAppForm w(dialogs, printer);
    w.AskLanguage = [] { return 49; };
    w.NewDocument = [] {};
    w.FormShow();
    CoverDocument& doc = w.document();
    doc.CoverLayout = 2; // no selection dialog
    doc.HgFormat[0].Art = 1;
    doc.HgBild[0] = background;

    const int runs = 3;
    for (const bool marks : {false, true}) {
        w.DlgDruckauswahl->CheckBeschnitt->setChecked(marks);
        w.DlgDruckauswahl->CheckSchnittmarken->setChecked(marks);
        double best = 1e9;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer clock;
            clock.start();
            w.BtnDruckenClick();
            best = std::min(best, clock.nsecsElapsed() / 1e6);
        }
        std::printf("print 4000x3000 JPEG background%s, click to spooler: %.0f ms (best of %d)\n",
                    marks ? " with bleed and crop marks" : "", best, runs);
    }
    w.DlgDruckauswahl->CheckBeschnitt->setChecked(false);
    w.DlgDruckauswahl->CheckSchnittmarken->setChecked(false);

    // The same sheet into a file: how the photo is stored.
    const QString file = tmp.filePath(QStringLiteral("job"));
    printer.device().setOutputFileName(file);
    w.BtnDruckenClick();
    printer.device().setOutputFileName(QString());
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return 1;
    const QByteArray pdf = f.readAll();
    std::printf("job PDF %lld KiB, JPEG file %lld KiB, DCTDecode images %d, Flate streams %d\n",
                qint64(pdf.size() / 1024), qint64(QFile(jpeg).size() / 1024),
                countOf(pdf, "/DCTDecode"), countOf(pdf, "/FlateDecode"));
    return 0;
}
