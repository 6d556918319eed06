#include "platform/qtdialogs.h"
#include "platform/colors.h"
#include "platform/progresswindow.h"

#include <algorithm>
#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

QStringList qtNameFilters(const QString& windowsFilter) {
    QStringList out;
    const QStringList parts = windowsFilter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            for (const QString& v : {p, p.toLower(), p.toUpper()})
                if (!patterns.contains(v)) patterns << v;
        }
        out << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(QLatin1Char(' ')));
    }
    return out;
}

static QWidget* activeParent() {
    return QApplication::activeWindow();
}

MsgResult QtDialogs::message(MsgKind kind, MsgButtons buttons, const QString& text) {
    QMessageBox box(activeParent());
    box.setWindowTitle(title_.isEmpty() ? QApplication::applicationDisplayName() : title_);
    box.setText(text);
    switch (kind) {
    case MsgKind::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgKind::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgKind::Confirmation:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgKind::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MsgResult::Ok;
    case QMessageBox::Yes:
        return MsgResult::Yes;
    case QMessageBox::No:
        return MsgResult::No;
    default:
        return MsgResult::Cancel;
    }
}

namespace {
// The first extension of each filter of "Desc|*.A;*.B|Desc|*.C" ("A", "C"); empty for a
// filter without a plain one ("*.*").
QStringList filterSuffixes(const QString& windowsFilter) {
    QStringList out;
    const QStringList parts = windowsFilter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString first = parts[i + 1].section(QLatin1Char(';'), 0, 0);
        const QString suffix = first.startsWith(QLatin1String("*.")) ? first.mid(2) : QString();
        out << (suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char('?')) ? QString()
                                                                                       : suffix);
    }
    return out;
}

// Saving gives a name without an extension the chosen filter's one; opening takes a typed
// name that exists as it is and gives the default extension only to one that does not.
class ProgramFileDialog : public QFileDialog {
public:
    ProgramFileDialog(const FileDialogRequest& r, AcceptMode mode)
        : QFileDialog(activeParent(), r.title, r.directory), suffix_(r.defaultSuffix),
          filterSuffixes_(filterSuffixes(r.filter)) {
        setAcceptMode(mode);
        setFileMode(mode == AcceptOpen ? ExistingFile : AnyFile);
        setNameFilters(qtNameFilters(r.filter));
        // The program asks its own overwrite question.
        setOption(DontConfirmOverwrite, true);
        if (!r.fileName.isEmpty() && !r.fileName.contains(QLatin1Char('*'))) selectFile(r.fileName);
    }

    void accept() override {
        if (acceptMode() == AcceptSave) {
            const QString chosen =
                filterSuffixes_.value(nameFilters().indexOf(selectedNameFilter()));
            setDefaultSuffix(chosen.isEmpty() ? suffix_ : chosen);
        } else {
            setDefaultSuffix(QString());
            const QStringList typed = selectedFiles();
            const bool exist = !typed.isEmpty() &&
                               std::all_of(typed.begin(), typed.end(),
                                           [](const QString& f) { return QFileInfo::exists(f); });
            if (!exist) setDefaultSuffix(suffix_);
        }
        QFileDialog::accept();
    }

private:
    QString suffix_;
    QStringList filterSuffixes_;
};

std::optional<QString> runFileDialog(const FileDialogRequest& r, QFileDialog::AcceptMode mode) {
    ProgramFileDialog dlg(r, mode);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    return dlg.selectedFiles().constFirst();
}
} // namespace

std::optional<QString> QtDialogs::openFile(const FileDialogRequest& request) {
    return runFileDialog(request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtDialogs::saveFile(const FileDialogRequest& request) {
    return runFileDialog(request, QFileDialog::AcceptSave);
}

std::optional<QString> QtDialogs::chooseFolder(const QString& title, const QString& directory) {
    const QString chosen = QFileDialog::getExistingDirectory(activeParent(), title, directory);
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
}

std::optional<qint32> QtDialogs::chooseColor(qint32 initial) {
    const QColor c = QColorDialog::getColor(colorFromRef(initial), activeParent());
    if (!c.isValid()) return std::nullopt;
    return colorRef(c);
}

void QtDialogs::openInBrowser(const QString& fileOrUrl) {
    const bool isUrl =
        fileOrUrl.contains(QLatin1String("://")) || fileOrUrl.startsWith(QLatin1String("mailto:"));
    QDesktopServices::openUrl(isUrl ? QUrl(fileOrUrl) : QUrl::fromLocalFile(fileOrUrl));
}

bool QtDialogs::printDialog(QPrinter& printer) {
    QPrintDialog dlg(&printer, activeParent());
    return dlg.exec() == QDialog::Accepted;
}

int QtDialogs::execDialog(QDialog& dialog) {
    return dialog.exec();
}

bool QtDialogs::printerSetupDialog(QPrinter& printer) {
    QPageSetupDialog dlg(&printer, activeParent());
    return dlg.exec() == QDialog::Accepted;
}

bool QtDialogs::runWithProgress(const QString& title, BackgroundWork& work) {
    return RunWithProgressWindow(activeParent(), title, work);
}
