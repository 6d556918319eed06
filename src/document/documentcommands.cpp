#include "document/documentcommands.h"
#include "document/documenthistory.h"
#include "document/documentstrings.h"
#include "document/documentview.h"
#include "platform/busycursor.h"
#include "platform/errorreport.h"
#include "platform/paths.h"
#include "platform/stringtable.h"

#include <QFileInfo>

namespace {
enum BaseStringId {
    StrTitleOpen = 351,
    StrTitleSaveAs = 352,
    StrAskSave = 801,
    StrOverwrite = 804,
};
} // namespace

DocumentCommands::DocumentCommands(CoverDocument& doc, Dialogs& dialogs, DocumentView& view)
    : doc_(doc), dialogs_(dialogs), view_(view) {}

QString DocumentCommands::templatePath() const {
    return ProgDir() + normalizeSeparators(vorlage_);
}

bool DocumentCommands::hasOwnFile(const QString& fileName) const {
    if (fileName == CoverDocument::UntitledName || fileName == templatePath()) return false;
    // The template reached under another spelling of the same file is still the template.
    const QFileInfo a(fileName);
    const QFileInfo b(resolveCaseInsensitive(templatePath()));
    return !(a.exists() && b.exists() && a.canonicalFilePath() == b.canonicalFilePath());
}

std::array<bool, 4> DocumentCommands::SidesInUse(int layout) {
    switch (layout) {
    case 0:
        return {true, true, true, false};
    case 1:
        return {true, true, true, true};
    default:
        return {true, true, false, false};
    }
}

void DocumentCommands::ComboCoverLayoutChange(int index) {
    if (index >= 0 && index <= 3) {
        doc_.CoverLayout = quint8(index);
        view_.showSidesInUse(SidesInUse(index));
    }
    view_.MenuVorderAussenClick();
}

void DocumentCommands::ComboCoverLayoutChosen(int index) {
    // The layout is stored in the cover file, so the user's choice is a change to save.
    const bool changed = index >= 0 && index <= 3 && index != doc_.CoverLayout;
    if (changed) doc_.Geaendert = true;
    ComboCoverLayoutChange(index);
    if (changed && history_) history_->record(StepCoverLayout);
}

bool DocumentCommands::AskSave() {
    if (!doc_.Geaendert) return true;
    switch (
        dialogs_.message(MsgKind::Confirmation, MsgButtons::YesNoCancel, LadeText(StrAskSave))) {
    case MsgResult::Yes:
        Speichernunter1Click();
        return !doc_.Geaendert;
    case MsgResult::No:
        return true;
    default:
        return false;
    }
}

void DocumentCommands::showNotLoaded(const QStringList& notLoaded) {
    if (notLoaded.isEmpty()) return;
    dialogs_.message(MsgKind::Warning, MsgButtons::Ok,
                     LadeText(StrCoverNotLoaded) + QLatin1Char('\n') +
                         notLoaded.join(QLatin1Char('\n')));
}

bool DocumentCommands::loadFresh(const QString& readPath, const QString& fileName,
                                 CoverFile::Reader reader, bool atStartUp) {
    // The layout is not part of the reset: the older forms keep the one chosen before.
    CoverDocument fresh;
    fresh.CoverLayout = doc_.CoverLayout;
    CoverDocument resetState;
    bool resetDone = false;
    CoverFile::Loaded loaded;
    const bool ok = runGuarded(dialogs_, [&] {
        BusyCursor busy;
        fresh.reset();
        resetDone = true;
        if (atStartUp) resetState = fresh;
        loaded = CoverFile::load(readPath, fresh, reader);
    });
    if (!ok) {
        if (!atStartUp) return false; // the open document stays as it was
        // At start-up there is no document to keep: the reset one is shown. A reset that
        // stopped at a missing texture keeps the modified flag, as the reset does.
        if (resetDone) {
            fresh = std::move(resetState);
        } else {
            fresh.Geaendert = doc_.Geaendert;
        }
        doc_ = std::move(fresh);
        if (history_) history_->reset();
        view_.UpdateCaption();
        view_.MenuVorderAussenClick();
        return false;
    }

    fresh.DateiName = fileName;
    fresh.Geaendert = false;
    doc_ = std::move(fresh);
    if (history_) history_->reset(); // before the side switch, which may commit typing
    view_.UpdateCaption();
    if (loaded.layout) {
        const int index = *loaded.layout >= 0 && *loaded.layout <= 3 ? *loaded.layout : -1;
        view_.selectLayout(index);
        ComboCoverLayoutChange(index);
    } else {
        view_.MenuVorderAussenClick();
    }
    doc_.Geaendert = false;
    if (history_) history_->reset(); // with the layout read
    showNotLoaded(loaded.notLoaded);
    return true;
}

bool DocumentCommands::newDocument(bool atStartUp) {
    const QString path = templatePath();
    return loadFresh(resolveCaseInsensitive(path), path, CoverFile::Reader::V20, atStartUp);
}

void DocumentCommands::startUp() {
    newDocument(true);
}

void DocumentCommands::Neu1Click() {
    if (AskSave()) newDocument(false);
}

void DocumentCommands::OpenItemClick() {
    if (!AskSave()) return;
    const std::optional<QString> chosen = dialogs_.openFile(
        {LadeText(StrTitleOpen), FileFilter, ProgSubDir(QStringLiteral("ZVX")), {}, DefaultSuffix});
    if (!chosen || chosen->isEmpty()) return;
    openFile(*chosen);
}

bool DocumentCommands::openFile(const QString& path) {
    if (!loadFresh(path, path, CoverFile::Reader::ByFirstLine)) return false;
    if (fileUsed) fileUsed(path);
    return true;
}

bool DocumentCommands::writeTo(const QString& path) {
    const bool ok = runGuarded(dialogs_, [&] {
        BusyCursor busy;
        CoverFile::save(path, doc_);
    });
    if (!ok) return false; // the name, the flag and the file on disk stay as they were
    doc_.DateiName = path;
    doc_.Geaendert = false;
    if (history_) history_->setSaved();
    view_.UpdateCaption();
    if (fileUsed) fileUsed(path);
    return true;
}

bool DocumentCommands::SaveBtnClick() {
    if (hasOwnFile(doc_.DateiName)) return writeTo(doc_.DateiName);
    return Speichernunter1Click();
}

bool DocumentCommands::Speichernunter1Click() {
    FileDialogRequest request{
        LadeText(StrTitleSaveAs), FileFilter, ProgSubDir(QStringLiteral("ZVX")), {}, DefaultSuffix};
    if (hasOwnFile(doc_.DateiName)) {
        request.directory = directoryPart(doc_.DateiName);
        request.fileName = fileNamePart(doc_.DateiName);
    }
    for (;;) {
        const std::optional<QString> chosen = dialogs_.saveFile(request);
        if (!chosen || chosen->isEmpty()) return false;
        if (QFileInfo::exists(*chosen)) {
            const QString text =
                fileNamePart(*chosen).toUpper() + QLatin1Char(' ') + LadeText(StrOverwrite);
            if (dialogs_.message(MsgKind::Warning, MsgButtons::OkCancel, text) != MsgResult::Ok)
                return false;
        }
        if (hasOwnFile(*chosen)) return writeTo(*chosen);
        // The template is never overwritten: ask again, as for an untitled document.
        request.directory = ProgSubDir(QStringLiteral("ZVX"));
        request.fileName.clear();
    }
}
