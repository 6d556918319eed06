#include "platform/stringtable_data.h"

#include <iterator>

// Texts of this area (see platform/stringtable_data.h for the id ranges; English + 1000).
const StringTableItem kStringsApp[] = {
    {0, u""}, // placeholder so the block is never empty
};
const std::size_t kStringsAppSize = std::size(kStringsApp);
