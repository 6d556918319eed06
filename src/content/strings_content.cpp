#include "platform/stringtable_data.h"

#include <iterator>

// Texts of the side panel and the content and format dialogs (ids 900-949, content dialogs
// 640-679; English + 1000).
const StringTableItem kStringsContent[] = {
    {900, u"Abbrechen"},
    {1900, u"Cancel"},
    {640, u"&Hilfe"},
    {1640, u"&Help"},
};
const std::size_t kStringsContentSize = std::size(kStringsContent);
