#include "platform/stringtable.h"
#include "platform/stringtable_data.h"

#include <algorithm>

namespace {
int g_offset = 1000;
}

int LanguageOffset() { return g_offset; }
void SetLanguageOffset(int offset) { g_offset = offset; }

QString StringTableEntry(int id) {
    const auto* begin = kStringTable;
    const auto* end = kStringTable + kStringTableSize;
    const auto* it = std::lower_bound(begin, end, id,
                                      [](const StringTableItem& e, int v) { return e.id < v; });
    if (it == end || it->id != id)
        return {};
    return QString::fromUtf16(it->text);
}

QString LadeText(int id) {
    QString s = StringTableEntry(id + g_offset);
    if (s.size() > 254)
        s.truncate(254);
    return s;
}
