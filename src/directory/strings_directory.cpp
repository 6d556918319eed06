#include "directory/directorystrings.h"
#include "platform/stringtable_data.h"

#include <iterator>

// Texts of this area (see platform/stringtable_data.h for the id ranges; English + 1000).
const StringTableItem kStringsDirectory[] = {
    {StrDirOk, u"OK"},
    {StrDirCancel, u"Abbrechen"},
    {StrDirOk + 1000, u"OK"},
    {StrDirCancel + 1000, u"Cancel"},
};
const std::size_t kStringsDirectorySize = std::size(kStringsDirectory);
