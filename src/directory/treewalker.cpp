#include "directory/treewalker.h"
#include "directory/directorystrings.h"
#include "directory/listingsort.h"
#include "platform/busycursor.h"
#include "platform/dialogs.h"
#include "platform/stringtable.h"
#include "platform/textcodec.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <QFile>
#include <QStringDecoder>
#include <sched.h>
#include <system_error>
#include <thread>

QString ListedName(const QString& name) {
    if (!name.contains(u'\r') && !name.contains(u'\n')) return name;
    QString one = name;
    one.replace(u'\r', u' ');
    one.replace(u'\n', u' ');
    return one;
}

QString DecodedName(QByteArrayView raw) {
    // Most names are plain ASCII, the same in either reading.
    if (std::all_of(raw.begin(), raw.end(), [](char c) { return uchar(c) < 0x80; }))
        return QString::fromLatin1(raw);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString name = utf8(raw);
    return utf8.hasError() ? fromWindows1252(raw.toByteArray()) : name;
}

// Where one thread's part of a reading goes. The walk of the calling thread writes into the
// listing and offers sub-folders to the second thread. The second thread writes the
// sub-tree it walks into pieces of lines of its own and notes the folders it visits, both
// handed over when the walk reaches that sub-tree.
struct TreeWalker::Walk {
    DirectoryListing* target;
    const QCollator& collator;
    SecondWalker* shares = nullptr;
    std::deque<DirectoryListing>* pieces = nullptr; // target is the last
    QByteArray* visits = nullptr; // per folder '+' (read), or '-', its path and a zero byte
    const std::atomic<bool>* stop = nullptr;

    static constexpr qsizetype kPieceLines = 8192;
    void add(const QString& line) {
        target->append(line);
        if (pieces && target->size() >= kPieceLines) target = &pieces->emplace_back();
    }
};

// Walks whole sub-trees on a second thread ahead of the walk. The walk enters folders depth
// first, so the sub-folders it has still to enter form a stack: those of the folder just
// sorted go on top, in the order the walk enters them. The walk takes the top one and walks
// it itself unless the second thread has taken it; the second thread takes the bottom-most
// one, the largest sub-tree left, never the top, which the walk is about to enter. A
// sub-tree so walked is copied into the listing, and its folders are told to
// folderVisited, when the walk reaches it, so the listing and the calls are in the walk's
// order. Its lines go over piece by piece, so the listing and the lines of the sub-tree are
// not held twice at once.
class TreeWalker::SecondWalker {
public:
    SecondWalker(TreeWalker& walker, const QCollator& collator)
        : walker_(walker), collator_(copyOf(collator)), thread_([this] { work(); }) {}
    ~SecondWalker() {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }

    // Whether a second thread can run beside the walk at all.
    static bool worthwhile() {
        cpu_set_t cores;
        CPU_ZERO(&cores);
        return ::sched_getaffinity(0, sizeof cores, &cores) == 0 && CPU_COUNT(&cores) > 1;
    }

    // The sub-folders (names) of the folder at path the walk enters next, in its order.
    void offer(const QByteArray& path, int depth, const std::vector<const QByteArray*>& names) {
        {
            const std::lock_guard lock(mutex_);
            for (auto n = names.rbegin(); n != names.rend(); ++n) {
                Subtree& s = pending_.emplace_back();
                s.path = path + **n + '/';
                s.depth = depth;
            }
        }
        wake_.notify_one();
    }

    // For the sub-folder the walk enters now: true when the walk is to walk it itself;
    // otherwise its lines are added to target and its folders told.
    bool walkHere([[maybe_unused]] const QByteArray& path, DirectoryListing& target) {
        std::unique_lock lock(mutex_);
        Subtree& top = pending_.back();
        Q_ASSERT(top.path == path);
        if (top.state == Subtree::Waiting) {
            pending_.pop_back();
            return true;
        }
        done_.wait(lock, [&] { return top.state == Subtree::Done; });
        Subtree s = std::move(top);
        pending_.pop_back();
        lock.unlock();
        for (; !s.pieces.empty(); s.pieces.pop_front())
            target.append(s.pieces.front());
        if (walker_.folderVisited) {
            for (qsizetype at = 0; at < s.visits.size(); ++at) {
                if (s.visits.at(at) == '+') {
                    walker_.folderVisited(QByteArray(), true);
                    continue;
                }
                const qsizetype end = s.visits.indexOf('\0', at);
                walker_.folderVisited(s.visits.sliced(at + 1, end - at - 1), false);
                at = end;
            }
        }
        if (s.failure) std::rethrow_exception(s.failure);
        return false;
    }

private:
    struct Subtree {
        QByteArray path;
        int depth = 0;
        enum State { Waiting, Taken, Done } state = Waiting;
        std::deque<DirectoryListing> pieces;
        QByteArray visits;
        std::exception_ptr failure;
    };

    // A collator of its own that sorts as the given one does.
    static QCollator copyOf(const QCollator& collator) {
        QCollator copy(collator.locale());
        copy.setCaseSensitivity(collator.caseSensitivity());
        copy.setNumericMode(collator.numericMode());
        copy.setIgnorePunctuation(collator.ignorePunctuation());
        return copy;
    }

    // The bottom-most sub-tree still waiting, the top left to the walk. Sub-trees are
    // pushed and popped at the top only, so none below searchFrom_ is waiting.
    Subtree* nextToWalk() {
        searchFrom_ = std::min(searchFrom_, pending_.size());
        for (; searchFrom_ + 1 < pending_.size(); ++searchFrom_)
            if (pending_[searchFrom_].state == Subtree::Waiting) return &pending_[searchFrom_];
        return nullptr;
    }

    void work() {
        std::unique_lock lock(mutex_);
        for (;;) {
            Subtree* s = nullptr;
            wake_.wait(lock, [&] { return stop_ || (s = nextToWalk()) != nullptr; });
            if (stop_) return;
            s->state = Subtree::Taken;
            lock.unlock();
            // The walk waits for this sub-tree before it passes it, so s stays where it is.
            try {
                Walk walk{
                    &s->pieces.emplace_back(), collator_, nullptr, &s->pieces, &s->visits, &stop_};
                QByteArray path = s->path;
                walker_.scan(path, s->depth, walk);
            } catch (...) {
                s->failure = std::current_exception();
            }
            lock.lock();
            s->state = Subtree::Done;
            done_.notify_one();
        }
    }

    TreeWalker& walker_;
    QCollator collator_; // its own: one collator is not used by two threads
    std::mutex mutex_;
    std::condition_variable wake_; // for the second thread: work, or stop
    std::condition_variable done_; // for the walk: a sub-tree is done
    std::deque<Subtree> pending_;  // back: the sub-folder the walk enters next
    std::size_t searchFrom_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_; // last: starts when everything else is there
};

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
    // File comments are read by the calling thread only.
    std::optional<SecondWalker> second;
    if (readsConcurrently() && !fileComments && SecondWalker::worthwhile()) {
        try {
            second.emplace(*this, collator_);
        } catch (const std::system_error&) {
            // No thread to be had: this one reads everything.
        }
    }
    Walk walk{target_, collator_, second ? &*second : nullptr};
    scan(bytes, CurrentDepth, walk);
}

// Each folder's entries are sorted as soon as it is read and written out in their final
// order and indentation, the sub-folders' contents after their lines: the tree order of a
// sort of whole paths, without holding a path per entry or sorting them all at the end.
// path ends in '/' and is extended in place for the sub-folders and restored afterwards;
// depth is the level of the folder's entries.
void TreeWalker::scan(QByteArray& path, int depth, Walk& walk) {
    if (tiefe_ + 1 < depth) return;
    if (walk.stop && walk.stop->load(std::memory_order_relaxed)) return;
    std::vector<TreeEntry> entries;
    const bool readable = readFolder(path, entries);
    if (walk.visits && readable)
        walk.visits->append('+');
    else if (walk.visits)
        walk.visits->append('-').append(path).append('\0');
    else if (folderVisited)
        folderVisited(readable ? QByteArray() : path, readable);
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
    std::stable_sort(listed.begin(), listed.end(), [&](const Listed& a, const Listed& b) {
        return ListedBefore(walk.collator, a.name, b.name);
    });

    const bool descends = tiefe_ >= depth; // the sub-folders' entries are listed too
    if (walk.shares && descends) {
        std::vector<const QByteArray*> folders;
        for (const Listed& l : listed)
            if (l.entry->kind == TreeEntry::Folder) folders.push_back(&l.entry->raw);
        if (!folders.empty()) walk.shares->offer(path, depth + 1, folders);
    }

    QStringList comments;
    if (fileComments) {
        QList<QByteArray> files;
        for (const Listed& l : listed)
            if (l.entry->kind == TreeEntry::File) files.append(l.entry->raw);
        if (!files.isEmpty()) comments = fileComments(path, files);
    }
    qsizetype nextComment = 0;

    const QString indent(depth - 1, u' ');
    const qsizetype pathLength = path.size();
    for (const Listed& l : listed) {
        walk.add(indent + l.name);
        const TreeEntry& e = *l.entry;
        if (e.kind == TreeEntry::File) {
            const qsizetype c = nextComment++;
            walk.add(c < comments.size() ? ListedName(comments[c]) : QString());
            continue;
        }
        walk.add(QString());
        if (e.kind != TreeEntry::Folder || !descends) continue;
        path += e.raw;
        path += '/';
        if (!walk.shares || walk.shares->walkHere(path, *walk.target)) scan(path, depth + 1, walk);
        path.truncate(pathLength);
    }
}
