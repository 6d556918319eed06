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
      onlyDirectories_(filter.OnlyDirectories), mask_(filter.FileMask),
      collator_(ListingCollator()) {}

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
    scan(bytes);
}

// Each folder's entries are sorted as soon as it is read and written out in their final
// order and indentation, the sub-folders' contents after their lines: the tree order of a
// sort of whole paths, without holding a path per entry or sorting them all at the end.
// path ends in '/' and is extended in place for the sub-folders and restored afterwards.
void TreeWalker::scan(QByteArray& path) {
    if (tiefe_ + 1 < CurrentDepth) return;
    std::vector<TreeEntry> entries;
    const bool readable = readFolder(path, entries);
    if (folderVisited) folderVisited(path, readable);
    if (!readable) return;
    // Files first, then folders, each in reading order: where two names are exactly alike
    // the stable sort keeps that order.
    struct Listed {
        const TreeEntry* entry;
        QString name;
    };
    std::vector<Listed> listed;
    listed.reserve(entries.size());
    for (const TreeEntry& e : entries)
        if (e.kind == TreeEntry::File && !onlyDirectories_ && mask_.matches(e.name))
            listed.push_back({&e, ListedName(e.name)});
    for (const TreeEntry& e : entries) {
        const bool folder = e.kind == TreeEntry::Folder || e.kind == TreeEntry::FolderLink;
        if (folder && !e.hidden && !e.name.startsWith(u'.'))
            listed.push_back({&e, ListedName(e.name)});
    }
    std::stable_sort(listed.begin(), listed.end(), [this](const Listed& a, const Listed& b) {
        return ListedBefore(collator_, a.name, b.name);
    });

    QStringList comments;
    if (fileComments) {
        QList<QByteArray> files;
        for (const Listed& l : listed)
            if (l.entry->kind == TreeEntry::File) files.append(l.entry->raw);
        if (!files.isEmpty()) comments = fileComments(path, files);
    }
    qsizetype nextComment = 0;

    const QString indent(CurrentDepth - 1, u' ');
    const qsizetype pathLength = path.size();
    for (const Listed& l : listed) {
        target_->append(indent + l.name);
        const TreeEntry& e = *l.entry;
        if (e.kind == TreeEntry::File) {
            const qsizetype c = nextComment++;
            target_->append(c < comments.size() ? ListedName(comments[c]) : QString());
            continue;
        }
        target_->append(QString());
        if (e.kind != TreeEntry::Folder) continue;
        path += e.raw;
        path += '/';
        ++CurrentDepth;
        scan(path);
        --CurrentDepth;
        path.truncate(pathLength);
    }
}
