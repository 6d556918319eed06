// Reading a large folder tree against find + sort, and how saving, loading and exporting a
// listing grow with its size.
#include "directory/directoryreader.h"
#include "directory/listingfile.h"
#include "platform/dialogs.h"

#include <cstdio>
#include <ctime>
#include <functional>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <sys/resource.h>
#include <vector>

namespace {
class SilentDialogs : public Dialogs {
public:
    MsgResult message(MsgKind, MsgButtons, const QString&) override { return MsgResult::Ok; }
    std::optional<QString> openFile(const FileDialogRequest&) override { return {}; }
    std::optional<QString> saveFile(const FileDialogRequest&) override { return {}; }
    std::optional<qint32> chooseColor(qint32) override { return {}; }
    void openInBrowser(const QString&) override {}
    bool printDialog(QPrinter&) override { return false; }
    bool printerSetupDialog(QPrinter&) override { return false; }
};

const char* const kWords[] = {"Track",  "Album", "Müller", "live",   "Disc", "Öl",
                              "backup", "Zebra", "ärger",  "Photos", "data", "Mix"};

QString randomName(QRandomGenerator& rng, int serial) {
    return QStringLiteral("%1 %2").arg(QString::fromUtf8(kWords[rng.bounded(12)])).arg(serial);
}

// Folders attach to a random earlier folder no deeper than level 7, so every depth up to 8
// is well filled; files go into random folders.
void buildTree(const QString& root, int folders, int files) {
    QRandomGenerator rng(20240611);
    std::vector<std::pair<QString, int>> dirs{{root, 0}};
    for (int i = 0; i < folders; ++i) {
        const auto& [parent, depth] = dirs[rng.bounded(int(dirs.size()))];
        if (depth >= 8) {
            --i;
            continue;
        }
        const QString path = parent + u'/' + randomName(rng, i);
        QDir().mkdir(path);
        dirs.emplace_back(path, depth + 1);
    }
    for (int i = 0; i < files; ++i) {
        QFile f(dirs[rng.bounded(int(dirs.size()))].first + u'/' + randomName(rng, i) +
                (i % 3 ? QStringLiteral(".txt") : QStringLiteral(".MP3")));
        f.open(QIODevice::WriteOnly);
    }
}

// The machine is shared, so wall time mostly measures the neighbours: figures are CPU time
// (user + system) of this process and of the children it waited for, best of several runs.
double cpuMs() {
    timespec self{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &self);
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    return self.tv_sec * 1e3 + self.tv_nsec / 1e6 +
           (children.ru_utime.tv_sec + children.ru_stime.tv_sec) * 1e3 +
           (children.ru_utime.tv_usec + children.ru_stime.tv_usec) / 1e3;
}

double bestOf(int runs, const std::function<void()>& work) {
    double best = 1e30;
    for (int r = 0; r < runs; ++r) {
        const double start = cpuMs();
        work();
        best = std::min(best, cpuMs() - start);
    }
    return best;
}

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

    const QString findCmd =
        QStringLiteral("find '%1' -maxdepth 8 -type d ! -name '.*' | LC_ALL=C sort -f >/dev/null")
            .arg(root);
    const double findMs = bestOf(5, [&] {
        QProcess::execute(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), findCmd});
    });
    std::printf("find | sort -f:              %8.1f ms\n", findMs);

    SilentDialogs dialogs;
    for (const DirFilterSettings& filter :
         {DirFilterSettings{}, DirFilterSettings{false, QStringLiteral("*.*")}}) {
        qsizetype lines = 0;
        const double ms = bestOf(5, [&] {
            DirectoryListing listing;
            DirectoryReader(listing, 7, filter).ReadListing(root, root, dialogs);
            lines = listing.size();
        });
        std::printf("reader, %-19s %8.1f ms  %6lld entries  ratio to find %.2f\n",
                    filter.OnlyDirectories ? "folders:" : "files and folders:", ms,
                    static_cast<long long>(lines / 2), ms / findMs);
    }
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // "tree" or "listings" runs one half only.
    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    QTemporaryDir tmp;
    if (only != QLatin1String("listings")) readTree(tmp);
    if (only == QLatin1String("tree")) return 0;

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
