#include "directory/discimagereader.h"

bool DiscImageReader::ReadImageListing(const QString& startFolder, Dialogs& dialogs) {
    return ReadListing(image_.heading(startFolder), startFolder, dialogs);
}

QByteArray DiscImageReader::encodePath(const QString& path) const {
    return DiscImage::encodePath(path);
}

bool DiscImageReader::readFolder(const QByteArray& path, std::vector<TreeEntry>& entries) {
    std::vector<TreeEntry> found;
    std::uint32_t id = 0;
    if (!image_.readFolder(path, found, &id) || read_.contains(id)) return false;
    read_.insert(id);
    entries = std::move(found);
    return true;
}
