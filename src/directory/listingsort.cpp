#include "directory/listingsort.h"

#include <algorithm>

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
        return ListedBefore(collator, a, b);
    });
}
