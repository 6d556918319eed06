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
    if (ini.exists() && ini.isWritable()) {
        try {
            ini.writeString(QStringLiteral("EINSTELLUNGEN"), QStringLiteral("sprache"),
                            QString::number(sprache));
        } catch (...) {
            // Nothing else depends on it: the choice is asked again at the next start.
        }
    }
    return sprache;
}
