// The listing file loader on arbitrary bytes: it must agree with decoding the whole file,
// always give pairs, and whatever it loads must save, export and load again.
#include "directory/listingfile.h"
#include "platform/textcodec.h"

#include <cstdint>
#include <cstdlib>
#include <QBuffer>

namespace {
QString naiveEscape(QString s) {
    const std::pair<QString, QString> rules[] = {
        {QStringLiteral("\u00C4"), QStringLiteral("&Auml;")},
        {QStringLiteral("\u00E4"), QStringLiteral("&auml;")},
        {QStringLiteral("\u00D6"), QStringLiteral("&Ouml;")},
        {QStringLiteral("\u00F6"), QStringLiteral("&ouml;")},
        {QStringLiteral("\u00DC"), QStringLiteral("&Uuml;")},
        {QStringLiteral("\u00FC"), QStringLiteral("&uuml;")},
        {QStringLiteral("\u00DF"), QStringLiteral("&szlig;")},
        {QStringLiteral("\""), QStringLiteral("&quot;")},
        {QStringLiteral("<"), QStringLiteral("&lt;")},
        {QStringLiteral(">"), QStringLiteral("&gt;")},
        {QStringLiteral("(c)"), QStringLiteral("&copy;")}};
    for (const auto& [from, to] : rules)
        for (qsizetype i; (i = s.indexOf(from)) >= 0;)
            s.replace(i, from.size(), to);
    return s;
}

void check(bool ok) {
    if (!ok) std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const DirectoryListing listing = ParseListingFile(bytes);

    DirectoryListing reference = splitLines(decodeText(bytes));
    if (reference.size() % 2 == 0 && !reference.isEmpty()) reference.append(QString());
    check(listing == reference);
    check(listing.isEmpty() || listing.size() % 2 == 1);

    QBuffer file;
    file.open(QIODevice::WriteOnly);
    check(WriteListingFile(file, listing));
    // Values may read back differently where the encoding rule is ambiguous, lines may not.
    check(ParseListingFile(file.data()).size() == listing.size());

    QBuffer text, page;
    text.open(QIODevice::WriteOnly);
    page.open(QIODevice::WriteOnly);
    check(WriteListingText(text, listing));
    check(WriteListingHtml(page, listing));

    if (size < 2048)
        for (const QString& line : listing)
            check(EscapeHtml(line) == naiveEscape(line));
    return 0;
}
