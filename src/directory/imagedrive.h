#pragma once
#include "directory/drivelist.h"
#include "directory/folderlist.h"
#include "directory/treereading.h"

#include <memory>

class DiscImage;
class Dialogs;

// The drive box's "Disc image…" entry and the image the user picked through it, whose
// folders the folder list shows as it shows a drive's. Once an image is open it has an entry
// of its own (its label and file) before "Disc image…", which stays to pick another.
class ImageDrive {
public:
    ImageDrive();
    ~ImageDrive();
    ImageDrive(const ImageDrive&) = delete;
    ImageDrive& operator=(const ImageDrive&) = delete;

    // The entries for the drive box: the open image (if any), then "Disc image…".
    QList<DriveEntry> entries() const;
    DriveEntry pickerEntry() const;
    DriveEntry imageEntry() const; // the open image: its label, its file as the location
    bool isPicker(const DriveEntry& e) const { return e == pickerEntry(); }
    bool isImage(const DriveEntry& e) const { return image_ && e == imageEntry(); }
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
