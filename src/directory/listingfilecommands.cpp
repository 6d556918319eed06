#include "directory/listingfilecommands.h"
#include "directory/directorystrings.h"
#include "directory/listingfile.h"
#include "platform/apperror.h"
#include "platform/busycursor.h"
#include "platform/paths.h"
#include "platform/stringtable.h"

#include <QFileInfo>

FileDialogRequest ListingFileCommands::openRequest() const {
    FileDialogRequest r;
    r.title = LadeText(IdLoadListingTitle);
    r.filter = QStringLiteral("Directory (VMK)|*.VMK");
    r.directory = ProgSubDir(QStringLiteral("VERZEICH"));
    r.defaultSuffix = QStringLiteral("VMK");
    return r;
}

FileDialogRequest ListingFileCommands::saveRequest() const {
    FileDialogRequest r;
    r.title = LadeText(IdSaveListingTitle);
    r.filter = QStringLiteral("Directory (VMK)|*.VMK|Text (TXT)|*.TXT|HTML-Format (HTM)|*.HTM");
    r.directory = ProgSubDir(QStringLiteral("VERZEICH"));
    r.defaultSuffix = QStringLiteral("VMK");
    return r;
}

bool ListingFileCommands::OpenBtnClick(DirectoryListing& working) {
    const std::optional<QString> path = dialogs_.openFile(openRequest());
    if (!path) return false;
    BusyCursor busy;
    // Read first, replace after: a file that cannot be read keeps the listing the user has.
    if (UpperExtension(*path) == QLatin1String(".VMK")) working = LoadListingFile(*path);
    return !working.isEmpty();
}

bool ListingFileCommands::SaveBtnClick(const DirectoryListing& working) {
    const std::optional<QString> path = dialogs_.saveFile(saveRequest());
    if (!path) return false;
    static const QStringList forms = {QStringLiteral(".VMK"), QStringLiteral(".TXT"),
                                      QStringLiteral(".HTM"), QStringLiteral(".HTML")};
    if (!forms.contains(UpperExtension(*path)))
        throw AppError(LadeTextArg(StrListingBadExtension, *path));
    if (QFileInfo::exists(*path)) {
        const QString question =
            fileNamePart(*path).toUpper() + QLatin1Char(' ') + LadeText(IdMsgOverwrite);
        if (dialogs_.message(MsgKind::Warning, MsgButtons::OkCancel, question) != MsgResult::Ok)
            return false;
    }
    BusyCursor busy;
    return SaveListingAs(*path, working);
}
