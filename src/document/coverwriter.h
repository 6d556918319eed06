#pragma once
#include "document/coverdocument.h"

#include <functional>
#include <QStringList>

// Writes a cover document as the lines of a version 2.0 cover file.
class CoverWriter {
public:
    // Appends the lines of doc to out (the caller stores them as the file).
    static void WriteCover(const CoverDocument& doc, QStringList& out);
    static QStringList WriteCover(const CoverDocument& doc);
    // The same lines one by one, without holding them all (saving a large listing).
    using LineSink = std::function<void(QStringView)>;
    static void WriteCover(const CoverDocument& doc, const LineSink& line);

    // The lines of a free text as the file stores them: a break ends a line, a break at the
    // very end does not begin another one, an empty text has no lines.
    static QStringList textLines(const QString& text);
};
