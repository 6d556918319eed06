#pragma once
#include <cstddef>

struct StringTableItem {
    int id;
    const char16_t* text;
};
// Sorted by id (checked by a test).
extern const StringTableItem kStringTable[];
extern const std::size_t kStringTableSize;
