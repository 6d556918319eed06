// Feeds arbitrary bytes as a cover file to all three readers. Besides sanitizer findings it
// checks that whatever a reader accepts is written back in a form the version 2.0 reader
// reads to the same lines again.
#include "document/coverreader.h"
#include "document/coverwriter.h"
#include "platform/apperror.h"
#include "platform/paths.h"
#include "platform/textcodec.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdlib>

namespace {
void roundTrip(const CoverDocument& doc, std::optional<int> layout) {
    CoverDocument first = doc;
    if (layout && *layout >= 0 && *layout <= 3) first.CoverLayout = quint8(*layout);
    const QStringList written = CoverWriter::WriteCover(first);
    CoverDocument again;
    CoverReader reader(written, again, QStringLiteral("again"));
    const int storedLayout = reader.ReadCoverV20();
    if (storedLayout != first.CoverLayout) std::abort();
    again.CoverLayout = quint8(storedLayout);
    if (CoverWriter::WriteCover(again) != written) std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int argc = 1;
    static char arg0[] = "fuzz_coverfile";
    static char* argv[] = {arg0, nullptr};
    static QCoreApplication app(argc, argv);
    static QTemporaryDir progDir; // empty: no template, no textures
    static const bool once = (SetProgDir(progDir.path()), true);
    (void)once;

    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = splitLines(QStringView(decodeText(bytes)), true);
    for (int form = 0; form < 3; ++form) {
        CoverDocument doc;
        CoverReader reader(lines, doc, QStringLiteral("fuzz.zvx"));
        try {
            std::optional<int> layout;
            if (form == 0)
                layout = reader.ReadCoverV20();
            else if (form == 1)
                reader.ReadCoverV12();
            else
                reader.ReadCoverOld();
            roundTrip(doc, layout);
        } catch (const AppError&) {
            // a refused file is the expected outcome for most inputs
        }
    }
    return 0;
}
