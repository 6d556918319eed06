#include "cli/clitool.h"

#include <cstdio>
#include <QGuiApplication>
#include <unistd.h>

namespace {
// Qt's own notes (a missing runtime folder, font fallbacks) are not for the tool's user:
// standard error carries only the tool's messages, one line each.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "zarvex-cli: %s\n", qPrintable(text));
}
} // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application, but the tool never shows a window: it runs the same
    // without a display, in a terminal or a batch job.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("ZARVEX_CLI_QT_MESSAGES"))
        qInstallMessageHandler(quietQtMessages);
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return CliTool(out, err).run(app.arguments().mid(1), ::isatty(STDERR_FILENO) != 0);
}
