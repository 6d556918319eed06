#include "cli/clitool.h"
#include "cli/clidialogs.h"
#include "cli/clistrings.h"
#include "cli/covercommands.h"
#include "cli/listingcommands.h"
#include "platform/apperror.h"
#include "platform/inifile.h"
#include "platform/paths.h"
#include "platform/stringtable.h"
#include "platform/userprogdir.h"
#include "platform/versioninfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

int CliTool::languageOffset(const CliOptions& options) {
    if (options.language == QStringLiteral("de")) return 0;
    if (options.language == QStringLiteral("en")) return 1000;
    // The window program's settings file, whatever this executable is called.
    const IniFile ini(resolveCaseInsensitive(ProgDir() + QStringLiteral("zarvex.INI")));
    return LanguageOffsetFor(
        ini.readInteger(QStringLiteral("EINSTELLUNGEN"), QStringLiteral("sprache"), 0));
}

int CliTool::run(const QStringList& args, bool showProgress) {
    const CliParser::Result parsed = CliParser::parse(args);
    const CliOptions& o = parsed.options;
    const bool progDirOk = o.progDir.isEmpty() || QFileInfo(o.progDir).isDir();
    if (!o.progDir.isEmpty() && progDirOk) SetProgDir(QDir(o.progDir).absolutePath());
    // Without --progdir the tool works in the window program's folders: for an installed
    // program the user's own, made at the first run that needs them.
    QString userDirError;
    if (o.progDir.isEmpty()) {
        const QString exeDir = QCoreApplication::applicationDirPath();
        try {
            if (o.help || o.version || !parsed.ok())
                SetProgDir(UserProgramDir::programDirFor(exeDir));
            else
                UserProgramDir::apply(exeDir);
        } catch (const AppError& e) {
            userDirError = e.message();
        }
    }
    SetLanguageOffset(languageOffset(o));

    if (!parsed.ok()) {
        err_ << CliDialogs::oneLine(CliParser::errorText(parsed)) << Qt::endl;
        return CliUsageError;
    }
    if (o.help) {
        out_ << CliParser::helpText(o.command) << Qt::flush;
        return CliOk;
    }
    if (o.version) {
        TKVVersionInfo info;
        info.read();
        out_ << QStringLiteral("zarvex-cli ") << info.FileVersion() << Qt::endl;
        return CliOk;
    }
    if (!userDirError.isEmpty()) {
        err_ << CliDialogs::oneLine(userDirError) << Qt::endl;
        return CliBadInput;
    }
    if (!progDirOk) {
        err_ << CliDialogs::oneLine(LadeTextArg(StrCliFolderUnreadable, o.progDir)) << Qt::endl;
        return CliBadInput;
    }
    try {
        return dispatch(o, showProgress);
    } catch (const AppError& e) {
        err_ << CliDialogs::oneLine(e.message()) << Qt::endl;
    } catch (const std::exception& e) {
        err_ << CliDialogs::oneLine(QString::fromLocal8Bit(e.what())) << Qt::endl;
    }
    return CliBadInput;
}

int CliTool::dispatch(const CliOptions& o, bool showProgress) {
    CoverCommands cover(o, out_, err_);
    CliDialogs dialogs(err_);
    ListingCommands listing(o, err_, dialogs, showProgress);
    switch (o.command) {
    case CliCommand::Sheets:
        return cover.sheets();
    case CliCommand::Render:
        return cover.render();
    case CliCommand::Dump:
        return cover.dump();
    case CliCommand::Convert:
        return cover.convert();
    case CliCommand::Scan:
        return listing.scan();
    case CliCommand::Listing:
        return listing.listing();
    case CliCommand::None:
        break;
    }
    return CliUsageError;
}
