// The CUE sheet reader on arbitrary bytes: libcue and the fallbacks around it must never
// crash, and whatever is read must make a listing of a heading and pairs of lines.
#include "directory/cuesheet.h"
#include "platform/apperror.h"

#include <cstdint>
#include <cstdlib>

// libcue drops the tracks it has built when a sheet does not parse; that is its leak.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libcue.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 64 * 1024) return 0;
    ReadProblems problems;
    try {
        const TrackList list =
            ReadCueSheet(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)),
                         QStringLiteral("/nonexistent"), QStringLiteral("fuzz.cue"), problems);
        const DirectoryListing listing = TrackListing(list, QStringLiteral("fuzz"));
        if (listing.size() % 2 != 1) std::abort();
        for (const QString& line : listing)
            if (line.contains(u'\n') || line.contains(u'\r')) std::abort();
    } catch (const AppError&) {
        // an unreadable sheet is reported, not read
    }
    return 0;
}
