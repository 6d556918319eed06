#include "directory/listingfile.h"
#include "directory/directorystrings.h"
#include "directory/listingwriter.h"
#include "platform/apperror.h"
#include "platform/helptarget.h"
#include "platform/stringtable.h"
#include "platform/systemreason.h"
#include "platform/textcodec.h"

#include <QFile>
#include <QStringDecoder>
#include <QUrl>

namespace {
// Calls take(start, length) for every line of bytes: CR LF, a lone CR and a lone LF each end
// a line; a final line break does not start another line.
template <typename Take> void forEachLine(QByteArrayView bytes, Take take) {
    const char* data = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = data[i];
        if (c != '\r' && c != '\n') continue;
        take(start, i - start);
        if (c == '\r' && i + 1 < n && data[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < n) take(start, n - start);
}

// The same lines as decoding the whole 8-bit file and splitting it (textcodec.h), decoded
// line by line so a large file needs no second copy of itself: line breaks are ASCII in
// both encodings, so the file is valid UTF-8 exactly when every line is.
DirectoryListing parse8Bit(QByteArrayView view) {
    DirectoryListing listing;
    listing.reserve(view.count('\n') + view.count('\r') + 2);
    // One byte order mark at the start is dropped; any other is kept as a character.
    if (view.startsWith("\xEF\xBB\xBF")) view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    bool valid = true;
    forEachLine(view, [&](qsizetype start, qsizetype length) {
        if (!valid) return;
        QString line = utf8(view.sliced(start, length));
        valid = !utf8.hasError();
        // A file of nothing but a mark has no line, as an empty file has none.
        if (!line.isEmpty() || start + length < view.size()) listing.append(std::move(line));
    });
    if (!valid) {
        listing.clear();
        forEachLine(view, [&](qsizetype start, qsizetype length) {
            listing.append(fromWindows1252(view.sliced(start, length).toByteArray()));
        });
    }
    return listing;
}
} // namespace

DirectoryListing ParseListingFile(const QByteArray& bytes) {
    DirectoryListing listing;
    QByteArrayView view(bytes);
    if (view.startsWith("\xFF\xFE") || view.startsWith("\xFE\xFF")) {
        // UTF-16 behind its byte order mark (a Windows editor's "Unicode"), decoded whole.
        listing = DirectoryListing(splitLines(decodeText(bytes)));
    } else {
        listing = parse8Bit(view);
    }
    if (!listing.isEmpty() && listing.size() % 2 == 0) listing.append(QString());
    return listing;
}

DirectoryListing LoadListingFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw AppError(LadeTextArg(StrCannotRead, path, FileReason(f)));
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw AppError(LadeTextArg(StrCannotRead, path, FileReason(f)));
    return ParseListingFile(bytes);
}

bool WriteListingFile(QIODevice& device, const DirectoryListing& listing) {
    ListingWriter out(device, ListingWriter::needsUtf8(listing));
    listing.forEachLine([&](QStringView line) { out.line(line); });
    return out.finish();
}

void SaveListingFile(const QString& path, const DirectoryListing& listing) {
    ListingWriter::saveFile(path, [&](QIODevice& d) { return WriteListingFile(d, listing); });
}

bool WriteListingText(QIODevice& device, const DirectoryListing& listing) {
    // Only what is written decides the encoding: comments are left out.
    bool utf8 = !listing.isEmpty() && startsAsUtf16Mark(listing.first());
    for (qsizetype i = 0; i < listing.size() && !utf8; i += (i == 0 ? 1 : 2))
        utf8 = !fitsWindows1252(listing.at(i));
    ListingWriter out(device, utf8);
    for (qsizetype i = 0; i < listing.size(); i += (i == 0 ? 1 : 2))
        out.line(listing.at(i));
    return out.finish();
}

void ExportListingText(const QString& path, const DirectoryListing& listing) {
    ListingWriter::saveFile(path, [&](QIODevice& d) { return WriteListingText(d, listing); });
}

namespace {
const char* entityFor(char16_t c) {
    switch (c) {
    case u'\u00C4':
        return "&Auml;";
    case u'\u00E4':
        return "&auml;";
    case u'\u00D6':
        return "&Ouml;";
    case u'\u00F6':
        return "&ouml;";
    case u'\u00DC':
        return "&Uuml;";
    case u'\u00FC':
        return "&uuml;";
    case u'\u00DF':
        return "&szlig;";
    case u'"':
        return "&quot;";
    case u'<':
        return "&lt;";
    case u'>':
        return "&gt;";
    default:
        return nullptr;
    }
}
} // namespace

// One pass gives what applying the rules one after the other gives: no replacement text
// contains a character another rule looks for, and "(c)" cannot overlap itself.
QString EscapeHtml(QStringView text) {
    QString out;
    out.reserve(text.size() + text.size() / 8 + 8);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (const char* entity = entityFor(c.unicode())) {
            out += QLatin1String(entity);
        } else if (c == u'(' && i + 2 < n && text[i + 1] == u'c' && text[i + 2] == u')') {
            out += QLatin1String("&copy;");
            i += 2;
        } else if (c.unicode() < 0x80 || (c.unicode() >= 0xA0 && c.unicode() <= 0xFF) ||
                   fitsWindows1252(QString(c))) {
            out += c;
        } else {
            // The page stays Windows-1252; anything beyond it becomes a character reference.
            char32_t code = c.unicode();
            if (c.isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate())
                code = QChar::surrogateToUcs4(c, text[++i]);
            else if (c.isSurrogate())
                code = 0xFFFD;
            out += QStringLiteral("&#%1;").arg(uint(code));
        }
    }
    return out;
}

QString HomepageAddress() {
    // The address the Help menu opens, in the interface language; a page of the program
    // directory as a file URL, encoded so that it is plain ASCII and holds no quote.
    const QString location =
        HelpTargetLocation(HelpTarget::HomePage, LanguageOffset() == 0 ? 49 : 44);
    if (location.contains(QLatin1String("://"))) return location;
    return QString::fromLatin1(QUrl::fromLocalFile(location).toEncoded());
}

namespace {
// Tree prefix of the levels 2..8; deeper entries (only in foreign files) use level 8's.
QString treePrefix(int level) {
    return QLatin1Char('+') + QString(std::min(level, 8) - 2, QLatin1Char('-'));
}
} // namespace

bool WriteListingHtml(QIODevice& device, const DirectoryListing& listing) {
    const QString h = HomepageAddress();
    // Escaping leaves only Windows-1252 characters, so the page is always written in it.
    ListingWriter out(device, false);
    out.line(QLatin1String("<HTML>"));
    out.add(QLatin1String("<!-- "));
    out.add(h);
    out.line(QLatin1String(" -->"));
    out.line(QLatin1String("<BODY BGCOLOR=white TEXT=black LINK=blue VLINK=Navy ALINK=red>"));
    out.line(QLatin1String("<CENTER>"));
    out.add(QLatin1String("<FONT COLOR=red SIZE=+2><B><TT>"));
    out.add(EscapeHtml(listing.isEmpty() ? QString() : listing.first()));
    out.line(QLatin1String("</TT></B></FONT>"));
    if (listing.size() >= 2) {
        out.line(QLatin1String("<HR ALIGN=center WIDTH=100%><P>"));
        out.line(QLatin1String("<TABLE BORDER CELLPADDING=2>"));
        out.line(QLatin1String(
            "<TH BGCOLOR=navy WIDTH=200><FONT COLOR=white><B>Directory</B></FONT></TH>"));
        out.line(
            QLatin1String("<TH BGCOLOR=gray WIDTH=400><FONT COLOR=white><B>.</B></FONT></TH>"));
        for (qsizetype i = 1; i < listing.size(); i += 2) {
            const QString& entry = listing.at(i);
            const int level = EntryIndentLevel(entry);
            out.line(QLatin1String("<TR>"));
            if (level == 1) {
                out.add(QLatin1String("<TD ALIGN=left VALIGN=top><FONT COLOR=blue><TT><B>"));
                out.add(EscapeHtml(entry));
                out.line(QLatin1String("</B></TT></FONT></TD>"));
            } else {
                out.add(QLatin1String("<TD ALIGN=left VALIGN=top><TT><FONT COLOR=silver>"));
                out.add(treePrefix(level));
                out.add(QLatin1String("</FONT><FONT COLOR=blue>"));
                out.add(EscapeHtml(QStringView(entry).sliced(level - 1)));
                out.line(QLatin1String("</FONT></TT></TD>"));
            }
            const QString comment = i + 1 < listing.size() ? listing.at(i + 1) : QString();
            out.add(QLatin1String("<TD ALIGN=left VALIGN=top><FONT COLOR=black>"));
            if (comment.isEmpty())
                out.add(QLatin1String("."));
            else
                out.add(EscapeHtml(comment));
            out.line(QLatin1String("</FONT></TD></TR>"));
        }
        out.line(QLatin1String("</TABLE><P>"));
    }
    out.line(QLatin1String("<HR ALIGN=center WIDTH=100%>"));
    out.line(QLatin1String("</CENTER>"));
    out.line(QLatin1String("<FONT SIZE=-1>"));
    out.add(QLatin1String("<A HREF=\""));
    out.add(h);
    out.add(QLatin1String("\" TARGET=\"kvsoftware\">"));
    out.add(h);
    out.line(QLatin1String("</A><BR>"));
    out.line(QLatin1String("</FONT>"));
    out.line(QLatin1String("</BODY>"));
    out.line(QLatin1String("</HTML>"));
    return out.finish();
}

bool ExportListingHtml(const DirectoryListing& listing, const QString& path) {
    if (listing.isEmpty()) return false;
    ListingWriter::saveFile(path, [&](QIODevice& d) { return WriteListingHtml(d, listing); });
    return true;
}

QString UpperExtension(const QString& path) {
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        const QChar c = path[i];
        if (c == u'.') return path.sliced(i).toUpper();
        if (c == u'/' || c == u'\\' || c == u':') break;
    }
    return QString();
}

bool SaveListingAs(const QString& path, const DirectoryListing& listing) {
    const QString ext = UpperExtension(path);
    if (ext == QLatin1String(".TXT"))
        ExportListingText(path, listing);
    else if (ext == QLatin1String(".VMK"))
        SaveListingFile(path, listing);
    else if (ext == QLatin1String(".HTM") || ext == QLatin1String(".HTML"))
        return ExportListingHtml(listing, path);
    else
        throw AppError(LadeTextArg(StrListingBadExtension, path));
    return true;
}
