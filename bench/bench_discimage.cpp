// Reading a folder tree from a disc image against reading the same tree unpacked: the image
// of 30,000 folders should take no more than 1.5 times as long.
#include "benchsupport.h"
#include "directory/directoryreader.h"
#include "directory/discimage.h"
#include "directory/discimagereader.h"

#include <cstdio>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

namespace {
bool makeImage(const QString& root, const QString& iso) {
    QElapsedTimer t;
    t.start();
    // Built once, at the lowest priority: the machine is shared.
    const int rc =
        QProcess::execute(QStringLiteral("nice"),
                          {QStringLiteral("-n"), QStringLiteral("19"), QStringLiteral("xorriso"),
                           QStringLiteral("-as"), QStringLiteral("mkisofs"),
                           QStringLiteral("-quiet"), QStringLiteral("-R"), QStringLiteral("-J"),
                           QStringLiteral("-joliet-long"), QStringLiteral("-o"), iso, root});
    std::printf("image built in %.1f s\n", t.elapsed() / 1000.0);
    return rc == 0;
}

void compare(const char* what, const QString& root, const QString& iso) {
    SilentDialogs dialogs;
    for (const DirFilterSettings& filter :
         {DirFilterSettings{}, DirFilterSettings{false, QStringLiteral("*.*")}}) {
        qsizetype fsLines = 0, imageLines = 0;
        const double fsMs = bestOf(5, [&] {
            DirectoryListing listing;
            DirectoryReader(listing, 7, filter).ReadListing(root, root, dialogs);
            fsLines = listing.size();
        });
        const double imageMs = bestOf(5, [&] {
            DiscImage image(iso);
            DirectoryListing listing;
            DiscImageReader(listing, 7, filter, image)
                .ReadImageListing(QStringLiteral("/"), dialogs);
            imageLines = listing.size();
        });
        std::printf("%s, %-18s folders %8.1f ms, image %8.1f ms  %6lld entries%s  ratio %.2f\n",
                    what, filter.OnlyDirectories ? "folders:" : "files and folders:", fsMs, imageMs,
                    static_cast<long long>(imageLines / 2),
                    imageLines == fsLines ? "" : " (DIFFERENT)", imageMs / fsMs);
    }
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir tmp;
    const QString tree = tmp.filePath(QStringLiteral("tree"));
    QDir().mkpath(tree);
    buildTree(tree, 30000, 30000);
    const QString iso = tmp.filePath(QStringLiteral("tree.iso"));
    if (!makeImage(tree, iso)) return 1;
    compare("random tree", tree, iso);

    // One folder holding them all: looking a folder up must not cost its position.
    const QString flat = tmp.filePath(QStringLiteral("flat"));
    QDir().mkpath(flat);
    for (int i = 0; i < 20000; ++i)
        QDir().mkdir(flat + QStringLiteral("/Folder %1").arg(i));
    const QString flatIso = tmp.filePath(QStringLiteral("flat.iso"));
    if (!makeImage(flat, flatIso)) return 1;
    compare("flat folder", flat, flatIso);
    return 0;
}
