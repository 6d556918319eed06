#include "platform/stringtable_data.h"

#include <iterator>

// The interface texts of the windows, menus and messages. German at n, English at n + 1000.
const StringTableItem kStringsBase[] = {
    {801, u"Die Datei wurde geändert! Speichern?"},
    {802, u"Druckaufbereitung wurde abgebrochen!"},
    {804, u"existiert bereits! Überschreiben?"},
    {805, u"Druckaufbereitung... Abbruch mit ESC"},
    {806, u"Die Druckaufbereitung läuft gerade!"},
    {807, u"Soll die Bilddatei ins BILDER-Verzeichnis kopiert werden?"},
    {813, u"Keine CD gefunden !"},
    {814, u"Es wurden KEINE UNTERVERZEICHNISSE im Startpfad gefunden!"},
    {1801, u"File changed! Save now?"},
    {1802, u"Printing abort!"},
    {1804, u"already exists! Overwrite?"},
    {1805, u"Printing... Abort with ESC"},
    {1806, u"Already printing!"},
    {1807, u"Copy this image to the PICTURE-Sub-Directory ?"},
    {1813, u"Found no CD !"},
    {1814, u"Found no sub-directories in start-path!"},
};
const std::size_t kStringsBaseSize = std::size(kStringsBase);
