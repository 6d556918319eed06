// Memory of the undo history: the main window with a cover whose side 0 holds a listing of
// 1,000,000 entries, before and after 100 header edits typed into the side panel (each a
// step that keeps the whole document before and after it). Target: at most 10 % more.
#include "app/historyactions.h"
#include "app/sdimain.h"
#include "benchsupport.h"
#include "document/documenthistory.h"

#include <cstdio>
#include <malloc.h>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>

namespace {
// Resident memory of this process in MB.
double residentMb() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.value(1).toDouble() * 4096 / 1e6;
}

void typeKey(QWidget* edit, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(edit, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(edit, &release);
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SilentDialogs dialogs;
    TSDIAppForm w(dialogs);
    w.AskLanguage = [] { return 44; };
    w.show();
    QCoreApplication::processEvents();

    DirectoryListing listing{QStringLiteral("E:\\")};
    listing.reserve(2'000'001);
    for (int i = 0; i < 1'000'000; ++i)
        listing << QString(i % 8, QLatin1Char(' ')) + QStringLiteral("Titel Nummer %1.mp3").arg(i)
                << QString();
    CoverDocument& doc = w.document();
    doc.VerzListe[0] = std::move(listing);
    doc.Inhalt[0] = 1;
    w.History->reset();
    w.ShowSide(0);
    QCoreApplication::processEvents();
    malloc_trim(0);
    const double before = residentMb();

    const double cpu = bestOf(1, [&] {
        for (int i = 0; i < 100; ++i) {
            typeKey(w.EditKopfzeile, Qt::Key_X, QStringLiteral("x"));
            typeKey(w.EditKopfzeile, Qt::Key_Return, QStringLiteral("\r"));
        }
    });
    QCoreApplication::processEvents();
    malloc_trim(0);
    const double after = residentMb();
    std::printf("history steps: %d (undo: %s)\n", w.History->count(),
                qPrintable(w.HistoryItems->MenuRueckgaengig->text()));
    std::printf("window with 1,000,000-entry listing: %.1f MB\n", before);
    std::printf("after 100 header edits: %.1f MB (+%.2f %%, target at most 10 %%), %.0f ms CPU\n",
                after, (after - before) / before * 100, cpu);
    return after - before <= before * 0.10 ? 0 : 1;
}
