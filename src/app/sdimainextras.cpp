// The main window's undo and redo, recent files, language switch, cover drop and Ctrl+Q.
#include "app/coverdrop.h"
#include "app/historyactions.h"
#include "app/languageswitch.h"
#include "app/recentfiles.h"
#include "app/sdimain.h"
#include "app/startup.h"
#include "content/sidepanel.h"
#include "document/documenthistory.h"
#include "platform/errorreport.h"
#include "platform/stringtable.h"

#include <QAction>
#include <QFileInfo>
#include <QStatusBar>

namespace {
constexpr int StrRecentMissing = 305; // "%1" no longer exists, taken off the list
} // namespace

void TSDIAppForm::SetupExtras() {
    Commands->setHistory(History);
    History->setShowSide([this](int side) { ShowRestoredSide(side); });
    HistoryItems = new HistoryActions(*History, Bearbeiten1);
    Recent = new RecentFiles(QString(), this);
    Recent->attachMenu(FileMenu, ExitItem, [this](const QString& path) { OpenCoverFile(path); });
    Commands->fileUsed = [this](const QString& path) { Recent->add(path); };
    Languages = new LanguageSwitch(Ansicht1, [this](int sprache) { SwitchLanguage(sprache); });
    Drop = new CoverDrop(this, [this](const QString& path) { OpenCoverFile(path); });
    ExitItem->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_X), QKeySequence(Qt::CTRL | Qt::Key_Q)});
}

void TSDIAppForm::UpdateExtrasLanguage() {
    HistoryItems->update();
    Languages->update(Sprache);
    StatusBar->clearMessage(); // a hint of the other language
}

void TSDIAppForm::ShowRestoredSide(int side) {
    selectLayout(Doc.CoverLayout);
    showSidesInUse(DocumentCommands::SidesInUse(Doc.CoverLayout));
    ShowSide(side);
}

void TSDIAppForm::SwitchLanguage(int sprache) {
    if (sprache == Sprache) {
        Languages->update(Sprache); // the item clicked keeps its check
        return;
    }
    Sprache = sprache;
    StoreLanguage(*IniDatei, Sprache);
    ApplyLanguage();
}

void TSDIAppForm::OpenCoverFile(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        showErrorBox(Dlgs, LadeTextArg(StrRecentMissing, path));
        Recent->remove(path);
        return;
    }
    if (Commands->AskSave()) Commands->openFile(path);
}
