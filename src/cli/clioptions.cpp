#include "cli/clioptions.h"
#include "cli/clistrings.h"
#include "directory/listingfile.h"
#include "platform/stringtable.h"

#include <QCommandLineParser>

namespace {
// Options that take a value, so the value is not taken for the command word.
const QStringList kValueOptions = {
    QStringLiteral("progdir"), QStringLiteral("lang"),  QStringLiteral("o"),
    QStringLiteral("output"),  QStringLiteral("paper"), QStringLiteral("side"),
    QStringLiteral("sheet"),   QStringLiteral("zoom"),  QStringLiteral("depth"),
    QStringLiteral("files"),   QStringLiteral("folder")};

// The synopsis of each command: the detail of "missing argument" errors and the help's
// first line.
QString synopsis(CliCommand command) {
    switch (command) {
    case CliCommand::Sheets:
        return QStringLiteral("sheets COVER.zvx -o OUT.pdf [--paper a4|letter] [--bleed MM] "
                              "[--crop-marks] [--front-outside] [--front-inside] [--back] "
                              "[--fronts] [--backs]");
    case CliCommand::Render:
        return QStringLiteral("render COVER.zvx --side N -o OUT.png|OUT.pdf [--zoom 1|1.5|2]");
    case CliCommand::Dump:
        return QStringLiteral("dump COVER.zvx (--side N | --sheet K [selection options])");
    case CliCommand::Convert:
        return QStringLiteral("convert IN.zvx OUT.zvx");
    case CliCommand::Scan:
        return QStringLiteral("scan DIR|IMAGE.iso|LIST.cue|LIST.m3u|LIST.m3u8 "
                              "-o OUT.vmk|OUT.txt|OUT.htm|OUT.html "
                              "[--depth 1..8] [--files MASK] [--folder PATH] [--audio] "
                              "[--audio-cd]");
    case CliCommand::Listing:
        return QStringLiteral("listing IN.vmk -o OUT.vmk|OUT.txt|OUT.htm|OUT.html");
    case CliCommand::None:
        break;
    }
    return QStringLiteral("COMMAND ARGUMENTS... (sheets, render, dump, convert, scan, listing)");
}

QCommandLineOption valueOption(const QStringList& names, const QString& valueName) {
    return QCommandLineOption(names, QString(), valueName);
}

bool hasExtension(const QString& path, const QStringList& extensions) {
    return extensions.contains(UpperExtension(path));
}

struct Checker {
    CliParser::Result& r;
    bool fail(int id, const QStringList& args) {
        if (r.errorId == 0) {
            r.errorId = id;
            r.errorArgs = args;
        }
        return false;
    }
    bool extension(const QString& path, const QStringList& allowed) {
        if (hasExtension(path, allowed)) return true;
        return fail(StrCliBadExtension, {path, allowed.join(QLatin1Char('|'))});
    }
    // An integer in lo..hi.
    bool integer(const QCommandLineParser& p, const QString& name, int lo, int hi, int& out) {
        bool ok = false;
        const int v = p.value(name).toInt(&ok);
        if (!ok || v < lo || v > hi)
            return fail(StrCliBadValue, {QStringLiteral("--") + name, p.value(name)});
        out = v;
        return true;
    }
};
} // namespace

CliCommand CliParser::commandFor(const QString& name) {
    static const QList<std::pair<QString, CliCommand>> names = {
        {QStringLiteral("sheets"), CliCommand::Sheets},
        {QStringLiteral("render"), CliCommand::Render},
        {QStringLiteral("dump"), CliCommand::Dump},
        {QStringLiteral("convert"), CliCommand::Convert},
        {QStringLiteral("scan"), CliCommand::Scan},
        {QStringLiteral("listing"), CliCommand::Listing}};
    for (const auto& [n, c] : names)
        if (n == name) return c;
    return CliCommand::None;
}

PrintSelection CliParser::selectionFor(bool frontOutside, bool frontInside, bool fronts,
                                       bool backs) {
    if (!frontOutside && !frontInside && !fronts && !backs) return PrintSelection{};
    // The same options serve every layout: the fronts sheet of the transparent case holds
    // both fronts, so asking for either front prints it.
    PrintSelection s;
    s.vorderAussen = fronts || frontOutside;
    s.vorderInnen = fronts || frontInside;
    s.vorderseiten = fronts || frontOutside || frontInside;
    s.rueckseite = backs;
    return s;
}

CliParser::Result CliParser::parse(const QStringList& args) {
    Result r;
    CliOptions& o = r.options;
    Checker check{r};

    // The command word is the first argument that is neither an option nor an option's
    // value; the global options are picked up on the way so that even a usage error is
    // reported in the language asked for.
    QStringList rest;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (o.command == CliCommand::None && o.commandName.isEmpty() && !a.startsWith(u'-')) {
            o.commandName = a;
            o.command = commandFor(a);
            continue;
        }
        rest << a;
        if (!a.startsWith(u'-')) continue;
        QString name = a.mid(a.startsWith(QStringLiteral("--")) ? 2 : 1);
        QString value;
        const qsizetype eq = name.indexOf(u'=');
        if (eq >= 0) {
            value = name.mid(eq + 1);
            name.truncate(eq);
        } else if (kValueOptions.contains(name) && i + 1 < args.size()) {
            value = args[++i];
            rest << value;
        }
        if (name == QStringLiteral("lang")) o.language = value;
        if (name == QStringLiteral("progdir")) o.progDir = value;
    }
    if (o.language != QStringLiteral("de") && o.language != QStringLiteral("en") &&
        !o.language.isEmpty()) {
        const QString bad = o.language;
        o.language.clear();
        check.fail(StrCliBadValue, {QStringLiteral("--lang"), bad});
        return r;
    }
    if (!o.commandName.isEmpty() && o.command == CliCommand::None) {
        check.fail(StrCliUnknownCommand, {o.commandName});
        return r;
    }

    QCommandLineParser p;
    p.addOption(valueOption({QStringLiteral("progdir")}, QStringLiteral("DIR")));
    p.addOption(valueOption({QStringLiteral("lang")}, QStringLiteral("de|en")));
    p.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    p.addOption(QCommandLineOption(QStringList{QStringLiteral("version")}));
    const bool withOutput = o.command == CliCommand::Sheets || o.command == CliCommand::Render ||
                            o.command == CliCommand::Scan || o.command == CliCommand::Listing;
    if (withOutput)
        p.addOption(
            valueOption({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("FILE")));
    const bool withSelection = o.command == CliCommand::Sheets || o.command == CliCommand::Dump;
    const QStringList selectionNames = {QStringLiteral("front-outside"),
                                        QStringLiteral("front-inside"), QStringLiteral("fronts"),
                                        QStringLiteral("back"), QStringLiteral("backs")};
    if (withSelection)
        for (const QString& n : selectionNames)
            p.addOption(QCommandLineOption(n));
    if (o.command == CliCommand::Sheets) {
        p.addOption(valueOption({QStringLiteral("paper")}, QStringLiteral("a4|letter")));
        p.addOption(valueOption({QStringLiteral("bleed")}, QStringLiteral("MM")));
        p.addOption(QCommandLineOption(QStringLiteral("crop-marks")));
    }
    if (o.command == CliCommand::Render || o.command == CliCommand::Dump)
        p.addOption(valueOption({QStringLiteral("side")}, QStringLiteral("N")));
    if (o.command == CliCommand::Render)
        p.addOption(valueOption({QStringLiteral("zoom")}, QStringLiteral("1|1.5|2")));
    if (o.command == CliCommand::Dump)
        p.addOption(valueOption({QStringLiteral("sheet")}, QStringLiteral("K")));
    if (o.command == CliCommand::Scan) {
        p.addOption(valueOption({QStringLiteral("depth")}, QStringLiteral("1..8")));
        p.addOption(valueOption({QStringLiteral("files")}, QStringLiteral("MASK")));
        p.addOption(valueOption({QStringLiteral("folder")}, QStringLiteral("PATH")));
        p.addOption(QCommandLineOption(QStringLiteral("audio")));
        p.addOption(QCommandLineOption(QStringLiteral("audio-cd")));
    }

    if (!p.parse(QStringList{QStringLiteral("zarvex-cli")} + rest)) {
        check.fail(StrCliUsage, {p.errorText()}); // already the whole text, see errorText
        return r;
    }
    o.help = p.isSet(QStringLiteral("help"));
    o.version = p.isSet(QStringLiteral("version"));
    if (o.help || o.version) return r;
    if (o.command == CliCommand::None) {
        check.fail(StrCliUsage, {synopsis(CliCommand::None)});
        return r;
    }

    o.inputs = p.positionalArguments();
    const qsizetype wanted = o.command == CliCommand::Convert ? 2 : 1;
    if (o.inputs.size() != wanted || (withOutput && !p.isSet(QStringLiteral("output")))) {
        check.fail(StrCliUsage, {synopsis(o.command)});
        return r;
    }
    if (withOutput) o.output = p.value(QStringLiteral("output"));

    const QStringList listingForms = {QStringLiteral(".VMK"), QStringLiteral(".TXT"),
                                      QStringLiteral(".HTM"), QStringLiteral(".HTML")};
    switch (o.command) {
    case CliCommand::Sheets:
        check.extension(o.output, {QStringLiteral(".PDF")});
        if (p.isSet(QStringLiteral("paper"))) {
            o.paper = p.value(QStringLiteral("paper")).toLower();
            if (o.paper != QStringLiteral("a4") && o.paper != QStringLiteral("letter"))
                check.fail(StrCliBadValue, {QStringLiteral("--paper"), o.paper});
        }
        if (p.isSet(QStringLiteral("bleed"))) {
            const QString mm = p.value(QStringLiteral("bleed"));
            bool ok = false;
            o.marks.bleedMm = mm.toDouble(&ok);
            if (!ok || o.marks.bleedMm < 0 || o.marks.bleedMm > SheetMarks::MaxBleedMm)
                check.fail(StrCliBadValue, {QStringLiteral("--bleed"), mm});
        }
        o.marks.cropMarks = p.isSet(QStringLiteral("crop-marks"));
        break;
    case CliCommand::Render: {
        check.extension(o.output, {QStringLiteral(".PNG"), QStringLiteral(".PDF")});
        int side = 0;
        if (!p.isSet(QStringLiteral("side")))
            check.fail(StrCliUsage, {synopsis(o.command)});
        else if (check.integer(p, QStringLiteral("side"), 1, 4, side))
            o.side = side - 1;
        if (p.isSet(QStringLiteral("zoom"))) {
            const QString z = p.value(QStringLiteral("zoom"));
            bool ok = false;
            o.zoom = z.toDouble(&ok);
            if (!ok || (o.zoom != 1.0 && o.zoom != 1.5 && o.zoom != 2.0))
                check.fail(StrCliBadValue, {QStringLiteral("--zoom"), z});
        }
        break;
    }
    case CliCommand::Dump: {
        const bool bySide = p.isSet(QStringLiteral("side"));
        const bool bySheet = p.isSet(QStringLiteral("sheet"));
        int n = 0;
        if (bySide == bySheet)
            check.fail(StrCliUsage, {synopsis(o.command)});
        else if (bySide && check.integer(p, QStringLiteral("side"), 1, 4, n))
            o.side = n - 1;
        else if (bySheet && check.integer(p, QStringLiteral("sheet"), 1, 99, n))
            o.sheet = n - 1;
        break;
    }
    case CliCommand::Convert:
        check.extension(o.inputs.value(1), {QStringLiteral(".ZVX")});
        break;
    case CliCommand::Scan:
        check.extension(o.output, listingForms);
        if (p.isSet(QStringLiteral("depth")))
            check.integer(p, QStringLiteral("depth"), 1, 8, o.depth);
        if (p.isSet(QStringLiteral("files"))) o.fileMask = p.value(QStringLiteral("files"));
        if (p.isSet(QStringLiteral("folder"))) o.imageFolder = p.value(QStringLiteral("folder"));
        o.audioComments = p.isSet(QStringLiteral("audio"));
        o.audioCd = p.isSet(QStringLiteral("audio-cd"));
        break;
    case CliCommand::Listing:
        check.extension(o.inputs.value(0), {QStringLiteral(".VMK")});
        check.extension(o.output, listingForms);
        break;
    case CliCommand::None:
        break;
    }
    if (withSelection) {
        auto on = [&](int i) { return p.isSet(selectionNames[i]); };
        o.selectionGiven = on(0) || on(1) || on(2) || on(3) || on(4);
        o.selection = selectionFor(on(0), on(1), on(2), on(3) || on(4));
    }
    return r;
}

QString CliParser::errorText(const Result& result) {
    if (result.ok()) return {};
    QString detail;
    if (result.errorId == StrCliUsage) {
        detail = result.errorArgs.value(0);
    } else {
        detail = LadeText(result.errorId);
        for (const QString& a : result.errorArgs)
            detail = detail.arg(a);
    }
    QString text = LadeTextArg(StrCliUsage, detail, result.options.commandName);
    if (result.options.command == CliCommand::None) // the overview's help
        text.replace(QStringLiteral("zarvex-cli ") + result.options.commandName + u' ',
                     QStringLiteral("zarvex-cli "));
    return text;
}

QString CliParser::helpText(CliCommand command) {
    const QString global = QStringLiteral(
        "Global options:\n"
        "  --progdir DIR   program folder (textures, pictures, settings); default: the\n"
        "                  window program's: for the installed tool the user's own\n"
        "                  ~/.local/share/zarvex (or $XDG_DATA_HOME/zarvex), for a\n"
        "                  build the staged folder the tool lies in (build/zarvex/)\n"
        "  --lang de|en    language of the messages; default: the settings file's, else\n"
        "                  English\n"
        "  -h, --help      this help\n"
        "  --version       the program's version\n"
        "Exit status: 0 success, 1 bad input (the message names the file and, for cover\n"
        "files, the line), 2 usage error.\n");
    const QString selection = QStringLiteral(
        "Selection (as in the print dialog; without any option everything is printed;\n"
        "layouts 2 and 3 always print their one sheet):\n"
        "  --front-outside  front outside (normal case; transparent case: the fronts sheet)\n"
        "  --front-inside   front inside  (normal case; transparent case: the fronts sheet)\n"
        "  --fronts         both fronts\n"
        "  --back, --backs  the back side(s)\n");
    QString text =
        QStringLiteral("Usage: zarvex-cli ") + synopsis(command) + QStringLiteral("\n\n");
    switch (command) {
    case CliCommand::None:
        text += QStringLiteral(
            "Designs of the window program without a window:\n"
            "  sheets   print sheets of a cover as a PDF at true size, one page per sheet\n"
            "  render   one side as the preview shows it (PNG) or at true size (PDF)\n"
            "  dump     the drawing of a side or a sheet as text, one element per line\n"
            "  convert  any cover file form to a version 2.0 file (the old one becomes .bak)\n"
            "  scan     read a folder tree or disc image into a listing file, text or web page\n"
            "  listing  convert a listing file into a listing file, text or web page\n"
            "'zarvex-cli COMMAND --help' describes each command.\n\n");
        break;
    case CliCommand::Sheets:
        text +=
            QStringLiteral(
                "Composes the print sheets of the cover's case layout as printing does, one PDF\n"
                "page per sheet in its orientation, at true size, each sheet at its offset from "
                "the\n"
                "top-left corner of the page.\n"
                "  -o OUT.pdf        the PDF file\n"
                "  --paper a4|letter paper size (default a4)\n"
                "  --bleed MM        backgrounds and pictures at a cut edge go on MM (0 to 5)\n"
                "                    beyond it\n"
                "  --crop-marks      5 mm marks in line with the cut edges, 3 mm outside them\n") +
            selection + u'\n';
        break;
    case CliCommand::Render:
        text += QStringLiteral(
            "Draws one side alone. PNG: exactly what the preview shows, 2 x zoom pixels per\n"
            "millimetre and a 10-pixel margin on white. PDF: at true size.\n"
            "  --side N     1 front outside, 2 front inside, 3 back outside, 4 back inside\n"
            "  --zoom Z     1, 1.5 or 2 (PNG only; default 1)\n"
            "  -o FILE      OUT.png or OUT.pdf\n\n");
        break;
    case CliCommand::Dump:
        text +=
            QStringLiteral("Prints the recorded drawing, one element per line, in 0.1 mm units:\n"
                           "  fill L T R B #RRGGBB\n"
                           "  line X1 Y1 X2 Y2 #RRGGBB\n"
                           "  polyline #RRGGBB X,Y X,Y ...\n"
                           "  text L T ANGLE CELL #RRGGBB \"FAMILY\" STYLE \"TEXT\"\n"
                           "  image L T R B KIND\n"
                           "  --side N   a side as the preview draws it (1..4, see render)\n"
                           "  --sheet K  the K-th print sheet (1 = the first page of 'sheets')\n") +
            selection + u'\n';
        break;
    case CliCommand::Convert:
        text += QStringLiteral(
            "Reads a cover file of any of the three forms and writes it as version 2.0. An\n"
            "existing OUT.zvx becomes OUT.bak, as when the window program saves.\n\n");
        break;
    case CliCommand::Scan:
        text += QStringLiteral(
            "Reads the folder tree below DIR, or inside the ISO 9660 disc image IMAGE.iso,\n"
            "or the tracks of a CUE sheet or M3U playlist, into a listing; the extension of\n"
            "the output chooses listing file (.vmk), plain text (.txt) or web page (.htm,\n"
            ".html).\n"
            "  --depth D     levels to read, 1..8 (default 8)\n"
            "  --files MASK  list files matching MASK too (e.g. \"*.mp3\"); default: folders\n"
            "                only\n"
            "  --folder PATH the folder inside the disc image to start at (e.g. /MUSIK)\n"
            "  --audio       list files (all, or those of --files) with their title and\n"
            "                playing time as comments\n"
            "  --audio-cd    read the tracks of an audio CD: a drive (/dev/sr0) or an image\n"
            "                (BIN/CUE, TOC)\n\n");
        break;
    case CliCommand::Listing:
        text += QStringLiteral(
            "Writes a listing file again as a listing file (.vmk), plain text (.txt) or web\n"
            "page (.htm, .html).\n\n");
        break;
    }
    return text + global;
}
