#include "platform/fontlist.h"

#include <algorithm>
#include <QFontDatabase>

QStringList BuildSchriftListe(const QStringList& families) {
    QStringList list;
    for (const QString& f : families)
        if (!f.trimmed().isEmpty()) list << f;
    std::stable_sort(list.begin(), list.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    // A sorted list that ignores duplicates compares names without letter case.
    list.erase(std::unique(list.begin(), list.end(),
                           [](const QString& a, const QString& b) {
                               return a.compare(b, Qt::CaseInsensitive) == 0;
                           }),
               list.end());
    if (list.isEmpty()) list << QStringLiteral("Times New Roman");
    return list;
}

QStringList SchriftListe() {
    QStringList scalable;
    for (const QString& family : QFontDatabase::families())
        if (QFontDatabase::isScalable(family) && !QFontDatabase::isPrivateFamily(family))
            scalable << family;
    return BuildSchriftListe(scalable);
}
