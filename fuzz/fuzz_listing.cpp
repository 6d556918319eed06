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
    // What Windows-1252 holds besides Latin-1 (its five unused bytes stand for themselves);
    // everything else becomes a character reference.
    const QString extra = QStringLiteral(
        "\u20AC\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u017D"
        "\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u017E\u0178"
        "\u0081\u008D\u008F\u0090\u009D");
    QString out;
    for (const char32_t code : s.toUcs4()) {
        const bool kept = code < 0x80 || (code >= 0xA0 && code <= 0xFF) ||
                          (code <= 0xFFFF && extra.contains(QChar(char16_t(code))));
        out += kept ? QString::fromUcs4(&code, 1) : QStringLiteral("&#%1;").arg(uint(code));
    }
    return out;
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
