#include "directory/imagedrive.h"
#include "directory/directorystrings.h"
#include "directory/discimage.h"
#include "directory/discimagereader.h"
#include "platform/apperror.h"
#include "platform/dialogs.h"
#include "platform/stringtable.h"

#include <QDir>
#include <QFileInfo>

namespace {
// Reports every folder it reads; once cancelled it reads none, so the walk unwinds at once.
class ProgressImageReader : public DiscImageReader {
public:
    ProgressImageReader(DirectoryListing& listing, const TreeReadRequest& request, DiscImage& image,
                        ReadProgress& progress)
        : DiscImageReader(listing, request.tiefe, request.filter, image), progress_(progress) {}

protected:
    bool readFolder(const QByteArray& path, std::vector<TreeEntry>& entries) override {
        if (progress_.cancelled()) return false;
        progress_.folderOpened(path);
        return DiscImageReader::readFolder(path, entries);
    }

private:
    ReadProgress& progress_;
};
} // namespace

ImageDrive::ImageDrive() = default;
ImageDrive::~ImageDrive() = default;

QList<DriveEntry> ImageDrive::entries() const {
    if (!image_) return {pickerEntry()};
    return {imageEntry(), pickerEntry()};
}

DriveEntry ImageDrive::pickerEntry() const {
    return DriveEntry{DriveKind::Other, LadeText(StrImageDriveEntry), QString()};
}

DriveEntry ImageDrive::imageEntry() const {
    if (!image_) return {};
    return DriveEntry{DriveKind::Other, image_->label(), image_->file()};
}

bool ImageDrive::pick(Dialogs& dialogs) {
    FileDialogRequest request;
    request.title = LadeText(StrImageOpenTitle);
    request.filter = LadeText(StrImageFilter);
    if (image_) {
        const QFileInfo last(image_->file());
        request.directory = last.absolutePath();
        request.fileName = last.fileName();
    } else {
        request.directory = QDir::homePath();
    }
    const std::optional<QString> file = dialogs.openFile(request);
    if (!file) return false;
    try {
        auto image = std::make_unique<DiscImage>(*file);
        image->folders(QStringLiteral("/")); // a damaged top folder is refused now
        image_ = std::move(image);
    } catch (const AppError& e) {
        dialogs.message(MsgKind::Warning, MsgButtons::Ok, e.message());
        return false;
    }
    return true;
}

FolderSource ImageDrive::folders() const {
    DiscImage* image = image_.get();
    return [image](const QString& folder) -> std::optional<QStringList> {
        if (!image || !image->isFolder(folder)) return std::nullopt;
        return image->folders(folder);
    };
}

QString ImageDrive::label() const {
    return image_ ? image_->label() : QString();
}

QString ImageDrive::heading(const QString& folder) const {
    return image_ ? image_->heading(folder) : QString();
}

void ReadImageTree(const TreeReadRequest& request, ReadProgress& progress, DirectoryListing& out) {
    DiscImage image(request.start);
    const QString folder = request.folder.isEmpty() ? QStringLiteral("/") : request.folder;
    if (!image.isFolder(folder))
        throw AppError(LadeTextArg(StrImageNoFolder, request.start, folder));
    out.clear();
    out.append(request.heading);
    ProgressImageReader reader(out, request, image, progress);
    if (request.filter.AudioComments)
        reader.fileComments = ImageAudioComments(image, progress.problems,
                                                 [&progress] { return progress.cancelled(); });
    progress.watch(reader);
    reader.CurrentDepth = 1;
    reader.ScanDirectory(folder);
}
