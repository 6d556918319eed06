#pragma once
#include <QString>

// The numbered string table: German text at id n, English at n + 1000.
// The language offset (0 German, 1000 English) is chosen once per run.
int LanguageOffset();
void SetLanguageOffset(int offset);
// Offset for a language code: 49 is German, every other value English.
inline int LanguageOffsetFor(int sprache) {
    return sprache == 49 ? 0 : 1000;
}

// The entry with exactly this id, or an empty string.
QString StringTableEntry(int id);
// The entry id + language offset, cut to 254 characters; empty for a missing id.
QString LadeText(int id);

// Ids of the platform layer's own texts (ranges of the other areas: stringtable_data.h).
enum OwnStringId {
    StrCannotRead = 500,         // "%1" cannot be read: %2
    StrCannotWrite = 501,        // "%1" cannot be written: %2
    StrCannotCreateDir = 502,    // folder "%1" cannot be created
    StrUnknownPictureKind = 550, // "%1" is not a picture kind the program knows
    StrBadPicture = 551,         // picture "%1" cannot be loaded: %2
    StrBadPictureData = 552,     // the data is damaged or not supported
    StrNotMetafile = 553,        // not a WMF or EMF file
    StrMetafileHeader = 554,     // the metafile header is damaged
    StrMetafileRecord = 555,     // record %1 of the metafile is damaged
    StrMetafileTooLarge = 556,   // too many records
    StrPictureNoSize = 557,      // the picture has no size
    StrPictureTooLarge = 978,    // picture "%1" is too large to load: %2 x %3 pixels
    StrPictureIncomplete = 979,  // file "%1" is incomplete, only part of it was read
};

template <typename... Args> QString LadeTextArg(int id, const Args&... args) {
    return LadeText(id).arg(args...);
}
