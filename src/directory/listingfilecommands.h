#pragma once
#include "document/directorylisting.h"
#include "platform/dialogs.h"

// The load and save buttons of the directory dialog, without the dialog: file dialogs and
// questions go through Dialogs, the listing is the dialog's working listing.
class ListingFileCommands {
public:
    explicit ListingFileCommands(Dialogs& dialogs) : dialogs_(dialogs) {}

    FileDialogRequest openRequest() const;
    FileDialogRequest saveRequest() const;

    // Loads a ".VMK" file chosen by the user into the working listing (other extensions
    // leave it as it was). True when the dialog should show the listing afresh: the user
    // chose a file and the listing has at least one line (heading into the start-directory
    // label, buttons enabled, preview). A file that cannot be read throws AppError and
    // leaves the listing as it was.
    bool OpenBtnClick(DirectoryListing& working);

    // Saves or exports the working listing under a name the user chooses; the extension
    // picks the form. An existing file is overwritten only after the user agreed. True when
    // a file was written; a name with none of the three extensions (".html" counts as
    // ".htm") throws AppError naming the kinds before anything is asked.
    bool SaveBtnClick(const DirectoryListing& working);

private:
    Dialogs& dialogs_;
};
