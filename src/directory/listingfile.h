#pragma once
#include "document/directorylisting.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>

// The Write functions give false when the device refused data; the Save and Export functions
// write all or nothing and throw AppError naming the file.

// The listing file (".VMK"): the lines of the listing, one for one, each ending in CR LF.
// A loaded listing whose last entry has no comment line gets an empty one, so every
// consumer sees entry/comment pairs.
DirectoryListing ParseListingFile(const QByteArray& bytes);
DirectoryListing LoadListingFile(const QString& path); // throws AppError
bool WriteListingFile(QIODevice& device, const DirectoryListing& listing);
void SaveListingFile(const QString& path, const DirectoryListing& listing); // all or nothing

// The plain text export (".TXT"): the heading and the entry lines, without comments.
// An empty listing gives an empty file.
bool WriteListingText(QIODevice& device, const DirectoryListing& listing);
void ExportListingText(const QString& path, const DirectoryListing& listing);

// The web page export (".HTM"), every line ending in CR LF, always in Windows-1252. An empty
// listing writes no file (false).
bool WriteListingHtml(QIODevice& device, const DirectoryListing& listing);
bool ExportListingHtml(const DirectoryListing& listing, const QString& path);

// Replaces Ä ä Ö ö Ü ü ß " < > and "(c)" with their entities and characters outside
// Windows-1252 with numeric references ("&#8364;" style); everything else, "&" too, stays.
QString EscapeHtml(QStringView text);

// The program's home page in the interface language, as the Help menu opens it (a page
// below the program directory is given as a file URL).
QString HomepageAddress();

// Writes the listing in the form its extension asks for: ".VMK", ".TXT", ".HTM" or ".HTML",
// letter case ignored; false when nothing was written (an empty listing as a web page).
// Any other extension throws AppError naming the file and the three kinds.
bool SaveListingAs(const QString& path, const DirectoryListing& listing);

// The extension of a file name in upper case, with its dot: from the last "." after the
// last separator ("/", "\" or ":"); empty when there is none.
QString UpperExtension(const QString& path);
