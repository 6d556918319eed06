#pragma once
#include "document/directorylisting.h"

#include <functional>
#include <QIODevice>
#include <QString>
#include <QStringList>

// Writes text lines, each ending in CR LF, in the program's file encoding (Windows-1252 when
// every character of the file fits, otherwise UTF-8; the caller decides up front). Text is
// encoded and written in pieces, so a listing of any size never needs a second whole copy
// of itself in memory.
class ListingWriter {
public:
    ListingWriter(QIODevice& device, bool utf8) : device_(device), utf8_(utf8) {}

    void add(QStringView text);
    void add(QLatin1StringView text);
    void endLine();
    void line(QStringView text) {
        add(text);
        endLine();
    }
    void line(QLatin1StringView text) {
        add(text);
        endLine();
    }
    // Writes what is left; false when the device refused any of the data.
    bool finish();

    // True when any of these texts has a character outside Windows-1252, or the first
    // starts as a UTF-16 byte order mark would (startsAsUtf16Mark).
    static bool needsUtf8(const DirectoryListing& lines);

    // Writes a file all or nothing: fill writes the content, nothing replaces an existing
    // file unless everything was written. Throws AppError naming the file.
    static void saveFile(const QString& path, const std::function<bool(QIODevice&)>& fill);

private:
    void flushIfFull();
    QIODevice& device_;
    bool utf8_;
    bool ok_ = true;
    bool started_ = false;
    QString pending_;
};
