#include "platform/stringtable_data.h"

// The interface texts. German at n, English at n + 1000. Keep sorted by id.
const StringTableItem kStringTable[] = {
    {500, u"Die Datei \"%1\" kann nicht gelesen werden: %2"},
    {501, u"Die Datei \"%1\" kann nicht geschrieben werden: %2"},
    {502, u"Der Ordner \"%1\" kann nicht angelegt werden."},
    {550, u"\"%1\" ist keine Bilddatei, die das Programm kennt (BMP, WMF, EMF, ICO, JPG)."},
    {551, u"Das Bild \"%1\" kann nicht geladen werden: %2"},
    {552, u"die Daten sind beschädigt oder werden nicht unterstützt"},
    {801, u"Die Datei wurde geändert! Speichern?"},
    {802, u"Druckaufbereitung wurde abgebrochen!"},
    {804, u"existiert bereits! Überschreiben?"},
    {805, u"Druckaufbereitung... Abbruch mit ESC"},
    {806, u"Die Druckaufbereitung läuft gerade!"},
    {807, u"Soll die Bilddatei ins BILDER-Verzeichnis kopiert werden?"},
    {813, u"Keine CD gefunden !"},
    {814, u"Es wurden KEINE UNTERVERZEICHNISSE im Startpfad gefunden!"},
    {1500, u"The file \"%1\" cannot be read: %2"},
    {1501, u"The file \"%1\" cannot be written: %2"},
    {1502, u"The folder \"%1\" cannot be created."},
    {1550, u"\"%1\" is not a picture file the program knows (BMP, WMF, EMF, ICO, JPG)."},
    {1551, u"The picture \"%1\" cannot be loaded: %2"},
    {1552, u"the data is damaged or not supported"},
    {1801, u"File changed! Save now?"},
    {1802, u"Printing abort!"},
    {1804, u"already exists! Overwrite?"},
    {1805, u"Printing... Abort with ESC"},
    {1806, u"Already printing!"},
    {1807, u"Copy this image to the PICTURE-Sub-Directory ?"},
    {1813, u"Found no CD !"},
    {1814, u"Found no sub-directories in start-path!"},
};
const std::size_t kStringTableSize = sizeof(kStringTable) / sizeof(kStringTable[0]);
