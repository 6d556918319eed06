#include "directory/directorystrings.h"
#include "platform/stringtable_data.h"

#include <iterator>

// Texts of this area (see platform/stringtable_data.h for the id ranges; English + 1000).
const StringTableItem kStringsDirectory[] = {
    {StrDirOk, u"OK"},
    {StrDirCancel, u"Abbrechen"},
    {StrListingBadExtension,
     u"\"%1\" wurde nicht gespeichert: Ein Verzeichnis wird als Verzeichnisdatei (.vmk), "
     u"Text (.txt) oder HTML-Seite (.htm, .html) gespeichert."},
    {StrListingEmptyWebPage,
     u"Das Verzeichnis ist leer; die HTML-Seite \"%1\" wurde nicht geschrieben."},
    {StrDirHelp, u"Hilfe"},
    {StrDirFoldersRead, u"%1 Ordner gelesen\n%2"},
    {StrDirSystemDrive, u"Systemlaufwerk"},
    {StrDirHomeFolder, u"Persönlicher Ordner"},
    {StrDirOk + 1000, u"OK"},
    {StrDirCancel + 1000, u"Cancel"},
    {StrListingBadExtension + 1000,
     u"\"%1\" was not saved: a directory is saved as a directory file (.vmk), text (.txt) "
     u"or HTML page (.htm, .html)."},
    {StrListingEmptyWebPage + 1000,
     u"The directory is empty; the HTML page \"%1\" was not written."},
    {StrDirHelp + 1000, u"Help"},
    {StrDirFoldersRead + 1000, u"%1 folders read\n%2"},
    {StrDirSystemDrive + 1000, u"System drive"},
    {StrDirHomeFolder + 1000, u"Home folder"},
};
const std::size_t kStringsDirectorySize = std::size(kStringsDirectory);
