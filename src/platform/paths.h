#pragma once
#include <QString>

// The program directory: the executable's folder with its letter case kept, ending in '/'.
// Tests and the command-line tool may point it elsewhere.
QString ProgDir();
void SetProgDir(const QString& dir);
// The read-only program data (help pages): the program directory itself, or the installed
// tree when the program runs from a per-user program directory. Ends in '/'.
QString ProgDataDir();
void SetProgDataDir(const QString& dir);

// A sub-directory of the program directory ("ZVX", "BILDER", "texturen", "TEXTE",
// "VERZEICH", "hilfe"), found case-insensitively when the exact name does not exist.
// Ends in '/'.
QString ProgSubDir(const QString& name);

// Stored relative paths may use '\'; this treats it as a separator.
QString normalizeSeparators(const QString& path);
// Returns path itself when it exists; otherwise the existing path whose components match
// case-insensitively ("bilder/x.JPG" finds "BILDER/x.jpg"); otherwise path unchanged.
QString resolveCaseInsensitive(const QString& path);
// The part after the last '/', '\' or ':'.
QString fileNamePart(const QString& path);
// Everything up to and including the last '/', '\' or ':' (empty when there is none).
QString directoryPart(const QString& path);
// Case-insensitive comparison of two paths as the program compared upper-cased ones.
bool samePathIgnoringCase(const QString& a, const QString& b);
