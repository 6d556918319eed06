#pragma once
#include "document/coverdocument.h"
#include "document/coverfile.h"
#include "platform/dialogs.h"

#include <array>
#include <functional>

class DocumentHistory;
class DocumentView;

// New, Open, Save, Save as, the save question, the close question and the case layout,
// working on the one open document. Every question goes through Dialogs and every
// failure ends in a message there, so each command leaves a whole document behind.
class DocumentCommands {
public:
    static inline const QString FileFilter = QStringLiteral("CD-Cover (ZVX)|*.ZVX");
    static inline const QString DefaultSuffix = QStringLiteral("zvx");

    DocumentCommands(CoverDocument& doc, Dialogs& dialogs, DocumentView& view);

    // The template's file name relative to the program directory (settings key "vorlage").
    void setVorlage(const QString& vorlage) { vorlage_ = vorlage; }
    QString templatePath() const;
    // The undo history: New and Open start it afresh, Save sets its save point and a case
    // layout chosen by the user is a step.
    void setHistory(DocumentHistory* history) { history_ = history; }
    // Called with the path of every cover opened with Open or written by Save.
    std::function<void(const QString& path)> fileUsed;

    // Start-up's New: nothing to ask; if the template cannot be read the reset document
    // is shown (there is no previous one to keep).
    void startUp();
    void Neu1Click();
    void OpenItemClick();
    // Opens path as Open does after its dialog. Returns false (after a message) on failure.
    bool openFile(const QString& path);
    // Both return true when the document was written.
    bool SaveBtnClick();
    bool Speichernunter1Click();
    // True when the window may close.
    bool FormCloseQuery() { return AskSave(); }
    // True when the command may go on (nothing to save, saved, or changes dropped).
    bool AskSave();
    // index: the selected entry of ComboCoverLayout, -1 for none.
    void ComboCoverLayoutChange(int index);
    // The user chose a layout in the box: as the change above, and a different layout
    // marks the document modified (reading a file runs the change itself and does not).
    void ComboCoverLayoutChosen(int index);

    // The sides a case layout uses (menu items enabled, side buttons visible).
    static std::array<bool, 4> SidesInUse(int layout);

private:
    // Neither untitled nor the template: the document has a file of its own.
    bool hasOwnFile(const QString& fileName) const;
    bool newDocument(bool atStartUp);
    // Reads path into a fresh document and swaps it in only when the whole file was read.
    bool loadFresh(const QString& readPath, const QString& fileName, CoverFile::Reader reader,
                   bool atStartUp = false);
    bool writeTo(const QString& path);
    void showNotLoaded(const QStringList& notLoaded);

    CoverDocument& doc_;
    Dialogs& dialogs_;
    DocumentView& view_;
    DocumentHistory* history_ = nullptr;
    QString vorlage_ = QStringLiteral("ERROR");
};
