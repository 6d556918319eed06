#pragma once
#include <QString>
#include <QStringList>

// A directory listing: line 0 the heading (start directory), then per entry k an entry
// line (nesting level as leading spaces, then the name) at 2k+1 and a comment at 2k+2.
// Either empty or 1 + 2n lines.
using DirectoryListing = QStringList;

// The 1-based level of an entry line: position of the first non-space character, scanning
// no further than the last character (spaces only: its length; empty line: 1).
int EntryIndentLevel(const QString& line);
