#include "document/directorylisting.h"

int EntryIndentLevel(const QString& line) {
    if (line.isEmpty())
        return 1;
    qsizetype i = 0;
    while (i < line.size() - 1 && line[i] == u' ')
        ++i;
    return int(i + 1);
}
