#pragma once
#include <QCollator>
#include <QStringList>

// The user's locale collation, case-insensitive, with numbers in natural order
// ("Track 9" before "Track 10"). A plain "C" locale gets the neutral root collation, which
// would otherwise compare code units and tell letter case apart.
QCollator ListingCollator();

// Whether a comes before b among siblings: by the collator, exact comparison where they
// compare equal (names differing only in letter case are all kept, in a fixed order).
inline bool ListedBefore(const QCollator& collator, const QString& a, const QString& b) {
    const int c = collator.compare(a, b);
    return c != 0 ? c < 0 : a < b;
}

// Sorts the names of the folders inside one folder as a listing sorts siblings: by the
// ListedBefore.
void SortFolderNames(QStringList& names);
