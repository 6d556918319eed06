#include "scripteddialogs.h"

#include <QDialog>
#include <QShowEvent>
#include <QTest>
#include <utility>

static const char* kindName(ScriptedDialogs::Kind k) {
    switch (k) {
    case ScriptedDialogs::Kind::Message:
        return "message box";
    case ScriptedDialogs::Kind::OpenFile:
        return "open dialog";
    case ScriptedDialogs::Kind::SaveFile:
        return "save dialog";
    case ScriptedDialogs::Kind::Color:
        return "colour dialog";
    case ScriptedDialogs::Kind::PrintDialog:
        return "print dialog";
    case ScriptedDialogs::Kind::PrinterSetup:
        return "printer set-up dialog";
    case ScriptedDialogs::Kind::Window:
        return "window";
    case ScriptedDialogs::Kind::Progress:
        return "progress window";
    case ScriptedDialogs::Kind::Folder:
        return "folder chooser";
    }
    return "?";
}

ScriptedDialogs& ScriptedDialogs::answerMessage(MsgResult result) {
    queue_.append({Kind::Message, result, {}, {}, false, {}});
    return *this;
}
ScriptedDialogs& ScriptedDialogs::answerOpenFile(std::optional<QString> path) {
    queue_.append({Kind::OpenFile, MsgResult::Cancel, std::move(path), {}, false, {}});
    return *this;
}
ScriptedDialogs& ScriptedDialogs::answerSaveFile(std::optional<QString> path) {
    queue_.append({Kind::SaveFile, MsgResult::Cancel, std::move(path), {}, false, {}});
    return *this;
}
ScriptedDialogs& ScriptedDialogs::answerColor(std::optional<qint32> color) {
    queue_.append({Kind::Color, MsgResult::Cancel, {}, color, false, {}});
    return *this;
}
ScriptedDialogs& ScriptedDialogs::answerPrintDialog(bool ok) {
    queue_.append({Kind::PrintDialog, MsgResult::Cancel, {}, {}, ok, {}});
    return *this;
}
ScriptedDialogs& ScriptedDialogs::answerPrinterSetup(bool ok) {
    queue_.append({Kind::PrinterSetup, MsgResult::Cancel, {}, {}, ok, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::answerFolder(std::optional<QString> path) {
    queue_.append({Kind::Folder, MsgResult::Cancel, std::move(path), {}, false, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::answerWindow(std::function<int(QDialog&)> answer) {
    queue_.append({Kind::Window, MsgResult::Cancel, {}, {}, false, std::move(answer)});
    return *this;
}

QStringList ScriptedDialogs::messages() const {
    QStringList out;
    for (const Asked& a : asked_)
        if (a.kind == Kind::Message) out << a.text;
    return out;
}

void ScriptedDialogs::clear() {
    queue_.clear();
    asked_.clear();
    opened_.clear();
}

bool ScriptedDialogs::take(Kind kind, Answer& out, const QString& what) {
    if (queue_.isEmpty() || queue_.first().kind != kind) {
        const QByteArray msg =
            QStringLiteral("unexpected %1: %2 (next scripted answer: %3)")
                .arg(QLatin1String(kindName(kind)), what,
                     queue_.isEmpty() ? QStringLiteral("none")
                                      : QLatin1String(kindName(queue_.first().kind)))
                .toUtf8();
        QTest::qFail(msg.constData(), __FILE__, __LINE__);
        return false;
    }
    out = queue_.takeFirst();
    return true;
}

MsgResult ScriptedDialogs::message(MsgKind kind, MsgButtons buttons, const QString& text) {
    asked_.append({Kind::Message, kind, buttons, text, {}, 0});
    Answer a;
    return take(Kind::Message, a, text) ? a.msg : MsgResult::Cancel;
}

std::optional<QString> ScriptedDialogs::openFile(const FileDialogRequest& request) {
    asked_.append({Kind::OpenFile, MsgKind::Information, MsgButtons::Ok, {}, request, 0});
    Answer a;
    return take(Kind::OpenFile, a, request.title) ? a.path : std::nullopt;
}

std::optional<QString> ScriptedDialogs::saveFile(const FileDialogRequest& request) {
    asked_.append({Kind::SaveFile, MsgKind::Information, MsgButtons::Ok, {}, request, 0});
    Answer a;
    return take(Kind::SaveFile, a, request.title) ? a.path : std::nullopt;
}

std::optional<qint32> ScriptedDialogs::chooseColor(qint32 initial) {
    asked_.append({Kind::Color, MsgKind::Information, MsgButtons::Ok, {}, {}, initial});
    Answer a;
    return take(Kind::Color, a, QString::number(initial)) ? a.color : std::nullopt;
}

void ScriptedDialogs::openInBrowser(const QString& fileOrUrl) {
    opened_ << fileOrUrl;
}

bool ScriptedDialogs::printDialog(QPrinter&) {
    asked_.append({Kind::PrintDialog, MsgKind::Information, MsgButtons::Ok, {}, {}, 0});
    Answer a;
    return take(Kind::PrintDialog, a, QString()) && a.ok;
}

bool ScriptedDialogs::printerSetupDialog(QPrinter&) {
    asked_.append({Kind::PrinterSetup, MsgKind::Information, MsgButtons::Ok, {}, {}, 0});
    Answer a;
    return take(Kind::PrinterSetup, a, QString()) && a.ok;
}

int ScriptedDialogs::execDialog(QDialog& dialog) {
    asked_.append({Kind::Window, MsgKind::Information, MsgButtons::Ok, dialog.objectName(), {}, 0});
    Answer a;
    if (!take(Kind::Window, a, dialog.objectName())) return QDialog::Rejected;
    QShowEvent show;
    QCoreApplication::sendEvent(&dialog, &show); // what showing it would run first
    return a.window ? a.window(dialog) : QDialog::Rejected;
}

ScriptedDialogs& ScriptedDialogs::cancelNextProgress() {
    cancelProgress_ = true;
    return *this;
}

bool ScriptedDialogs::runWithProgress(const QString& title, BackgroundWork& work) {
    asked_.append({Kind::Progress, MsgKind::Information, MsgButtons::Ok, title, {}, 0});
    const bool cancel = std::exchange(cancelProgress_, false);
    if (cancel) work.cancel();
    work.run();
    return !cancel;
}

std::optional<QString> ScriptedDialogs::chooseFolder(const QString& title,
                                                     const QString& directory) {
    FileDialogRequest request;
    request.title = title;
    request.directory = directory;
    asked_.append({Kind::Folder, MsgKind::Information, MsgButtons::Ok, {}, request, 0});
    Answer a;
    return take(Kind::Folder, a, title) ? a.path : std::nullopt;
}
