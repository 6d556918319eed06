#pragma once
#include "platform/dialogs.h"

#include <functional>
#include <QList>
#include <QStringList>
#include <variant>

// Answers the program's questions from a queue prepared by the test. An unexpected
// question fails the test and is answered with Cancel.
class ScriptedDialogs : public Dialogs {
public:
    enum class Kind {
        Message,
        OpenFile,
        SaveFile,
        Color,
        PrintDialog,
        PrinterSetup,
        Window,
        Progress,
        Folder
    };

    // Queue answers, in the order the program will ask.
    ScriptedDialogs& answerMessage(MsgResult result);
    ScriptedDialogs& answerOpenFile(std::optional<QString> path);
    ScriptedDialogs& answerSaveFile(std::optional<QString> path);
    ScriptedDialogs& answerColor(std::optional<qint32> color);
    ScriptedDialogs& answerPrintDialog(bool ok);
    ScriptedDialogs& answerPrinterSetup(bool ok);
    // A window of the program's own: it is "shown" (gets its show event), then answer works
    // its controls and returns the result. Asked::text holds the window's object name.
    ScriptedDialogs& answerFolder(std::optional<QString> path);
    ScriptedDialogs& answerWindow(std::function<int(QDialog&)> answer);
    // The next progress window is cancelled by the user before the work gets anywhere.
    // Without this, work shown with progress simply runs to its end (nothing to answer).
    ScriptedDialogs& cancelNextProgress();

    // What was asked, for checks.
    struct Asked {
        Kind kind;
        MsgKind msgKind = MsgKind::Information;
        MsgButtons buttons = MsgButtons::Ok;
        QString text;              // message text
        FileDialogRequest request; // file dialogs
        qint32 initialColor = 0;
    };
    const QList<Asked>& asked() const { return asked_; }
    QStringList messages() const; // texts of all message boxes so far
    const QStringList& opened() const { return opened_; }
    bool allAnswered() const { return queue_.isEmpty(); }
    void clear();

    MsgResult message(MsgKind kind, MsgButtons buttons, const QString& text) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    std::optional<qint32> chooseColor(qint32 initial) override;
    void openInBrowser(const QString& fileOrUrl) override;
    bool printDialog(QPrinter& printer) override;
    bool printerSetupDialog(QPrinter& printer) override;
    int execDialog(QDialog& dialog) override;
    bool runWithProgress(const QString& title, BackgroundWork& work) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& directory) override;

private:
    struct Answer {
        Kind kind;
        MsgResult msg = MsgResult::Cancel;
        std::optional<QString> path;
        std::optional<qint32> color;
        bool ok = false;
        std::function<int(QDialog&)> window;
    };
    bool take(Kind kind, Answer& out, const QString& what);
    QList<Answer> queue_;
    QList<Asked> asked_;
    QStringList opened_;
    bool cancelProgress_ = false;
};
