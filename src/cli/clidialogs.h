#pragma once
#include "platform/dialogs.h"

#include <QTextStream>

// The command-line tool's answers to the library's questions: nothing ever waits for a
// user. Messages go to standard error; asking to overwrite is answered yes (the user named
// the output file), every other question gets its safe answer (no, cancel, nothing chosen).
class CliDialogs : public Dialogs {
public:
    explicit CliDialogs(QTextStream& err) : err_(err) {}

    MsgResult message(MsgKind kind, MsgButtons buttons, const QString& text) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    std::optional<qint32> chooseColor(qint32 initial) override;
    void openInBrowser(const QString& fileOrUrl) override;
    bool printDialog(QPrinter& printer) override;
    bool printerSetupDialog(QPrinter& printer) override;
    int execDialog(QDialog& dialog) override;

    // A message as one line of standard error: "zarvex-cli: TEXT", its lines joined as
    // sentences.
    static QString oneLine(const QString& text);

private:
    QTextStream& err_;
};
