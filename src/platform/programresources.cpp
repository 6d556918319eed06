#include "platform/programresources.h"

// Q_INIT_RESOURCE must be used outside any namespace.
static void registerResources() {
    Q_INIT_RESOURCE(zarvex);
}

void InitProgramResources() {
    static const bool done = (registerResources(), true);
    (void)done;
}

QString ProgramImagePath(const QString& name) {
    InitProgramResources();
    return QStringLiteral(":/images/") + name;
}
