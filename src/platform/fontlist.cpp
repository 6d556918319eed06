#include "platform/fontlist.h"

#include <algorithm>
#include <QFontDatabase>
#include <QFontInfo>

namespace {
// Qt names a family that several foundries offer "C059 [urw]"; covers store the plain name.
QString plainName(const QString& family) {
    const qsizetype open = family.lastIndexOf(QLatin1Char('['));
    if (open > 0 && family.endsWith(QLatin1Char(']'))) return family.left(open).trimmed();
    return family.trimmed();
}

bool isGenericAlias(const QString& name) {
    static const QStringList aliases = {
        QStringLiteral("Sans Serif"), QStringLiteral("Sans"),      QStringLiteral("Serif"),
        QStringLiteral("Monospace"),  QStringLiteral("Mono"),      QStringLiteral("System-ui"),
        QStringLiteral("Cursive"),    QStringLiteral("Fantasy"),   QStringLiteral("Emoji"),
        QStringLiteral("Math"),       QStringLiteral("Sans-serif")};
    return aliases.contains(name, Qt::CaseInsensitive);
}

struct MetricName {
    QString name;
    QStringList compatible; // families drawn with the same widths
};

const QList<MetricName>& metricNames() {
    static const QList<MetricName> names = {
        {QStringLiteral("Times New Roman"),
         {QStringLiteral("Liberation Serif"), QStringLiteral("Tinos")}},
        {QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")}},
        {QStringLiteral("Courier New"),
         {QStringLiteral("Liberation Mono"), QStringLiteral("Cousine")}}};
    return names;
}
} // namespace

QStringList BuildSchriftListe(const QStringList& families,
                              const std::function<QString(const QString&)>& drawnWith) {
    QStringList list;
    for (const QString& f : families) {
        const QString name = plainName(f);
        if (!name.isEmpty() && !isGenericAlias(name)) list << name;
    }
    if (drawnWith) {
        for (const MetricName& m : metricNames()) {
            if (list.contains(m.name, Qt::CaseInsensitive)) continue;
            const QString used = drawnWith(m.name);
            if (m.compatible.contains(used, Qt::CaseInsensitive) &&
                list.contains(used, Qt::CaseInsensitive))
                list << m.name;
        }
    }
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
    return BuildSchriftListe(scalable,
                             [](const QString& name) { return QFontInfo(QFont(name)).family(); });
}
