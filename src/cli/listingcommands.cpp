#include "cli/listingcommands.h"
#include "cli/clidialogs.h"
#include "cli/clistrings.h"
#include "cli/scanreader.h"
#include "directory/directorystrings.h"
#include "directory/listingfile.h"
#include "document/documentstrings.h"
#include "platform/apperror.h"
#include "platform/stringtable.h"

#include <dirent.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>

QString ListingCommands::headingFor(const QString& dir) {
    QString heading = QDir(dir).absolutePath();
    if (!heading.endsWith(u'/')) heading += u'/';
    return heading;
}

void ListingCommands::save(const QString& path, const QStringList& listing) {
    // Only an empty listing as a web page writes nothing; the tool says so.
    if (!SaveListingAs(path, listing)) throw AppError(LadeTextArg(StrListingEmptyWebPage, path));
}

int ListingCommands::scan() {
    const QString dir = o_.inputs.value(0);
    // The reader passes over folders it cannot open; the start folder must be readable.
    DIR* probe = QFileInfo(dir).isDir() ? ::opendir(QFile::encodeName(dir).constData()) : nullptr;
    if (!probe) throw AppError(LadeTextArg(StrCliFolderUnreadable, dir));
    ::closedir(probe);

    DirFilterSettings filter;
    if (o_.fileMask) {
        filter.OnlyDirectories = false;
        filter.FileMask = *o_.fileMask;
    }
    DirectoryListing listing;
    ScanReader reader(listing, o_.depth - 1, filter, showProgress_ ? &err_ : nullptr);
    const bool found = reader.ReadListing(headingFor(dir), dir, dialogs_);
    reader.finishProgress();
    for (const QString& folder : reader.unreadable())
        err_ << CliDialogs::oneLine(LadeTextArg(StrCliFolderUnreadable, folder)) << Qt::endl;
    if (!found) return CliBadInput; // the reader has told why
    save(o_.output, listing);
    return CliOk;
}

int ListingCommands::listing() {
    const QString in = o_.inputs.value(0);
    const QFileInfo info(in);
    if (info.exists() && !info.isFile()) throw AppError(LadeTextArg(StrCoverNotAFile, in));
    save(o_.output, LoadListingFile(in));
    return CliOk;
}
