#include "platform/usersettings.h"

#include <QStandardPaths>

QString UserSettingsFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/zarvex/zarvex.conf");
}
