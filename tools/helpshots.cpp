// Takes the pictures of the help pages: the program photographs its own windows, in German and
// English, every build, so the pages never show an outdated window.
//   helpshots DATADIR OUTDIR [de|en]   (DATADIR: data/progdir) writes OUTDIR/<name>-de.png
//                                      and OUTDIR/<name>-en.png (one language when given)
// To add a picture, add a line to shots() that prepares the window and returns the widget to
// grab; a dialog is shown without a modal loop, grabbed and hidden again.
#include "app/about.h"
#include "app/sdimain.h"
#include "content/bild.h"
#include "content/fmtrand.h"
#include "content/fmtueber.h"
#include "content/text.h"
#include "content/txtedit.h"
#include "directory/verzeich.h"
#include "platform/colors.h"
#include "platform/paths.h"
#include "platform/qtdialogs.h"
#include "render/calibrationdialog.h"
#include "render/druck.h"
#include "render/previewbox.h"
#include "render/printpreview.h"
#include "render/sheetprinter.h"

#include <cstdio>
#include <functional>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QDoubleSpinBox>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QRadialGradient>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// Nobody answers questions here: a message is an error of the build, printed and counted.
class ShotDialogs : public QtDialogs {
public:
    int messages = 0;
    MsgResult message(MsgKind, MsgButtons, const QString& text) override {
        std::fprintf(stderr, "helpshots: %s\n", qPrintable(text));
        ++messages;
        return MsgResult::No;
    }
};

struct Shot {
    const char* name;
    // Prepares what is to be seen and returns the widget to photograph.
    std::function<QWidget*(TSDIAppForm&)> show;
};

// Lets the window lay itself out and paint before it is grabbed.
void settle() {
    QEventLoop loop;
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
}

QWidget* dialogShown(QWidget* dialog) {
    dialog->show();
    return dialog;
}

// The sample text of the text dialog and its editor: a track list, lines separated by CR LF.
QString sampleText(const TSDIAppForm& w) {
    const bool de = w.Sprache == 49;
    return QStringList{de ? QStringLiteral("Sommer am See") : QStringLiteral("Summer by the Lake"),
                       QString(),
                       QStringLiteral("1  Morning Light"),
                       QStringLiteral("2  Blue Harbour"),
                       QStringLiteral("3  Paper Boats"),
                       QStringLiteral("4  Evening Train"),
                       QString(),
                       de ? QStringLiteral("Aufgenommen im August 2026")
                          : QStringLiteral("Recorded in August 2026")}
        .join(QStringLiteral("\r\n"));
}

// A "photo" drawn here, so the pictures need no file: a sunset over hills and water.
QImage samplePhoto() {
    QImage image(640, 640, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 420);
    sky.setColorAt(0, QColor(28, 44, 112));
    sky.setColorAt(0.55, QColor(214, 96, 88));
    sky.setColorAt(1, QColor(255, 196, 110));
    p.fillRect(image.rect(), sky);
    QRadialGradient sun(QPointF(420, 380), 90);
    sun.setColorAt(0, QColor(255, 250, 210));
    sun.setColorAt(0.45, QColor(255, 224, 130));
    sun.setColorAt(1, QColor(255, 200, 110, 0));
    p.fillRect(image.rect(), sun);
    QPainterPath far;
    far.moveTo(0, 430);
    far.cubicTo(120, 330, 220, 360, 330, 410);
    far.cubicTo(430, 450, 540, 350, 640, 390);
    far.lineTo(640, 640);
    far.lineTo(0, 640);
    p.fillPath(far, QColor(92, 52, 96));
    QPainterPath near;
    near.moveTo(0, 500);
    near.cubicTo(160, 430, 300, 470, 420, 520);
    near.cubicTo(520, 560, 580, 500, 640, 480);
    near.lineTo(640, 640);
    near.lineTo(0, 640);
    p.fillPath(near, QColor(44, 30, 62));
    QLinearGradient water(0, 560, 0, 640);
    water.setColorAt(0, QColor(70, 60, 110));
    water.setColorAt(1, QColor(24, 28, 60));
    p.fillRect(QRect(0, 560, 640, 80), water);
    return image;
}

// A4 paper with 4.2 mm the printer cannot reach, whatever printer the machine has.
class ShotPrinter : public Printer {
public:
    QString printerName() const override { return QStringLiteral("Office_Laser"); }
    void setDocName(const QString&) override {}
    void setOrientation(QPageLayout::Orientation o) override { layout_.setOrientation(o); }
    QPageLayout pageLayout() const override { return layout_; }
    QPainter& beginDoc() override { return painter_; }
    void newPage() override {}
    void endDoc() override {}
    void abort() override {}
    bool printing() const override { return false; }
    void processEvents() override {}
    QPrinter& device() override { return printer_; }

private:
    QPageLayout layout_{QPageSize(QPageSize::A4), QPageLayout::Portrait,
                        QMarginsF(4.2, 4.2, 4.2, 4.2), QPageLayout::Millimeter};
    QPainter painter_;
    QPrinter printer_;
};

// The print preview of the normal case's two sheets, with bleed and crop marks.
QWidget* previewShown(TSDIAppForm& w) {
    static ShotPrinter paper;
    PreviewPrinter pages(paper);
    const SheetMarks marks{SheetMarks::DefaultBleedMm, true};
    const QList<SheetLayout> sheets = SheetsFor(0, PrintSelection{});
    QPainter* painter = nullptr;
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        pages.setOrientation(SheetPrinter::pageOrientation(sheets[i].orientation));
        if (i == 0)
            painter = &pages.beginDoc();
        else
            pages.newPage();
        SheetPrinter::PaintSheet(
            *painter, SheetPrinter::RecordSheet(w.document(), sheets[i], marks), sheets[i].offset);
    }
    pages.endDoc();
    auto* d = new PrintPreviewDialog(&w);
    d->setPages(pages.pages(), paper.printerName());
    d->setZoom(1.5);
    d->resize(560, 780);
    return dialogShown(d);
}

std::vector<Shot> shots() {
    return {
        {"hauptfenster", [](TSDIAppForm& w) -> QWidget* { return &w; }},
        {"vorschau", [](TSDIAppForm& w) -> QWidget* { return w.Vorschau; }},
        {"kopfzeile",
         [](TSDIAppForm& w) -> QWidget* {
             w.DlgFormatKopfFuss->Beispieltext = QStringLiteral("Zarvex Sampler Vol. 2");
             return dialogShown(w.DlgFormatKopfFuss);
         }},
        {"randtext",
         [](TSDIAppForm& w) -> QWidget* {
             w.DlgFormatRandtext->Beispieltext = QStringLiteral("Zarvex Sampler - Vol. 2 - 2026");
             return dialogShown(w.DlgFormatRandtext);
         }},
        {"info", [](TSDIAppForm& w) -> QWidget* { return dialogShown(w.AboutBox); }},
        {"text",
         [](TSDIAppForm& w) -> QWidget* {
             // Front inside of the normal case, centred dark blue text on pale yellow.
             TDlgText& d = *w.DlgText;
             const CoverDocument& doc = w.document();
             d.Seite = 1;
             d.CoverLayout = 0;
             d.Text = sampleText(w);
             d.Format = TFormatText{};
             d.Format.Schriftart = QStringLiteral("Liberation Sans");
             d.Format.Schriftfarbe = colorRef(QColor(24, 44, 120));
             d.Format.Fett = 1;
             d.Format.Ausrichtung = 2;
             d.Format.Groesse = 2; // 5 mm
             d.KopfFormat = doc.KopfFormat[1];
             d.FussFormat = doc.FussFormat[1];
             d.HgBild = Picture();
             d.HgFormat = TFormatHintergrund{};
             d.HgFormat.Farbe = colorRef(QColor(255, 243, 196));
             return dialogShown(&d);
         }},
        {"texteditor",
         [](TSDIAppForm& w) -> QWidget* {
             TDlgTextEditor& e = *w.DlgText->DlgTextEditor;
             e.SetText(sampleText(w));
             QFont font(QStringLiteral("Liberation Sans"));
             font.setBold(true);
             font.setPixelSize(20);
             e.MemoTextEditor->setFont(font);
             e.resize(480, 300);
             return dialogShown(&e);
         }},
        {"bild",
         [](TSDIAppForm& w) -> QWidget* {
             // Front outside, the photo stretched over the side.
             PictureDialogLogic& d = w.DlgBild->Logic;
             const CoverDocument& doc = w.document();
             d.Seite = 0;
             d.CoverLayout = 0;
             d.BildFormat = TFormatBild{};
             d.KopfFormat = doc.KopfFormat[0];
             d.FussFormat = doc.FussFormat[0];
             d.HgFormat = doc.HgFormat[0];
             d.HgBild = doc.HgBild[0];
             d.Bild = Picture::fromImage(samplePhoto(), Picture::Kind::Jpeg);
             return dialogShown(w.DlgBild);
         }},
        {"verzeichnis",
         [](TSDIAppForm& w) -> QWidget* {
             // The back inlay with a sampler's folders read through the location field, in
             // the layout "2:2" with a few comments, at a size a user would make it.
             static QTemporaryDir tree(QDir::tempPath() + QStringLiteral("/Sampler-XXXXXX"));
             for (const char* d :
                  {"CD 1 Rock/Live 1999", "CD 1 Rock/Studio", "CD 2 Jazz/Quartet", "CD 2 Jazz/Trio",
                   "CD 3 Pop/Singles", "CD 3 Pop/Remixes", "Bonus/Videos", "Bonus/Photos"})
                 QDir().mkpath(tree.filePath(QLatin1String(d)));
             TDlgVerzeichnis& d = *w.DlgVerzeichnis;
             d.Model.settingsFile = tree.filePath(QStringLiteral("settings.conf"));
             d.Model.takeFromSide(w.document(), 2);
             d.Model.Format.Kommentare = 1;
             d.Model.Format.Groesse = 2;
             d.resize(660, 520);
             d.show();
             d.EditOrt->setText(tree.path());
             d.EditOrtReturn();
             if (d.Model.Listing.size() > 6) {
                 d.Model.Listing[2] = QStringLiteral("2 discs");
                 d.Model.Listing[4] = QStringLiteral("Berlin");
                 d.RenderDialogPreview();
             }
             return &d;
         }},
        {"druckauswahl",
         [](TSDIAppForm& w) -> QWidget* {
             w.DlgDruckauswahl->CoverLayout = 0;
             return dialogShown(w.DlgDruckauswahl);
         }},
        {"druckvorschau", previewShown},
        {"kalibrierung",
         [](TSDIAppForm& w) -> QWidget* {
             // A printer with a stored correction and the values of a fresh measurement.
             auto* d = new PrinterCalibrationDialog(&w);
             d->setState(QStringLiteral("Office_Laser"), PrinterCalibration{8, -5, 9960, 10025},
                         QMarginsF(4.2, 4.2, 4.2, 4.2));
             d->EditKreuzLinks->setValue(15.0);
             d->EditKreuzOben->setValue(13.7);
             d->EditLineal100->setValue(99.6);
             d->EditLineal200->setValue(200.5);
             return dialogShown(d);
         }},
    };
}

// A private copy of the program's data, so choosing a language writes nothing to the sources.
void copyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(f);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(f, target);
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: helpshots PROGDIR-DATA OUTDIR [de|en]\n");
        return 2;
    }
    // The interface language is applied once per run (item texts are replaced by their
    // texts), so each language is photographed by a run of its own.
    if (argc == 3) {
        int failed = 0;
        for (const char* lang : {"de", "en"})
            if (QProcess::execute(QCoreApplication::applicationFilePath(),
                                  {QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]),
                                   QLatin1String(lang)}) != 0)
                ++failed;
        return failed ? 1 : 0;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    int failures = 0;
    const int sprache = qstrcmp(argv[3], "de") == 0 ? 49 : 44;
    {
        QTemporaryDir progDir;
        copyTree(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath(), progDir.path());
        // The window reads the settings file named after the running executable.
        QFile::copy(progDir.filePath(QStringLiteral("zarvex.INI")),
                    progDir.filePath(QStringLiteral("helpshots.INI")));
        SetProgDir(progDir.path());
        ShotDialogs dialogs;
        TSDIAppForm window(dialogs);
        window.AskLanguage = [sprache] { return sprache; };
        window.show();
        for (const Shot& shot : shots()) {
            QWidget* widget = shot.show(window);
            settle();
            const QString file =
                QStringLiteral("%1/%2-%3.png")
                    .arg(out, QLatin1String(shot.name),
                         sprache == 49 ? QStringLiteral("de") : QStringLiteral("en"));
            if (!widget || !widget->grab().save(file)) {
                std::fprintf(stderr, "helpshots: %s not written\n", qPrintable(file));
                ++failures;
            }
            if (widget && widget != &window && widget->isWindow()) widget->hide();
        }
        failures += dialogs.messages;
    }
    return failures ? 1 : 0;
}
