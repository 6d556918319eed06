// Reading a large folder tree against find + sort, and how saving, loading and exporting a
// listing grow with its size; the directory dialog's reading behind its progress window
// against the command-line scan, and the opening of the grid editor.
#include "benchsupport.h"
#include "directory/directoryreader.h"
#include "directory/diredit.h"
#include "directory/listingfile.h"
#include "directory/treereading.h"
#include "platform/dialogs.h"
#include "platform/progresswindow.h"

#include <cstdio>
#include <ctime>
#include <functional>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProgressDialog>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <sys/resource.h>
#include <vector>

namespace {
DirectoryListing makeListing(int entries) {
    QRandomGenerator rng(7);
    DirectoryListing l{QStringLiteral("/media/cdrom/")};
    for (int i = 0; i < entries; ++i) {
        l << QString(rng.bounded(8), u' ') + randomName(rng, i) + QStringLiteral(" (c) <x>");
        l << (i % 2 ? QStringLiteral("Kommentar für \"%1\"").arg(i) : QString());
    }
    return l;
}
void readTree(const QTemporaryDir& tmp) {
    const QString root = tmp.filePath(QStringLiteral("tree"));
    QDir().mkpath(root);
    QElapsedTimer build;
    build.start();
    buildTree(root, 30000, 100000);
    std::printf("tree of 30000 folders and 100000 files built in %.1f s\n",
                build.elapsed() / 1000.0);

    // Each reader mode is measured against a find that lists the same kind of entries.
    const auto findMs = [&](const char* kinds) {
        const QString cmd =
            QStringLiteral("find '%1' -maxdepth 8 %2 ! -name '.*' | LC_ALL=C sort -f >/dev/null")
                .arg(root, QLatin1String(kinds));
        const double ms = bestOf(5, [&] {
            QProcess::execute(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), cmd});
        });
        std::printf("find %-22s  %8.1f ms\n", kinds, ms);
        return ms;
    };
    const double folderFindMs = findMs("-type d");
    const double allFindMs = findMs("\\( -type d -o -type f \\)");

    SilentDialogs dialogs;
    for (const DirFilterSettings& filter :
         {DirFilterSettings{}, DirFilterSettings{false, QStringLiteral("*.*")}}) {
        const double baseMs = filter.OnlyDirectories ? folderFindMs : allFindMs;
        qsizetype lines = 0;
        const double ms = bestOf(5, [&] {
            DirectoryListing listing;
            DirectoryReader(listing, 7, filter).ReadListing(root, root, dialogs);
            lines = listing.size();
        });
        std::printf("reader, %-19s %8.1f ms  %6lld entries  ratio to find %.2f\n",
                    filter.OnlyDirectories ? "folders:" : "files and folders:", ms,
                    static_cast<long long>(lines / 2), ms / baseMs);
    }
}

// The dialog's reading runs on a worker thread behind the progress window: how often the
// window refreshes, how soon Cancel ends the reading, and the cost against the scan command.
void readThroughWindow(const QTemporaryDir& tmp) {
    const QString root = tmp.filePath(QStringLiteral("tree"));
    if (!QFileInfo::exists(root)) {
        QDir().mkpath(root);
        buildTree(root, 30000, 100000);
    }
    const TreeReadRequest request{root + u'/', root, QString(), 7, DirFilterSettings{}};
    ProgressWindowStats full;
    qsizetype lines = 0;
    const double windowMs = bestOf(3, [&] {
        TreeReadWork work(&ReadFolderTree, request);
        RunWithProgressWindow(nullptr, QStringLiteral("bench"), work, &full);
        lines = work.result().size();
    });
    const QString cli =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../zarvex/zarvex-cli");
    const QString out = tmp.filePath(QStringLiteral("scan.VMK"));
    const double cliMs = bestOf(3, [&] {
        QProcess::execute(cli, {QStringLiteral("scan"), root, QStringLiteral("-o"), out,
                                QStringLiteral("--depth"), QStringLiteral("8")});
    });
    std::printf("dialog reading:  %8.1f ms CPU  %lld entries  scan command %8.1f ms  ratio %.2f\n",
                windowMs, static_cast<long long>(lines / 2), cliMs, windowMs / cliMs);
    std::printf("progress window: %d refreshes in %lld ms = %.1f per second\n", full.updates,
                static_cast<long long>(full.elapsedMs),
                full.elapsedMs > 0 ? full.updates * 1000.0 / full.elapsedMs : 0.0);

    // Cancel pressed 100 ms after the start, by the dialog's own button.
    double worst = 0;
    for (int run = 0; run < 5; ++run) {
        ProgressWindowStats stats;
        TreeReadWork work(&ReadFolderTree, request);
        QTimer::singleShot(100, [] {
            if (auto* dlg = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget()))
                dlg->cancel();
        });
        RunWithProgressWindow(nullptr, QStringLiteral("bench"), work, &stats);
        worst = std::max(worst, double(stats.cancelToEndMs));
    }
    std::printf("cancel to end:   worst of 5 %.1f ms (-1: the reading ended first)\n", worst);
}

// Opening the editor over a listing of 100000 entries, wall time (it waits for nothing).
void openEditor() {
    DirectoryListing listing = makeListing(100000);
    TDlgVerzEdit editor;
    double best = 1e30;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        t.start();
        editor.configure(run % 3, 57);
        editor.setListing(&listing, {});
        editor.show();
        QCoreApplication::processEvents();
        best = std::min(best, t.nsecsElapsed() / 1e6);
        editor.hide();
    }
    std::printf("editor opening, 100000 entries: %.2f ms\n", best);
}
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // "tree", "listings" or "dialog" runs one part only.
    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    QTemporaryDir tmp;
    if (only.isEmpty() || only == QLatin1String("tree")) readTree(tmp);
    if (only.isEmpty() || only == QLatin1String("dialog")) {
        readThroughWindow(tmp);
        openEditor();
    }
    if (only == QLatin1String("tree") || only == QLatin1String("dialog")) return 0;

    const DirectoryListing small = makeListing(10000);
    const DirectoryListing large = makeListing(100000);
    const QString smallVmk = tmp.filePath(QStringLiteral("small.VMK"));
    const QString largeVmk = tmp.filePath(QStringLiteral("large.VMK"));
    SaveListingAs(smallVmk, small);
    SaveListingAs(largeVmk, large);
    const std::pair<const char*, std::function<void(const DirectoryListing&, const QString&)>>
        steps[] = {
            {"save",
             [&](const DirectoryListing& l, const QString&) {
                 SaveListingAs(tmp.filePath(QStringLiteral("out.VMK")), l);
             }},
            {"load",
             [&](const DirectoryListing&, const QString& file) { (void)LoadListingFile(file); }},
            {"text export",
             [&](const DirectoryListing& l, const QString&) {
                 SaveListingAs(tmp.filePath(QStringLiteral("out.TXT")), l);
             }},
            {"web page export",
             [&](const DirectoryListing& l, const QString&) {
                 SaveListingAs(tmp.filePath(QStringLiteral("out.HTM")), l);
             }},
        };
    for (const auto& entry : steps) {
        // Named copies: clang before 16 cannot capture a structured binding in a lambda.
        const char* name = entry.first;
        const auto& step = entry.second;
        const double a = bestOf(9, [&] { step(small, smallVmk); });
        const double b = bestOf(5, [&] { step(large, largeVmk); });
        std::printf("%-16s 10000: %7.2f ms  100000: %8.2f ms  ratio %.1f\n", name, a, b, b / a);
    }
    return 0;
}
