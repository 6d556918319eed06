#pragma once
#include "platform/dialogs.h"

// The real dialogs, shown modally over the active window.
class QtDialogs : public Dialogs {
public:
    // Message boxes carry the program title, not the executable's name.
    void setTitle(const QString& title) { title_ = title; }
    MsgResult message(MsgKind kind, MsgButtons buttons, const QString& text) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    std::optional<qint32> chooseColor(qint32 initial) override;
    void openInBrowser(const QString& fileOrUrl) override;
    bool printDialog(QPrinter& printer) override;
    bool printerSetupDialog(QPrinter& printer) override;
    int execDialog(QDialog& dialog) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& directory) override;

private:
    QString title_;
    bool runWithProgress(const QString& title, BackgroundWork& work) override;
};
