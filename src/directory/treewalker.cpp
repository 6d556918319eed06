#include "directory/treewalker.h"
#include "directory/directorystrings.h"
#include "directory/listingsort.h"
#include "platform/busycursor.h"
#include "platform/dialogs.h"
#include "platform/stringtable.h"
#include "platform/textcodec.h"

#include <algorithm>
#include <QFile>
#include <QStringDecoder>

QString ListedName(const QString& name) {
    if (!name.contains(u'\r') && !name.contains(u'\n')) return name;
    QString one = name;
    one.replace(u'\r', u' ');
    one.replace(u'\n', u' ');
    return one;
}

QString DecodedName(const QByteArray& raw) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString name = utf8(raw);
    return utf8.hasError() ? fromWindows1252(raw) : name;
}

TreeWalker::TreeWalker(DirectoryListing& listing, int tiefe, const DirFilterSettings& filter)
    : listing_(listing), target_(&listing), tiefe_(std::clamp(tiefe, 0, 7)),
      onlyDirectories_(filter.OnlyDirectories), mask_(filter.FileMask) {}

QByteArray TreeWalker::encodePath(const QString& path) const {
    return QFile::encodeName(path);
}

bool TreeWalker::ReadListing(const QString& heading, const QString& startDir, Dialogs& dialogs) {
    DirectoryListing fresh{ListedName(heading)}; // a start folder may hold a line break too
    {
        BusyCursor busy;
        target_ = &fresh;
        CurrentDepth = 1;
        try {
            ScanDirectory(startDir);
        } catch (...) {
            target_ = &listing_;
            CurrentDepth = 1;
            throw;
        }
        target_ = &listing_;
        SortAndIndentListing(fresh);
    }
    listing_ = std::move(fresh);
    if (listing_.size() >= 2) return true;
    dialogs.message(MsgKind::Information, MsgButtons::Ok, LadeText(IdMsgNothingFound));
    return false;
}

void TreeWalker::ScanDirectory(const QString& path) {
    QByteArray bytes = encodePath(path);
    if (!bytes.endsWith('/')) bytes.append('/');
    startReading();
    QString key;
    scan(bytes, key);
}

void TreeWalker::appendKey(const QString& key, const QString& comment) {
    target_->append(key);
    target_->append(ListedName(comment));
}

// path ends in '/' and key is the key of the folder being read (empty for the start).
// Both are extended in place for the sub-folders and restored afterwards.
void TreeWalker::scan(QByteArray& path, QString& key) {
    if (tiefe_ + 1 < CurrentDepth) return;
    std::vector<TreeEntry> entries;
    const bool readable = readFolder(path, entries);
    if (folderVisited) folderVisited(path, readable);
    if (!readable) return;
    const qsizetype pathLength = path.size();
    const qsizetype keyLength = key.size();
    for (const TreeEntry& e : entries) {
        if (e.kind != TreeEntry::File) continue;
        if (onlyDirectories_ || !mask_.matches(e.name)) continue;
        appendKey(key + kKeySeparator + ListedName(e.name),
                  fileComment ? fileComment(path + e.raw) : QString());
    }
    for (const TreeEntry& e : entries) {
        const bool folder = e.kind == TreeEntry::Folder || e.kind == TreeEntry::FolderLink;
        if (!folder || e.hidden || e.name.startsWith(u'.')) continue;
        key += kKeySeparator;
        key += ListedName(e.name);
        appendKey(key);
        if (e.kind == TreeEntry::Folder) {
            path += e.raw;
            path += '/';
            ++CurrentDepth;
            scan(path, key);
            --CurrentDepth;
            path.truncate(pathLength);
        }
        key.truncate(keyLength);
    }
}
