#pragma once
#include "cli/clioptions.h"
#include "document/coverdocument.h"
#include "render/fitwarnings.h"
#include "render/recording.h"

#include <QTextStream>

// The commands of zarvex-cli that read a cover file: sheets, render, dump, convert. Each
// returns the exit status; a bad file throws AppError naming it (and the line).
class CoverCommands {
public:
    CoverCommands(const CliOptions& options, QTextStream& out, QTextStream& err)
        : o_(options), out_(out), err_(err) {}

    int sheets();
    int render();
    int dump();
    int convert();

    // Reads a cover of any form as the window program opens it: into a fresh, reset
    // document; a version 2.0 file brings its case layout (an unknown one keeps layout 0).
    // Pictures that exist but cannot be loaded are reported on err and left out.
    static CoverDocument loadCover(const QString& path, QTextStream& err);

    // Margin around a single side drawn as a PDF, mm.
    static constexpr int PdfMargin = 5;

private:
    QList<SheetLayout> chosenSheets(const CoverDocument& doc) const;
    // The side's drawing as the preview records it; throws when the layout has no such side.
    Recording sideDrawing(const CoverDocument& doc) const;
    // One line on err per part that the drawing had to cut.
    void reportFit(const QList<FitWarning>& warnings) const;

    const CliOptions& o_;
    QTextStream& out_;
    QTextStream& err_;
};
