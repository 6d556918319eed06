#pragma once
#include "directory/audiotags.h"
#include "directory/discimage.h"
#include "directory/treewalker.h"

#include <QSet>

// Reads a folder tree inside a disc image into a listing, by the same rules as a reading
// of the file system (see TreeWalker); start folders are paths inside the image ("/",
// "/MUSIK"). The records of each folder are read once per reading, so a damaged image
// whose folders point back at each other cannot make the reading run away.
class DiscImageReader : public TreeWalker {
public:
    DiscImageReader(DirectoryListing& listing, int tiefe, const DirFilterSettings& filter,
                    DiscImage& image)
        : TreeWalker(listing, tiefe, filter), image_(image) {}

    // ReadListing with the image's heading for startFolder (e.g. "MYDISC:\MUSIK\").
    bool ReadImageListing(const QString& startFolder, Dialogs& dialogs);

protected:
    void startReading() override {
        read_.clear();
        image_.startReading();
    }
    bool readFolder(const QByteArray& path, std::vector<TreeEntry>& entries) override;
    QByteArray encodePath(const QString& path) const override;

private:
    DiscImage& image_;
    QSet<std::uint32_t> read_;
};

// The audio comments of a reading inside image (see AudioFileComments), the files' bytes
// read from the image on the reading's thread.
FolderComments ImageAudioComments(DiscImage& image, ReadProblems& problems,
                                  std::function<bool()> cancelled = nullptr);
