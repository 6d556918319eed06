#include "directory/directoryreader.h"

#include <cerrno>
#include <sys/stat.h>

namespace {
TreeEntry::Kind kindOf(const QByteArray& dirPath, const dirent* e) {
    switch (e->d_type) {
    case DT_DIR:
        return TreeEntry::Folder;
    case DT_REG:
        return TreeEntry::File;
    case DT_LNK:
    case DT_UNKNOWN:
        break;
    default:
        return TreeEntry::Other;
    }
    const QByteArray full = dirPath + e->d_name;
    struct stat st;
    if (::lstat(full.constData(), &st) != 0) return TreeEntry::Other;
    if (S_ISDIR(st.st_mode)) return TreeEntry::Folder;
    if (S_ISREG(st.st_mode)) return TreeEntry::File;
    if (!S_ISLNK(st.st_mode) || ::stat(full.constData(), &st) != 0)
        return TreeEntry::Other; // dangling links included
    if (S_ISDIR(st.st_mode)) return TreeEntry::FolderLink;
    return S_ISREG(st.st_mode) ? TreeEntry::File : TreeEntry::Other;
}
} // namespace

DIR* DirectoryReader::openFolder(const QByteArray& path) {
    return ::opendir(path.constData());
}

// The whole folder is read first so no folder stays open while its sub-folders are read.
bool DirectoryReader::readFolder(const QByteArray& path, std::vector<TreeEntry>& entries) {
    DIR* dir = openFolder(path);
    if (!dir) return false;
    // A medium removed half way ends the listing of a folder with an error, not at its end.
    const auto next = [dir] {
        errno = 0;
        return ::readdir(dir);
    };
    while (const dirent* e = next()) {
        const char* name = e->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
        const TreeEntry::Kind kind = kindOf(path, e);
        if (kind == TreeEntry::Other || (kind == TreeEntry::File && !listsFiles())) continue;
        QByteArray raw(name);
        QString decoded = DecodedName(raw);
        entries.push_back({std::move(raw), std::move(decoded), kind, false});
    }
    const bool complete = errno == 0;
    ::closedir(dir);
    if (!complete) entries.clear();
    return complete;
}
