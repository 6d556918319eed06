// The M3U/M3U8 playlist reader on arbitrary bytes: every entry becomes one pair of lines,
// no line of the listing spans two lines, and nothing crashes.
#include "directory/playlist.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <QtGlobal>

// An entry holding a NUL byte has Qt warn about a broken file name on every lookup; printed
// for every input that would be most of a run's work. Fatal messages still end the run.
static void dropQtWarnings(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtFatalMsg) return;
    std::fprintf(stderr, "%s\n", qPrintable(text));
    std::abort();
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qInstallMessageHandler(dropQtWarnings);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 256 * 1024) return 0;
    ReadProblems problems;
    const TrackList list =
        ReadPlaylist(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)),
                     QStringLiteral("/nonexistent"), problems);
    const DirectoryListing listing = TrackListing(list, QStringLiteral("fuzz"));
    if (listing.size() != 1 + 2 * qsizetype(list.tracks.size())) std::abort();
    for (const QString& line : listing)
        if (line.contains(u'\n') || line.contains(u'\r')) std::abort();
    return 0;
}
