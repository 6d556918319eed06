#include "platform/stringtable.h"
#include "platform/interfacenumber.h"
#include "platform/stringtable_data.h"

#include <QHash>
#include <QLocale>

namespace {
int g_offset = 1000;

const QHash<int, const char16_t*>& table() {
    static const QHash<int, const char16_t*> t = [] {
        QHash<int, const char16_t*> h;
        const std::pair<const StringTableItem*, std::size_t> blocks[] = {
            {kStringsBase, kStringsBaseSize},         {kStringsPlatform, kStringsPlatformSize},
            {kStringsDocument, kStringsDocumentSize}, {kStringsDirectory, kStringsDirectorySize},
            {kStringsApp, kStringsAppSize},           {kStringsContent, kStringsContentSize},
            {kStringsRender, kStringsRenderSize}};
        for (const auto& [items, n] : blocks)
            for (std::size_t i = 0; i < n; ++i)
                if (items[i].id > 0) h.insert(items[i].id, items[i].text);
        return h;
    }();
    return t;
}
} // namespace

int LanguageOffset() {
    return g_offset;
}
void SetLanguageOffset(int offset) {
    g_offset = offset;
}

QString StringTableEntry(int id) {
    const auto it = table().constFind(id);
    return it == table().constEnd() ? QString() : QString::fromUtf16(*it);
}

QString InterfaceNumber(qint64 n) {
    return QLocale(LanguageOffset() == 0 ? QLocale::German : QLocale::English).toString(n);
}

QString LadeText(int id) {
    QString s = StringTableEntry(id + g_offset);
    if (s.size() > 254) s.truncate(254);
    return s;
}
