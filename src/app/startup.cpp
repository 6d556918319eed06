#include "app/startup.h"
#include "platform/inifile.h"

#include <QDir>

QString IniNameFor(const QString& exeName) {
    const qsizetype dot = exeName.lastIndexOf(QLatin1Char('.'));
    return (dot > 0 ? exeName.left(dot) : exeName) + QStringLiteral(".INI");
}

int ChooseLanguage(int sprache, const IniFile& ini, const std::function<int()>& ask) {
    if (sprache != 0) return sprache;
    sprache = ask();
    StoreLanguage(ini, sprache);
    return sprache;
}

void StoreLanguage(const IniFile& ini, int sprache) {
    if (!ini.exists() || !ini.isWritable()) return;
    try {
        ini.writeString(QStringLiteral("EINSTELLUNGEN"), QStringLiteral("sprache"),
                        QString::number(sprache));
    } catch (...) {
        // Nothing else depends on it: the old choice comes back at the next start.
    }
}
