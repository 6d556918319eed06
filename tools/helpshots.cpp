// Takes the pictures of the help pages: the program photographs its own windows, in German and
// English, every build, so the pages never show an outdated window.
//   helpshots DATADIR OUTDIR   (DATADIR: data/progdir) writes OUTDIR/<name>-de.png and
//                              OUTDIR/<name>-en.png
// To add a picture, add a line to shots() that prepares the window and returns the widget to
// grab; a dialog is shown without a modal loop, grabbed and hidden again.
#include "app/about.h"
#include "app/sdimain.h"
#include "content/fmtrand.h"
#include "content/fmtueber.h"
#include "platform/paths.h"
#include "platform/qtdialogs.h"
#include "render/previewbox.h"

#include <cstdio>
#include <functional>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
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
    if (argc != 3) {
        std::fprintf(stderr, "usage: helpshots PROGDIR-DATA OUTDIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    int failures = 0;
    for (const int sprache : {49, 44}) {
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
