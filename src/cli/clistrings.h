#pragma once

// Ids of the command-line tool's own texts (app/strings_app.cpp; English at id + 1000).
enum CliStringId {
    StrCliUnknownCommand = 690,   // unknown command "%1"
    StrCliBadExtension = 691,     // output file "%1" has none of the extensions %2
    StrCliBadValue = 692,         // invalid value "%2" for %1
    StrCliNoSuchSide = 693,       // "%1": side %2 does not exist in case layout %3
    StrCliNoSuchSheet = 694,      // "%1": there is no sheet %2 (%3 sheets)
    StrCliNothingToPrint = 695,   // "%1": nothing to print
    StrCliUnknownLayout = 696,    // "%1": unknown case layout %2, layout 0 is used
    StrCliFoldersRead = 697,      // progress: %1 folders read
    StrCliFolderUnreadable = 698, // the folder "%1" cannot be read
    StrCliUsage = 699,            // usage error: %1 (help: zarvex-cli %2 --help)
};
