#include "directory/directoryreader.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// The kind of the entry name of the open folder dir, by the type the folder records or,
// where it records none or a link, by asking for the entry itself.
TreeEntry::Kind kindOf(int dir, const char* name, unsigned char type) {
    switch (type) {
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
    struct stat st;
    if (::fstatat(dir, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return TreeEntry::Other;
    if (S_ISDIR(st.st_mode)) return TreeEntry::Folder;
    if (S_ISREG(st.st_mode)) return TreeEntry::File;
    if (!S_ISLNK(st.st_mode) || ::fstatat(dir, name, &st, 0) != 0)
        return TreeEntry::Other; // dangling links included
    if (S_ISDIR(st.st_mode)) return TreeEntry::FolderLink;
    return S_ISREG(st.st_mode) ? TreeEntry::File : TreeEntry::Other;
}
} // namespace

int DirectoryReader::openFolder(const QByteArray& path) {
    return ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// The folder is read whole and closed before its sub-folders are read. The records come
// straight from getdents64 into a buffer on the stack: readdir would allocate a buffer of
// the same size and ask for the folder's status for every folder, about 5 % of the time
// in a tree of small folders.
bool DirectoryReader::readFolder(const QByteArray& path, std::vector<TreeEntry>& entries) {
    const int dir = openFolder(path);
    if (dir < 0) return false;
    alignas(dirent64) char buffer[32 * 1024];
    bool complete = true;
    for (;;) {
        const ssize_t got = ::getdents64(dir, buffer, sizeof buffer);
        if (got == 0) break;
        // A medium removed half way ends the listing of a folder with an error, not at its
        // end.
        if (got < 0) {
            complete = false;
            break;
        }
        for (ssize_t at = 0; at < got;) {
            const auto* e = reinterpret_cast<const dirent64*>(buffer + at);
            at += e->d_reclen;
            const char* name = e->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
            const TreeEntry::Kind kind = kindOf(dir, name, e->d_type);
            if (kind == TreeEntry::Other || (kind == TreeEntry::File && !listsFiles())) continue;
            QByteArray raw(name);
            QString decoded = DecodedName(raw);
            entries.push_back({std::move(raw), std::move(decoded), kind, false});
        }
    }
    ::close(dir);
    if (!complete) entries.clear();
    return complete;
}
