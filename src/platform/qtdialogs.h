#pragma once
#include "platform/dialogs.h"

// The real dialogs, shown modally over the active window.
class QtDialogs : public Dialogs {
public:
    MsgResult message(MsgKind kind, MsgButtons buttons, const QString& text) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    std::optional<qint32> chooseColor(qint32 initial) override;
    void openInBrowser(const QString& fileOrUrl) override;
    bool printDialog(QPrinter& printer) override;
    bool printerSetupDialog(QPrinter& printer) override;
    bool runWithProgress(const QString& title, BackgroundWork& work) override;
};
