#include "cli/listingcommands.h"
#include "cli/clidialogs.h"
#include "cli/clistrings.h"
#include "cli/scanprogress.h"
#include "directory/audiotags.h"
#include "directory/directoryreader.h"
#include "directory/directorystrings.h"
#include "directory/discimagereader.h"
#include "directory/listingfile.h"
#include "directory/tracklistdrive.h"
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

void ListingCommands::save(const QString& path, const DirectoryListing& listing) {
    // Only an empty listing as a web page writes nothing; the tool says so.
    if (!SaveListingAs(path, listing)) throw AppError(LadeTextArg(StrListingEmptyWebPage, path));
}

int ListingCommands::scan() {
    const QString input = o_.inputs.value(0);
    DirFilterSettings filter;
    if (o_.fileMask || o_.audioComments) {
        filter.OnlyDirectories = false;
        filter.FileMask = o_.fileMask.value_or(QStringLiteral("*"));
    }
    if (o_.audioCd) return saveTracks(ReadAudioCdListing(input), {});
    const QFileInfo info(input);
    if (info.isFile() && IsTrackListFile(input)) {
        ReadProblems problems;
        DirectoryListing tracks = ReadTrackListFile(input, problems);
        return saveTracks(tracks, problems);
    }
    // Anything but a folder is taken for an image, so a wrong file gets the image's message.
    if (!info.isDir() && (info.exists() || DiscImage::isImageFile(input)))
        return scanImage(input, filter);
    if (!o_.imageFolder.isEmpty())
        throw AppError(LadeTextArg(StrCliBadValue, QStringLiteral("--folder"), o_.imageFolder));

    // The reader passes over folders it cannot open; the start folder must be readable.
    DIR* probe = info.isDir() ? ::opendir(QFile::encodeName(input).constData()) : nullptr;
    if (!probe) throw AppError(LadeTextArg(StrCliFolderUnreadable, input));
    ::closedir(probe);

    DirectoryListing listing;
    DirectoryReader reader(listing, o_.depth - 1, filter);
    ReadProblems problems;
    if (o_.audioComments) reader.fileComments = AudioFileComments(problems);
    ScanProgress progress(reader, showProgress_ ? &err_ : nullptr);
    const bool found = reader.ReadListing(headingFor(input), input, dialogs_);
    progress.finishProgress();
    problems.report(dialogs_);
    for (const QString& folder : progress.unreadable())
        err_ << CliDialogs::oneLine(LadeTextArg(StrCliFolderUnreadable, folder)) << Qt::endl;
    if (!found) return CliBadInput; // the reader has told why
    save(o_.output, listing);
    return CliOk;
}

int ListingCommands::scanImage(const QString& file, const DirFilterSettings& filter) {
    DiscImage image(file);
    const QString folder = o_.imageFolder.isEmpty() ? QStringLiteral("/") : o_.imageFolder;
    if (!image.isFolder(folder)) throw AppError(LadeTextArg(StrImageNoFolder, file, folder));
    DirectoryListing listing;
    DiscImageReader reader(listing, o_.depth - 1, filter, image);
    ReadProblems problems;
    if (o_.audioComments) reader.fileComments = ImageAudioComments(image, problems);
    ScanProgress progress(reader, showProgress_ ? &err_ : nullptr);
    const bool found = reader.ReadImageListing(folder, dialogs_);
    progress.finishProgress();
    problems.report(dialogs_);
    for (const QString& unreadable : progress.unreadable())
        err_ << CliDialogs::oneLine(LadeTextArg(StrCliFolderUnreadable, unreadable)) << Qt::endl;
    if (!found) return CliBadInput;
    save(o_.output, listing);
    return CliOk;
}

// A track list is made from what could be read; the problems are told in one message.
int ListingCommands::saveTracks(const DirectoryListing& tracks, const ReadProblems& problems) {
    problems.report(dialogs_);
    if (tracks.size() < 2) {
        dialogs_.message(MsgKind::Information, MsgButtons::Ok, LadeText(IdMsgNothingFound));
        return CliBadInput;
    }
    save(o_.output, tracks);
    return CliOk;
}

int ListingCommands::listing() {
    const QString in = o_.inputs.value(0);
    const QFileInfo info(in);
    if (info.exists() && !info.isFile()) throw AppError(LadeTextArg(StrCoverNotAFile, in));
    save(o_.output, LoadListingFile(in));
    return CliOk;
}
