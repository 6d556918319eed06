#pragma once
// What the benchmarks share: a quiet dialog interface, a random folder tree, CPU time.
#include "platform/dialogs.h"

#include <algorithm>
#include <ctime>
#include <functional>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <sys/resource.h>
#include <vector>

class SilentDialogs : public Dialogs {
public:
    MsgResult message(MsgKind, MsgButtons, const QString&) override { return MsgResult::Ok; }
    std::optional<QString> openFile(const FileDialogRequest&) override { return {}; }
    std::optional<QString> saveFile(const FileDialogRequest&) override { return {}; }
    std::optional<qint32> chooseColor(qint32) override { return {}; }
    void openInBrowser(const QString&) override {}
    bool printDialog(QPrinter&) override { return false; }
    bool printerSetupDialog(QPrinter&) override { return false; }
    int execDialog(QDialog&) override { return 0; }
};

inline const char* const kWords[] = {"Track",  "Album", "Müller", "live",   "Disc", "Öl",
                                     "backup", "Zebra", "ärger",  "Photos", "data", "Mix"};

inline QString randomName(QRandomGenerator& rng, int serial) {
    return QStringLiteral("%1 %2").arg(QString::fromUtf8(kWords[rng.bounded(12)])).arg(serial);
}

// Folders attach to a random earlier folder no deeper than level 7, so every depth up to 8
// is well filled; files go into random folders.
inline void buildTree(const QString& root, int folders, int files) {
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
inline double cpuMs() {
    timespec self{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &self);
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    return self.tv_sec * 1e3 + self.tv_nsec / 1e6 +
           (children.ru_utime.tv_sec + children.ru_stime.tv_sec) * 1e3 +
           (children.ru_utime.tv_usec + children.ru_stime.tv_usec) / 1e3;
}

inline double bestOf(int runs, const std::function<void()>& work) {
    double best = 1e30;
    for (int r = 0; r < runs; ++r) {
        const double start = cpuMs();
        work();
        best = std::min(best, cpuMs() - start);
    }
    return best;
}
