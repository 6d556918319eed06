#include "directory/listingsort.h"

#include <algorithm>
#include <numeric>
#include <QHash>
#include <vector>

QCollator ListingCollator() {
    QLocale locale;
    if (locale.language() == QLocale::C) locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    return collator;
}

void SortFolderNames(QStringList& names) {
    const QCollator collator = ListingCollator();
    std::stable_sort(names.begin(), names.end(), [&](const QString& a, const QString& b) {
        const int c = collator.compare(a, b);
        return c != 0 ? c < 0 : a < b;
    });
}

QString IndentEntryName(QStringView key) {
    const qsizetype last = key.lastIndexOf(kKeySeparator);
    const qsizetype separators = key.count(kKeySeparator);
    const QStringView name = last < 0 ? key : key.sliced(last + 1);
    const qsizetype indent = std::max<qsizetype>(0, separators - 1);
    QString line(indent + name.size(), Qt::Uninitialized);
    std::fill_n(line.data(), indent, QChar(u' '));
    std::copy(name.begin(), name.end(), line.data() + indent);
    return line;
}

void SortAndIndentListing(DirectoryListing& listing) {
    SortAndIndentListing(listing, ListingCollator());
}

// Keys are compared component by component, which is what comparing whole paths gives when
// the separator sorts before every other character. Comparing the raw strings instead lets
// the collation put "/A B/x" between "/A" and "/A/x" (space sorts before "/"), which would
// hang "x" below the wrong folder. Each distinct component is collated once and replaced by
// its rank, so the sort itself compares small integers.
void SortAndIndentListing(DirectoryListing& listing, const QCollator& collator) {
    const qsizetype count = listing.size() / 2; // entry lines at 1, 3, ..., 2*count-1
    if (count == 0) return;

    // Split every key into components and give each distinct component an id.
    std::vector<int> componentIds; // all keys, one after the other
    std::vector<qsizetype> keyStart(count + 1);
    QHash<QStringView, int> idOf;
    std::vector<QStringView> names;
    componentIds.reserve(count * 4);
    idOf.reserve(count);
    for (qsizetype k = 0; k < count; ++k) {
        keyStart[k] = qsizetype(componentIds.size());
        const QString& key = listing.at(2 * k + 1);
        qsizetype from = key.startsWith(kKeySeparator) ? 1 : 0;
        while (true) {
            qsizetype to = key.indexOf(kKeySeparator, from);
            if (to < 0) to = key.size();
            const QStringView part = QStringView(key).sliced(from, to - from);
            auto it = idOf.constFind(part);
            if (it == idOf.constEnd()) {
                it = idOf.insert(part, int(names.size()));
                names.push_back(part);
            }
            componentIds.push_back(*it);
            if (to == key.size()) break;
            from = to + 1;
        }
    }
    keyStart[count] = qsizetype(componentIds.size());

    // Rank the distinct components: collation first, exact comparison as the tie-break.
    std::vector<QCollatorSortKey> sortKeys;
    sortKeys.reserve(names.size());
    for (QStringView n : names)
        sortKeys.push_back(collator.sortKey(n.toString()));
    std::vector<int> byName(names.size());
    std::iota(byName.begin(), byName.end(), 0);
    std::sort(byName.begin(), byName.end(), [&](int a, int b) {
        const int c = sortKeys[a].compare(sortKeys[b]);
        if (c != 0) return c < 0;
        return names[a].compare(names[b]) < 0;
    });
    std::vector<int> rank(names.size());
    for (std::size_t i = 0; i < byName.size(); ++i)
        rank[byName[i]] = int(i);
    for (int& id : componentIds)
        id = rank[id];

    // Order the keys by their rank sequences; a folder comes before its contents.
    std::vector<qsizetype> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return std::lexicographical_compare(
            componentIds.begin() + keyStart[a], componentIds.begin() + keyStart[a + 1],
            componentIds.begin() + keyStart[b], componentIds.begin() + keyStart[b + 1]);
    });

    QStringList lines(count), comments(count);
    for (qsizetype j = 0; j < count; ++j) {
        lines[j] = IndentEntryName(listing.at(2 * order[j] + 1));
        if (2 * order[j] + 2 < listing.size()) comments[j] = listing.at(2 * order[j] + 2);
    }
    // The views into the old keys die here, after the last use.
    idOf.clear();
    names.clear();
    for (qsizetype j = 0; j < count; ++j) {
        listing[2 * j + 1] = std::move(lines[j]);
        if (2 * j + 2 < listing.size()) listing[2 * j + 2] = std::move(comments[j]);
    }
}
