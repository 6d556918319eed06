#include "platform/toolkitlanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool ApplyToolkitLanguage(int sprache) {
    // One translator for the program's life; the language may be applied more than once.
    static QTranslator* translator = nullptr;
    if (translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
        translator = nullptr;
    }
    if (sprache != 49) return true;
    auto* german = new QTranslator;
    if (!german->load(QStringLiteral("qtbase_de"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete german;
        return false;
    }
    QCoreApplication::installTranslator(german);
    translator = german;
    return true;
}
