#include "directory/listingfile.h"
#include "directory/directorystrings.h"
#include "platform/stringtable.h"
#include "platform/textcodec.h"

#include <QFile>

DirectoryListing ParseListingFile(const QByteArray& bytes) {
    DirectoryListing listing = splitLines(decodeText(bytes));
    if (!listing.isEmpty() && listing.size() % 2 == 0) listing.append(QString());
    return listing;
}

DirectoryListing LoadListingFile(const QString& path) {
    DirectoryListing listing = readTextLines(path);
    if (!listing.isEmpty() && listing.size() % 2 == 0) listing.append(QString());
    return listing;
}

QByteArray ListingFileBytes(const DirectoryListing& listing) {
    return encodeLines(listing);
}

void SaveListingFile(const QString& path, const DirectoryListing& listing) {
    writeTextLines(path, listing);
}

QStringList ListingTextLines(const DirectoryListing& listing) {
    QStringList lines;
    if (listing.isEmpty()) return lines;
    lines.reserve(1 + listing.size() / 2);
    lines.append(listing.first());
    for (qsizetype i = 1; i < listing.size(); i += 2)
        lines.append(listing.at(i));
    return lines;
}

void ExportListingText(const QString& path, const DirectoryListing& listing) {
    writeTextLines(path, ListingTextLines(listing));
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
        } else {
            out += c;
        }
    }
    return out;
}

QString HomepageAddress() {
    return StringTableEntry(LanguageOffset() == 0 ? IdHomepageGerman : IdHomepageEnglish);
}

namespace {
// Tree prefix of the levels 2..8; deeper entries (only in foreign files) use level 8's.
QString treePrefix(int level) {
    return QLatin1Char('+') + QString(std::min(level, 8) - 2, QLatin1Char('-'));
}
} // namespace

QStringList ListingHtmlLines(const DirectoryListing& listing) {
    const QString h = HomepageAddress();
    const QString q = QStringLiteral("\"");
    QStringList out;
    out.reserve(16 + listing.size() / 2 * 3);
    out << QStringLiteral("<HTML>") << QStringLiteral("<!-- ") + h + QStringLiteral(" -->")
        << QStringLiteral("<BODY BGCOLOR=white TEXT=black LINK=blue VLINK=Navy ALINK=red>")
        << QStringLiteral("<CENTER>")
        << QStringLiteral("<FONT COLOR=red SIZE=+2><B><TT>") +
               EscapeHtml(listing.isEmpty() ? QString() : listing.first()) +
               QStringLiteral("</TT></B></FONT>");
    if (listing.size() >= 2) {
        out << QStringLiteral("<HR ALIGN=center WIDTH=100%><P>")
            << QStringLiteral("<TABLE BORDER CELLPADDING=2>")
            << QStringLiteral(
                   "<TH BGCOLOR=navy WIDTH=200><FONT COLOR=white><B>Directory</B></FONT></TH>")
            << QStringLiteral("<TH BGCOLOR=gray WIDTH=400><FONT COLOR=white><B>.</B></FONT></TH>");
        for (qsizetype i = 1; i < listing.size(); i += 2) {
            const QString& entry = listing.at(i);
            const QString comment = i + 1 < listing.size() ? listing.at(i + 1) : QString();
            const int level = EntryIndentLevel(entry);
            out << QStringLiteral("<TR>");
            if (level == 1)
                out << QStringLiteral("<TD ALIGN=left VALIGN=top><FONT COLOR=blue><TT><B>") +
                           EscapeHtml(entry) + QStringLiteral("</B></TT></FONT></TD>");
            else
                out << QStringLiteral("<TD ALIGN=left VALIGN=top><TT><FONT COLOR=silver>") +
                           treePrefix(level) + QStringLiteral("</FONT><FONT COLOR=blue>") +
                           EscapeHtml(QStringView(entry).sliced(level - 1)) +
                           QStringLiteral("</FONT></TT></TD>");
            out << QStringLiteral("<TD ALIGN=left VALIGN=top><FONT COLOR=black>") +
                       (comment.isEmpty() ? QStringLiteral(".") : EscapeHtml(comment)) +
                       QStringLiteral("</FONT></TD></TR>");
        }
        out << QStringLiteral("</TABLE><P>");
    }
    out << QStringLiteral("<HR ALIGN=center WIDTH=100%>") << QStringLiteral("</CENTER>")
        << QStringLiteral("<FONT SIZE=-1>")
        << QStringLiteral("<A HREF=") + q + h + q + QStringLiteral(" TARGET=") + q +
               QStringLiteral("kvsoftware") + q + QStringLiteral(">") + h +
               QStringLiteral("</A><BR>")
        << QStringLiteral("</FONT>") << QStringLiteral("</BODY>") << QStringLiteral("</HTML>");
    return out;
}

void ExportListingHtml(const DirectoryListing& listing, const QString& path) {
    if (listing.isEmpty()) return;
    writeTextLines(path, ListingHtmlLines(listing));
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
    else if (ext == QLatin1String(".HTM"))
        ExportListingHtml(listing, path);
    else
        return false;
    return true;
}
