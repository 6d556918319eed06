#include "platform/stringtable_data.h"

#include <iterator>

// Texts of the side panel and the content and format dialogs (ids 900-949, content dialogs
// 640-679 and 976-982; English + 1000).
const StringTableItem kStringsContent[] = {
    {900, u"Abbrechen"},
    {1900, u"Cancel"},
    {640, u"&Hilfe"},
    {1640, u"&Help"},
    {976, u"füllen"},
    {977, u"%1 × %2 Pixel, gedruckt mit %3 dpi"},
    {980, u"%1 × %2 Pixel, Zeichnung (druckt in jeder Größe scharf)"},
    {981, u"eingefügtes Bild"},
    {982, u"(Datei unvollständig)"},
    {1976, u"fill"},
    {1977, u"%1 × %2 pixels, printed at %3 dpi"},
    {1980, u"%1 × %2 pixels, a drawing (prints sharp at any size)"},
    {1981, u"pasted picture"},
    {1982, u"(file incomplete)"},
};
const std::size_t kStringsContentSize = std::size(kStringsContent);
