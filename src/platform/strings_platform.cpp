#include "platform/stringtable_data.h"

#include <iterator>

// Texts of the platform layer (ids 500-519, 550-599 and 780-786; English + 1000).
const StringTableItem kStringsPlatform[] = {
    {500, u"Die Datei \"%1\" kann nicht gelesen werden: %2"},
    {501, u"Die Datei \"%1\" kann nicht geschrieben werden: %2"},
    {502, u"Der Ordner \"%1\" kann nicht angelegt werden."},
    {550, u"\"%1\" ist keine Bilddatei, die das Programm kennt (BMP, WMF, EMF, ICO, JPG, PNG, GIF, "
          u"TIFF, WebP, SVG)."},
    {551, u"Das Bild \"%1\" kann nicht geladen werden: %2"},
    {552, u"die Daten sind beschädigt oder werden nicht unterstützt"},
    {553, u"die Datei ist keine WMF- oder EMF-Metadatei"},
    {554, u"der Kopf der Metadatei ist beschädigt"},
    {555, u"Datensatz %1 der Metadatei ist beschädigt"},
    {556, u"die Metadatei hat zu viele Datensätze"},
    {557, u"das Bild hat keine Größe"},
    {740, u"Der Ordner \"%1\" für Ihre Einstellungen und Bilder kann nicht angelegt werden."},
    {741, u"Die Datei \"%1\" für Ihre Einstellungen und Bilder kann nicht angelegt werden."},
    {780, u"dafür fehlt die Berechtigung"},
    {781, u"auf dem Datenträger ist kein Platz mehr frei"},
    {782, u"der Datenträger ist schreibgeschützt"},
    {783, u"die Datei oder der Ordner existiert nicht"},
    {784, u"das ist ein Ordner"},
    {785, u"der Name ist zu lang"},
    {786, u"die Datei ist kein %1-Bild"},
    {1500, u"The file \"%1\" cannot be read: %2"},
    {1501, u"The file \"%1\" cannot be written: %2"},
    {1502, u"The folder \"%1\" cannot be created."},
    {1550, u"\"%1\" is not a picture file the program knows (BMP, WMF, EMF, ICO, JPG, PNG, GIF, "
           u"TIFF, WebP, SVG)."},
    {1551, u"The picture \"%1\" cannot be loaded: %2"},
    {1552, u"the data is damaged or not supported"},
    {1553, u"the file is not a WMF or EMF metafile"},
    {1554, u"the metafile header is damaged"},
    {1555, u"record %1 of the metafile is damaged"},
    {1556, u"the metafile has too many records"},
    {1557, u"the picture has no size"},
    {1780, u"permission denied"},
    {1781, u"no space left on the drive"},
    {1782, u"the drive is read-only"},
    {1783, u"no such file or folder"},
    {1784, u"it is a folder"},
    {1785, u"the name is too long"},
    {1786, u"the file is not a %1 picture"},
    {978, u"Das Bild \"%1\" ist zu groß, um es zu laden: %2 × %3 Pixel."},
    {979, u"Die Datei \"%1\" ist unvollständig: Das Bild wird nur so weit gezeigt, wie es "
          u"gelesen werden konnte."},
    {1978, u"The picture \"%1\" is too large to load: %2 × %3 pixels."},
    {1979, u"The file \"%1\" is incomplete: the picture is shown as far as it could be "
           u"read."},
    {1740, u"The folder \"%1\" for your settings and pictures cannot be created."},
    {1741, u"The file \"%1\" for your settings and pictures cannot be created."},
};
const std::size_t kStringsPlatformSize = std::size(kStringsPlatform);
