#include "app/externalopen.h"
#include "app/sdimain.h"
#include "platform/apperror.h"
#include "platform/instancechannel.h"
#include "platform/instanceguard.h"
#include "platform/programresources.h"
#include "platform/qtdialogs.h"
#include "platform/stringtable.h"
#include "platform/userprogdir.h"
#include "platform/versioninfo.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TKVVersionInfo version;
    version.read();
    // A cover file named on the command line, as a file manager passes it.
    QString file;
    for (const QString& arg : app.arguments().mid(1))
        if (!arg.startsWith(QLatin1Char('-'))) {
            file = QFileInfo(arg).absoluteFilePath();
            break;
        }
    // Only one copy runs. A second start hands its file to the running copy; without a file,
    // or when that copy does not answer, it beeps and ends without a word.
    const QString instanceName = QStringLiteral("PREVINST:") + version.ProductName();
    SingleInstanceGuard guard(instanceName);
    if (!guard.isFirst()) {
        if (file.isEmpty() || !InstanceChannel::send(instanceName, file)) QApplication::beep();
        return 0;
    }
    QApplication::setWindowIcon(QIcon(ProgramImagePath(QStringLiteral("zarvex.svg"))));
    QtDialogs dialogs;
    try {
        UserProgramDir::apply(QCoreApplication::applicationDirPath());
    } catch (const AppError& e) {
        // The language is not chosen yet: the desktop's language decides this one message.
        SetLanguageOffset(QLocale::system().language() == QLocale::German ? 0 : 1000);
        dialogs.message(MsgKind::Error, MsgButtons::Ok, e.message());
        return 1;
    }
    TSDIAppForm window(dialogs);
    dialogs.setTitle(window.ProgTitel);
    ExternalOpen externalOpen(window);
    InstanceChannel channel(instanceName);
    QObject::connect(&channel, &InstanceChannel::fileReceived, &externalOpen, &ExternalOpen::open);
    channel.listen();
    window.show();
    if (!file.isEmpty()) externalOpen.open(file);
    return app.exec();
}
