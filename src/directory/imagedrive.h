#pragma once
#include "directory/drivelist.h"
#include "directory/folderlist.h"
#include "directory/treereading.h"

#include <memory>

class DiscImage;
class Dialogs;

// The drive box's "Disc image…" entry: the image the user picked through it, whose folders
// the folder list shows as it shows a drive's. The entry's location is the image file.
class ImageDrive {
public:
    ImageDrive();
    ~ImageDrive();
    ImageDrive(const ImageDrive&) = delete;
    ImageDrive& operator=(const ImageDrive&) = delete;

    // "Disc image…" until an image is picked, then the image's label and file.
    DriveEntry entry() const;
    bool isEntry(const DriveEntry& e) const { return e == entry(); }
    bool hasImage() const { return image_ != nullptr; }

    // Asks for an image file (starting in the folder of the last one, or the home folder)
    // and takes it. False when none was taken: the dialog was cancelled, or the file is
    // damaged or no ISO 9660 image (a message naming it); the previous image stays.
    bool pick(Dialogs& dialogs);

    // The sub-folders of a folder of the image, for the folder list.
    FolderSource folders() const;
    QString label() const;
    QString heading(const QString& folder) const;

private:
    std::unique_ptr<DiscImage> image_;
};

// A reading of the image request.start from request.folder inside it. The image is opened
// again for the reading, so the folder list's copy is never shared with the reading thread.
void ReadImageTree(const TreeReadRequest& request, ReadProgress& progress, DirectoryListing& out);
