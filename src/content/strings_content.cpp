#include "platform/stringtable_data.h"

#include <iterator>

// Texts of the side panel and the content and format dialogs (ids 900-949; English + 1000).
const StringTableItem kStringsContent[] = {
    {900, u"Abbrechen"},
    {1900, u"Cancel"},
};
const std::size_t kStringsContentSize = std::size(kStringsContent);
