#pragma once
#include "document/directorylisting.h"

#include <QCollator>
#include <QStringList>
#include <QStringView>

// The separator of the keys a reading produces: "/A/B" is folder B inside folder A of the
// start directory.
inline constexpr QChar kKeySeparator = u'/';

// The user's locale collation, case-insensitive, with numbers in natural order
// ("Track 9" before "Track 10"). A plain "C" locale gets the neutral root collation, which
// would otherwise compare code units and tell letter case apart.
QCollator ListingCollator();

// Sorts the names of the folders inside one folder as a listing sorts siblings: by the
// collator, exact comparison where names compare equal.
void SortFolderNames(QStringList& names);

// Replaces the keys on the entry lines (1, 3, 5, ...) with their entry lines in tree order:
// siblings sorted by the collator, every folder directly followed by its contents. Names that
// compare equal (differing only in letter case) are all kept, ordered by exact comparison;
// identical keys keep their order. Each comment line moves with its entry.
void SortAndIndentListing(DirectoryListing& listing);
void SortAndIndentListing(DirectoryListing& listing, const QCollator& collator);

// The entry line of a key: one space per separator beyond the first, then the last component.
QString IndentEntryName(QStringView key);
