#pragma once
#include <QString>

// The reader's filter. The directory dialog owns one for the whole run, so a choice made
// once holds for every later reading; it is never stored in a file.
struct DirFilterSettings {
    bool OnlyDirectories = true;
    QString FileMask = QStringLiteral("*.*");
    // Files mode: the comment of every audio file gets its tags and playing time.
    bool AudioComments = false;
};
