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
    {StrImageNotIso, u"\"%1\" ist kein Disc-Image im Format ISO 9660."},
    {StrImageDamaged, u"Das Disc-Image \"%1\" ist beschädigt oder unvollständig."},
    {StrImageDriveEntry, u"Disc-Image…"},
    {StrImageNoFolder, u"Im Disc-Image \"%1\" gibt es den Ordner \"%2\" nicht."},
    {StrImageFilter, u"Disc-Images (ISO)|*.ISO|Alle Dateien|*"},
    {StrImageUnreadable, u"Das Disc-Image \"%1\" kann nicht gelesen werden."},
    {StrImageOpenTitle, u"Disc-Image öffnen"},
    {StrDirNoSuchFolder, u"Den Ordner \"%1\" gibt es nicht."},
    {StrDirUnreadable, u"Der Ordner \"%1\" kann nicht gelesen werden."},
    {StrDirFilterFolders, u"Filter: nur Ordner"},
    {StrDirFilterFiles, u"Filter: Dateien %1 und Ordner"},
    {StrDirChooseFolder, u"Ordner wählen…"},
    {StrDirLocationHint, u"Ordner eingeben, Eingabe liest ihn (Strg+L)"},
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
    {StrImageNotIso + 1000, u"\"%1\" is not an ISO 9660 disc image."},
    {StrImageDamaged + 1000, u"The disc image \"%1\" is damaged or incomplete."},
    {StrImageDriveEntry + 1000, u"Disc image…"},
    {StrImageNoFolder + 1000, u"The disc image \"%1\" has no folder \"%2\"."},
    {StrImageFilter + 1000, u"Disc images (ISO)|*.ISO|All files|*"},
    {StrImageUnreadable + 1000, u"The disc image \"%1\" cannot be read."},
    {StrImageOpenTitle + 1000, u"Open disc image"},
    {StrDirNoSuchFolder + 1000, u"There is no folder \"%1\"."},
    {StrDirUnreadable + 1000, u"The folder \"%1\" cannot be read."},
    {StrDirFilterFolders + 1000, u"Filter: folders only"},
    {StrDirFilterFiles + 1000, u"Filter: files %1 and folders"},
    {StrDirChooseFolder + 1000, u"Choose folder…"},
    {StrDirLocationHint + 1000, u"Type a folder, Return reads it (Ctrl+L)"},
};
const std::size_t kStringsDirectorySize = std::size(kStringsDirectory);
