#include "directory/directorystrings.h"
#include "platform/stringtable_data.h"

#include <iterator>

// Texts of this area (see platform/stringtable_data.h for the id ranges; English + 1000).
const StringTableItem kStringsDirectory[] = {
    {StrDirOk, u"OK"},
    {StrDirCancel, u"Abbrechen"},
    {StrImageNotIso, u"\"%1\" ist kein Disc-Image im Format ISO 9660."},
    {StrImageDamaged, u"Das Disc-Image \"%1\" ist beschädigt oder unvollständig."},
    {StrImageDriveEntry, u"Disc-Image…"},
    {StrImageNoFolder, u"Im Disc-Image \"%1\" gibt es den Ordner \"%2\" nicht."},
    {StrImageFilter, u"Disc-Images (*.iso *.ISO)"},
    {StrImageUnreadable, u"Das Disc-Image \"%1\" kann nicht gelesen werden."},
    {StrDirOk + 1000, u"OK"},
    {StrDirCancel + 1000, u"Cancel"},
    {StrImageNotIso + 1000, u"\"%1\" is not an ISO 9660 disc image."},
    {StrImageDamaged + 1000, u"The disc image \"%1\" is damaged or incomplete."},
    {StrImageDriveEntry + 1000, u"Disc image…"},
    {StrImageNoFolder + 1000, u"The disc image \"%1\" has no folder \"%2\"."},
    {StrImageFilter + 1000, u"Disc images (*.iso *.ISO)"},
    {StrImageUnreadable + 1000, u"The disc image \"%1\" cannot be read."},
};
const std::size_t kStringsDirectorySize = std::size(kStringsDirectory);
