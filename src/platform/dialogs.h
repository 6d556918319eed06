#pragma once
#include "platform/backgroundwork.h"

#include <optional>
#include <QString>
#include <QtGlobal>

class QDialog;
class QPrinter;

// Everything that waits for the user goes through this interface, so tests can answer it
// from a script (tests/support/scripteddialogs.h) and the command-line tool never blocks.
enum class MsgKind { Information, Warning, Confirmation, Error };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };

struct FileDialogRequest {
    QString title;
    QString filter;        // "Description|*.A;*.B|Description|*.C" as the program's tables give it
    QString directory;     // start folder
    QString fileName;      // preset file name (may be empty)
    QString defaultSuffix; // without dot, e.g. "zvx"
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MsgResult message(MsgKind kind, MsgButtons buttons, const QString& text) = 0;
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;
    // Colours are 0x00BBGGRR values; nullopt when the user cancels.
    virtual std::optional<qint32> chooseColor(qint32 initial) = 0;
    // Hands a local file or a web address to the desktop (browser); the result is not examined.
    virtual void openInBrowser(const QString& fileOrUrl) = 0;
    // Printer dialogs: true when the user confirmed.
    virtual bool printDialog(QPrinter& printer) = 0;
    virtual bool printerSetupDialog(QPrinter& printer) = 0;
    // Shows one of the program's own modal windows (print selection, printer calibration)
    // and returns its result (QDialog::Accepted or Rejected).
    virtual int execDialog(QDialog& dialog) = 0;
    // Runs work while a progress window titled title shows its text and a Cancel button;
    // returns once the work has ended. False when the user cancelled. Without a window (the
    // command-line tool, tests) the work simply runs on the calling thread.
    virtual bool runWithProgress(const QString& title, BackgroundWork& work) {
        Q_UNUSED(title);
        work.run();
        return true;
    }
    // The desktop's folder chooser, starting in directory; nullopt when the user cancels
    // (and where there is nobody to ask).
    virtual std::optional<QString> chooseFolder(const QString& title, const QString& directory) {
        Q_UNUSED(title);
        Q_UNUSED(directory);
        return std::nullopt;
    }
};

// Converts "Desc|*.A;*.B|..." into Qt name filters that match whatever the letter case.
QStringList qtNameFilters(const QString& windowsFilter);
