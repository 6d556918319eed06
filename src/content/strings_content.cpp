#include "platform/stringtable_data.h"

#include <iterator>

// Texts of the side panel and the content and format dialogs (ids 900-949, picture dialog
// 660-679; English + 1000).
const StringTableItem kStringsContent[] = {
    {660, u"Hilfe"},
    {900, u"Abbrechen"},
    {1660, u"Help"},
    {1900, u"Cancel"},
};
const std::size_t kStringsContentSize = std::size(kStringsContent);
