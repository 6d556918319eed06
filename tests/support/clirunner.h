#pragma once
#include <QString>
#include <QStringList>

// Runs the staged zarvex-cli executable, as a user would, and keeps what it printed.
struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
    bool finished = false;
};

// Every run gets "--progdir progDir" (when given) in front of args.
CliRun runCli(const QStringList& args, const QString& progDir = QString());
QString cliExecutable();

// Page sizes of a PDF in points, from pdfinfo; empty when the file cannot be read.
QList<QSizeF> pdfPageSizes(const QString& pdf);
