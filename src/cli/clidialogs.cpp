#include "cli/clidialogs.h"
#include "platform/stringtable.h"

namespace {
constexpr int IdMsgOverwrite = 804; // "... existiert bereits! Überschreiben?"
} // namespace

// A line that ends without a mark of its own ends a sentence where the next one begins; the
// lines after one ending in a colon are the items of a list.
QString CliDialogs::oneLine(const QString& text) {
    QString line;
    bool list = false;
    for (const QString& part : text.split(u'\n', Qt::SkipEmptyParts)) {
        const QString sentence = part.simplified();
        if (sentence.isEmpty()) continue;
        if (!line.isEmpty()) {
            const QChar last = line.back();
            if (list && last != u':')
                line += u',';
            else if (!QStringLiteral(".:!?").contains(last))
                line += u'.';
            line += u' ';
        }
        if (sentence.endsWith(u':')) list = true;
        line += sentence;
    }
    return QStringLiteral("zarvex-cli: ") + line;
}

MsgResult CliDialogs::message(MsgKind kind, MsgButtons buttons, const QString& text) {
    const bool overwrite = text.contains(LadeText(IdMsgOverwrite).trimmed());
    if (!overwrite) err_ << oneLine(text) << Qt::endl;
    if (kind != MsgKind::Confirmation) return MsgResult::Ok;
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgResult::Ok;
    case MsgButtons::OkCancel:
        return overwrite ? MsgResult::Ok : MsgResult::Cancel;
    case MsgButtons::YesNo:
        return overwrite ? MsgResult::Yes : MsgResult::No;
    case MsgButtons::YesNoCancel:
        return overwrite ? MsgResult::Yes : MsgResult::Cancel;
    }
    return MsgResult::Cancel;
}

std::optional<QString> CliDialogs::openFile(const FileDialogRequest&) {
    return std::nullopt;
}

std::optional<QString> CliDialogs::saveFile(const FileDialogRequest&) {
    return std::nullopt;
}

std::optional<qint32> CliDialogs::chooseColor(qint32) {
    return std::nullopt;
}

void CliDialogs::openInBrowser(const QString&) {}

bool CliDialogs::printDialog(QPrinter&) {
    return false;
}

bool CliDialogs::printerSetupDialog(QPrinter&) {
    return false;
}

int CliDialogs::execDialog(QDialog&) {
    return 0; // QDialog::Rejected
}
