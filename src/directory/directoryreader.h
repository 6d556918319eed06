#pragma once
#include "directory/treewalker.h"

#include <dirent.h>

// Reads a folder tree of the file system into a listing (see TreeWalker for the rules).
// A link is listed as what it points to; links to folders are not entered, so link loops
// end; entries that are neither regular files nor folders (devices, sockets, pipes,
// dangling links) are never listed.
class DirectoryReader : public TreeWalker {
public:
    using TreeWalker::TreeWalker;

protected:
    // Opens a folder for reading; a test may make it fail. Null when it cannot be read.
    virtual DIR* openFolder(const QByteArray& path);
    bool readFolder(const QByteArray& path, std::vector<TreeEntry>& entries) override;
};
