#pragma once
#include "platform/dialogs.h"

#include <QString>

// The load and save buttons of the text dialog, without the dialog: the file dialogs and the
// overwrite question go through Dialogs, the text is the dialog's working text.
class TextFileCommands {
public:
    explicit TextFileCommands(Dialogs& dialogs) : dialogs_(dialogs) {}

    // DlgOpenText and DlgSaveText: titles 353 and 354, start folder TEXTE/.
    FileDialogRequest openRequest() const;
    FileDialogRequest saveRequest() const;

    // Reads a file the user chooses: every line (ended by CR LF, CR or LF) followed by CR LF.
    // False when the user cancelled. A file that cannot be read throws AppError naming it and
    // leaves the working text as it was.
    bool BtnLadenClick(QString& working);

    // Writes the working text plus one CR LF as the whole file, after the overwrite question
    // for an existing file. False when the user cancelled. Written through a temporary file,
    // so a failed save throws AppError naming the file and leaves an old file whole.
    bool BtnSpeichernClick(const QString& working);

    // The file form of a text, and back.
    static QString TextFromLines(const QStringList& lines);
    static QByteArray FileBytes(const QString& working);

private:
    Dialogs& dialogs_;
};
