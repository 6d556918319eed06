#include "directory/directoryreader.h"
#include "directory/directorystrings.h"
#include "directory/listingsort.h"
#include "platform/busycursor.h"
#include "platform/dialogs.h"
#include "platform/stringtable.h"

#include <algorithm>
#include <cstring>
#include <QFile>
#include <sys/stat.h>
#include <vector>

namespace {
enum class Kind { Other, File, Folder, FolderLink };

Kind kindOf(const QByteArray& dirPath, const dirent* e) {
    switch (e->d_type) {
    case DT_DIR:
        return Kind::Folder;
    case DT_REG:
        return Kind::File;
    case DT_LNK:
    case DT_UNKNOWN:
        break;
    default:
        return Kind::Other;
    }
    const QByteArray full = dirPath + e->d_name;
    struct stat st;
    if (::lstat(full.constData(), &st) != 0) return Kind::Other;
    if (S_ISDIR(st.st_mode)) return Kind::Folder;
    if (S_ISREG(st.st_mode)) return Kind::File;
    if (!S_ISLNK(st.st_mode) || ::stat(full.constData(), &st) != 0)
        return Kind::Other; // dangling links included
    if (S_ISDIR(st.st_mode)) return Kind::FolderLink;
    return S_ISREG(st.st_mode) ? Kind::File : Kind::Other;
}

// A name with a line break would split its line across lines of the listing.
QString oneLine(QString name) {
    name.replace(QLatin1Char('\r'), QLatin1Char(' '));
    name.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return name;
}

QString entryName(const char* raw) {
    QString name = QFile::decodeName(raw);
    return std::strpbrk(raw, "\r\n") ? oneLine(std::move(name)) : name;
}

struct Entry {
    QByteArray raw;
    Kind kind;
};
} // namespace

DirectoryReader::DirectoryReader(DirectoryListing& listing, int tiefe,
                                 const DirFilterSettings& filter)
    : listing_(listing), tiefe_(std::clamp(tiefe, 0, 7)), onlyDirectories_(filter.OnlyDirectories),
      mask_(filter.FileMask) {}

DIR* DirectoryReader::openFolder(const QByteArray& path) {
    return ::opendir(path.constData());
}

bool DirectoryReader::ReadListing(const QString& heading, const QString& startDir,
                                  Dialogs& dialogs) {
    listing_.clear();
    listing_.append(oneLine(heading)); // a start folder's path may hold a line break too
    {
        BusyCursor busy;
        CurrentDepth = 1;
        ScanDirectory(startDir);
        SortAndIndentListing(listing_);
    }
    if (listing_.size() >= 2) return true;
    dialogs.message(MsgKind::Information, MsgButtons::Ok, LadeText(IdMsgNothingFound));
    return false;
}

void DirectoryReader::ScanDirectory(const QString& path) {
    QByteArray bytes = QFile::encodeName(path);
    if (!bytes.endsWith('/')) bytes.append('/');
    QString key;
    scan(bytes, key);
}

void DirectoryReader::appendKey(const QString& key) {
    listing_.append(key);
    listing_.append(QString());
}

// path ends in '/' and key is the key of the folder being read (empty for the start).
// Both are extended in place for the sub-folders and restored afterwards.
void DirectoryReader::scan(QByteArray& path, QString& key) {
    if (tiefe_ + 1 < CurrentDepth) return;
    // Read the whole folder first so no folder stays open while its sub-folders are read.
    std::vector<Entry> folders;
    {
        DIR* dir = openFolder(path);
        if (!dir) return;
        while (const dirent* e = ::readdir(dir)) {
            const char* name = e->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
            const Kind kind = kindOf(path, e);
            if (kind == Kind::Folder || kind == Kind::FolderLink) {
                if (name[0] != '.') folders.push_back({QByteArray(name), kind});
            } else if (kind == Kind::File && !onlyDirectories_) {
                const QString n = entryName(name);
                if (mask_.matches(n)) appendKey(key + kKeySeparator + n);
            }
        }
        ::closedir(dir);
    }
    const qsizetype pathLength = path.size();
    const qsizetype keyLength = key.size();
    for (const Entry& f : folders) {
        key += kKeySeparator;
        key += entryName(f.raw.constData());
        appendKey(key);
        if (f.kind == Kind::Folder) {
            path += f.raw;
            path += '/';
            ++CurrentDepth;
            scan(path, key);
            --CurrentDepth;
            path.truncate(pathLength);
        }
        key.truncate(keyLength);
    }
}
