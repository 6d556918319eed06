#include "cli/clioptions.h"
#include "cli/clitool.h"

#include <cstdio>
#include <memory>
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
    // Only the commands that draw need fonts: reading a tree into a listing starts without
    // them, which saves a good part of a short run's time and memory.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const CliCommand command = CliParser::parse(args).options.command;
    std::unique_ptr<QCoreApplication> app;
    if (command == CliCommand::Scan || command == CliCommand::Listing)
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QGuiApplication>(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return CliTool(out, err).run(app->arguments().mid(1), ::isatty(STDERR_FILENO) != 0);
}
