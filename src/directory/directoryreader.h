#pragma once
#include "directory/treewalker.h"

// Reads a folder tree of the file system into a listing (see TreeWalker for the rules).
// A link is listed as what it points to; links to folders are not entered, so link loops
// end; entries that are neither regular files nor folders (devices, sockets, pipes,
// dangling links) are never listed. On a machine with more than one core, two threads read
// the tree (see TreeWalker::readsConcurrently).
class DirectoryReader : public TreeWalker {
public:
    using TreeWalker::TreeWalker;

protected:
    // Opens a folder for reading (a descriptor, -1 when it cannot be read); a test may make
    // it fail. Runs on either thread of a reading.
    virtual int openFolder(const QByteArray& path);
    bool readFolder(const QByteArray& path, std::vector<TreeEntry>& entries) override;
    bool readsConcurrently() const override { return true; }
};
