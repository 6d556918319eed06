#include "app/sdimain.h"
#include "platform/instanceguard.h"
#include "platform/programresources.h"
#include "platform/qtdialogs.h"
#include "platform/versioninfo.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TKVVersionInfo version;
    version.read();
    // Only one copy runs; a second start beeps and ends without a word.
    SingleInstanceGuard guard(QStringLiteral("PREVINST:") + version.ProductName());
    if (!guard.isFirst()) {
        QApplication::beep();
        return 0;
    }
    QApplication::setWindowIcon(QIcon(ProgramImagePath(QStringLiteral("zarvex.svg"))));
    QtDialogs dialogs;
    TSDIAppForm window(dialogs);
    dialogs.setTitle(window.ProgTitel);
    window.show();
    return app.exec();
}
