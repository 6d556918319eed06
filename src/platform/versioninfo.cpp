#include "platform/versioninfo.h"

bool TKVVersionInfo::read() {
    Major = ZARVEX_VERSION_MAJOR;
    Minor = ZARVEX_VERSION_MINOR;
    Release = ZARVEX_VERSION_RELEASE;
    Build = ZARVEX_VERSION_BUILD;
    const QString version =
        QStringLiteral("%1.%2.%3.%4").arg(Major).arg(Minor).arg(Release).arg(Build);
    Strings = {
        QStringLiteral("040704E4"),                     // German, Windows-1252
        QStringLiteral("Zarvex project"),               // CompanyName
        QStringLiteral("Zarvex! CD cover designer"),    // FileDescription
        version,                                        // FileVersion
        QStringLiteral("zarvex"),                       // InternalName
        QStringLiteral("Copyright the Zarvex authors"), // LegalCopyright
        QString(),                                      // LegalTrademarks
        QStringLiteral("zarvex"),                       // OriginalFilename
        QStringLiteral("Zarvex!"),                      // ProductName
        QStringLiteral("%1.%2").arg(Major).arg(Minor),  // ProductVersion
        QStringLiteral("CD case inserts at true size"), // the entry after ProductVersion
    };
    return true;
}
