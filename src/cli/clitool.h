#pragma once
#include "cli/clioptions.h"

#include <QStringList>
#include <QTextStream>

// zarvex-cli as a whole: parses the command line, chooses the program folder and the
// message language, runs the command and turns every failure into one line on err and an
// exit status. Never waits for a user.
class CliTool {
public:
    CliTool(QTextStream& out, QTextStream& err) : out_(out), err_(err) {}

    // args without the program name. showProgress: a long scan shows its progress on err.
    int run(const QStringList& args, bool showProgress = false);

    // The language offset for the options: --lang, else the settings file's "sprache"
    // (49 German), else English.
    static int languageOffset(const CliOptions& options);

private:
    int dispatch(const CliOptions& options, bool showProgress);
    QTextStream& out_;
    QTextStream& err_;
};
