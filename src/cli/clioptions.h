#pragma once
#include "render/layouts.h"
#include "render/sheetmarks.h"

#include <optional>
#include <QString>
#include <QStringList>

// The command line of zarvex-cli, parsed and checked, without touching any file.
enum class CliCommand { None, Sheets, Render, Dump, Convert, Scan, Listing };

// Exit status: success, bad input (a file), usage error (the command line).
enum CliExit { CliOk = 0, CliBadInput = 1, CliUsageError = 2 };

struct CliOptions {
    CliCommand command = CliCommand::None;
    QString commandName;
    bool help = false;
    bool version = false;
    QString progDir;    // empty: the executable's folder
    QString language;   // "de", "en" or empty (the settings file decides)
    QStringList inputs; // positional arguments after the command
    QString output;     // -o
    QString paper = QStringLiteral("a4");
    SheetMarks marks; // sheets: --bleed MM, --crop-marks
    bool selectionGiven = false;
    PrintSelection selection; // everything when no selection option is given
    int side = -1;            // 0..3 (given as 1..4)
    int sheet = -1;           // 0-based (given 1-based)
    double zoom = 1.0;
    int depth = 8;                   // 1..8
    std::optional<QString> fileMask; // files mode with this mask
    QString imageFolder;             // start folder inside a disc image; empty: its top
    bool audioComments = false;      // files get their tags and playing time as comments
    bool audioCd = false;            // the input is an audio CD drive or disc image
};

class CliParser {
public:
    struct Result {
        CliOptions options;
        // A usage error: the string id of its text and the text's arguments (id 0: none).
        // Kept apart from the text so it can be shown in the language the options chose.
        int errorId = 0;
        QStringList errorArgs;
        bool ok() const { return errorId == 0; }
    };

    // args without the program name.
    static Result parse(const QStringList& args);

    // The one line of a usage error in the current language.
    static QString errorText(const Result& result);

    // The help of one command, or the overview for CliCommand::None.
    static QString helpText(CliCommand command);

    static CliCommand commandFor(const QString& name);
    // The selection as the print selection dialog would hold it after these options.
    static PrintSelection selectionFor(bool frontOutside, bool frontInside, bool fronts,
                                       bool backs);
};
