#include "content/textfilecommands.h"
#include "platform/busycursor.h"
#include "platform/paths.h"
#include "platform/stringtable.h"
#include "platform/textcodec.h"

#include <QFileInfo>

namespace {
constexpr int IdLoadTextTitle = 353;
constexpr int IdSaveTextTitle = 354;
constexpr int IdMsgOverwrite = 804; // "existiert bereits! Überschreiben?"

FileDialogRequest textRequest(int titleId) {
    FileDialogRequest r;
    r.title = LadeText(titleId);
    r.filter = QStringLiteral("Text (TXT)|*.txt");
    r.directory = ProgSubDir(QStringLiteral("TEXTE"));
    r.defaultSuffix = QStringLiteral("txt");
    return r;
}
} // namespace

FileDialogRequest TextFileCommands::openRequest() const {
    return textRequest(IdLoadTextTitle);
}
FileDialogRequest TextFileCommands::saveRequest() const {
    return textRequest(IdSaveTextTitle);
}

QString TextFileCommands::TextFromLines(const QStringList& lines) {
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

QByteArray TextFileCommands::FileBytes(const QString& working) {
    return encodeText(working + QLatin1String("\r\n"));
}

bool TextFileCommands::BtnLadenClick(QString& working) {
    const std::optional<QString> path = dialogs_.openFile(openRequest());
    if (!path) return false;
    BusyCursor busy;
    // Read first, replace after: a file that cannot be read keeps the text the user has.
    working = TextFromLines(readTextLines(*path));
    return true;
}

bool TextFileCommands::BtnSpeichernClick(const QString& working) {
    const std::optional<QString> path = dialogs_.saveFile(saveRequest());
    if (!path) return false;
    if (QFileInfo::exists(*path)) {
        const QString question =
            fileNamePart(*path).toUpper() + QLatin1Char(' ') + LadeText(IdMsgOverwrite);
        if (dialogs_.message(MsgKind::Warning, MsgButtons::OkCancel, question) != MsgResult::Ok)
            return false;
    }
    BusyCursor busy;
    writeFileSafely(*path, FileBytes(working));
    return true;
}
