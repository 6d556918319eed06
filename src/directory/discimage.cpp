#include "directory/discimage.h"
#include "directory/directorystrings.h"
#include "directory/drivelist.h"
#include "directory/isofolderparser.h"
#include "directory/listingsort.h"
#include "platform/apperror.h"
#include "platform/stringtable.h"

#include <algorithm>
#include <cdio/iso9660.h>
#include <cdio/logging.h>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <QFile>
#include <QFileInfo>

namespace {
constexpr int kBlock = 2048;
constexpr int kMaxHops = 8;         // links followed one after the other
constexpr int kMaxComponents = 128; // folders in a path inside the image
constexpr int kMaxDescriptors = 64; // volume descriptors looked at for Joliet
constexpr qint64 kMaxLinkWork = 256 << 20;

std::uint32_t le32(const void* p) {
    const auto* u = static_cast<const unsigned char*>(p);
    return u[0] | (u[1] << 8) | (u[2] << 16) | (std::uint32_t(u[3]) << 24);
}

// The library logs to stderr and, on its own assertions, aborts; an image is only data.
void quietLog(cdio_log_level_t, const char*) {}

// "a/../b/./c" within the image, never above its top folder.
QByteArray normalized(const QByteArray& folder, const QByteArray& target) {
    QList<QByteArray> parts;
    if (!target.startsWith('/'))
        for (const QByteArray& p : folder.split('/'))
            if (!p.isEmpty()) parts << p;
    for (const QByteArray& p : target.split('/')) {
        if (p.isEmpty() || p == ".") continue;
        if (p == "..") {
            if (!parts.isEmpty()) parts.removeLast();
        } else {
            parts << p;
        }
    }
    return parts.isEmpty() ? QByteArray() : '/' + parts.join('/');
}

QByteArray withoutTrailingSlash(QByteArray path) {
    while (path.endsWith('/'))
        path.chop(1);
    return path;
}
} // namespace

struct DiscImage::Handle {
    explicit Handle(iso9660_t* i) : iso(i) {}
    ~Handle() { iso9660_close(iso); }
    iso9660_t* iso;
};

DiscImage::DiscImage(const QString& file) : file_(file) {
    static std::once_flag quiet;
    std::call_once(quiet, [] { cdio_log_set_handler(quietLog); });

    QFile f(file);
    if (!QFileInfo(file).isFile() || !f.open(QIODevice::ReadOnly))
        throw AppError(LadeTextArg(StrImageUnreadable, file));
    const qint64 bytes = f.size();
    f.close();
    iso9660_t* iso = iso9660_open_ext(QFile::encodeName(file).constData(), ISO_EXTENSION_ALL);
    if (!iso) throw AppError(LadeTextArg(StrImageNotIso, file));
    handle_ = std::make_unique<Handle>(iso);
    iso9660_pvd_t pvd;
    if (!iso9660_ifs_read_pvd(iso, &pvd) || iso9660_get_pvd_block_size(&pvd) != kBlock)
        throw AppError(LadeTextArg(StrImageNotIso, file));
    blocks_ = std::uint32_t(iso9660_get_pvd_space_size(&pvd));
    if (qint64(blocks_) * kBlock > bytes) damaged(); // cut short

    const auto* rootRecord = reinterpret_cast<const char*>(&pvd.root_directory_record);
    root_ = {TreeEntry::Folder, le32(rootRecord + 2), le32(rootRecord + 10)};
    QByteArray first;
    if (!readBlocks(root_.lsn, 1, first)) damaged();
    names_ = IsoFolderParser::Plain;
    if (IsoFolderParser::hasRockRidge(first)) {
        names_ = IsoFolderParser::RockRidge;
    } else if (iso9660_ifs_get_joliet_level(iso) > 0) {
        // The Joliet folders hang from the supplementary descriptor that names UCS-2.
        QByteArray vd;
        for (int i = 0; i < kMaxDescriptors && readBlocks(16 + i, 1, vd); ++i) {
            const auto* svd = reinterpret_cast<const iso9660_svd_t*>(vd.constData());
            if (svd->type == ISO_VD_END) break;
            const char* esc = svd->escape_sequences;
            if (svd->type != ISO_VD_SUPPLEMENTARY || std::memcmp(svd->id, "CD001", 5) != 0 ||
                esc[0] != '%' || esc[1] != '/' || (esc[2] != '@' && esc[2] != 'C' && esc[2] != 'E'))
                continue;
            const auto* r = reinterpret_cast<const char*>(&svd->root_directory_record);
            root_ = {TreeEntry::Folder, le32(r + 2), le32(r + 10)};
            names_ = IsoFolderParser::Joliet;
            break;
        }
    }
    parse(root_.lsn, root_.size); // the top folder must be readable

    char* id = nullptr;
    if (iso9660_ifs_get_volume_id(iso, &id) && id) label_ = QString::fromUtf8(id).trimmed();
    std::free(id);
    if (label_.isEmpty()) label_ = QFileInfo(file).completeBaseName();
}

DiscImage::~DiscImage() = default;

bool DiscImage::isImageFile(const QString& path) {
    if (path.endsWith(QLatin1String(".iso"), Qt::CaseInsensitive)) return true;
    QFile f(path);
    if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly) || !f.seek(16 * kBlock))
        return false;
    const QByteArray head = f.read(6);
    return head.size() == 6 && head.mid(1) == "CD001";
}

void DiscImage::damaged() const {
    throw AppError(LadeTextArg(StrImageDamaged, file_));
}

bool DiscImage::readBlocks(std::uint32_t lsn, std::uint32_t count, QByteArray& out) {
    if (lsn >= blocks_ || count > blocks_ - lsn ||
        count > IsoFolderParser::kMaxFolderBytes / kBlock)
        return false;
    out.resize(qsizetype(count) * kBlock);
    return iso9660_iso_seek_read(handle_->iso, out.data(), lsn_t(lsn), count) ==
           long(count) * kBlock;
}

std::vector<IsoRecord> DiscImage::parse(std::uint32_t lsn, std::uint32_t size) {
    try {
        if (size == 0) { // a relocated folder: its "." record tells its size
            QByteArray first;
            if (!readBlocks(lsn, 1, first) || uchar(first[0]) < 34) damaged();
            size = le32(first.constData() + 10);
        }
        const IsoFolderParser parser(IsoFolderParser::Names(names_),
                                     [this](std::uint32_t l, std::uint32_t c, QByteArray& out) {
                                         return readBlocks(l, c, out);
                                     });
        return parser.parse(lsn, size);
    } catch (const IsoFolderParser::DamagedImage&) {
        damaged();
    }
}

std::optional<DiscImage::Found> DiscImage::lookup(const QByteArray& path, int hops) {
    if (path.isEmpty()) return root_;
    if (auto it = folderCache_.constFind(path); it != folderCache_.constEnd()) return *it;
    if (hops > kMaxHops || path.count('/') > kMaxComponents) return std::nullopt;
    const qsizetype cut = path.lastIndexOf('/');
    const QByteArray parent = path.left(std::max<qsizetype>(cut, 0));
    const QByteArray name = path.mid(cut + 1);
    const std::optional<Found> p = lookup(parent, hops);
    if (!p || p->kind != TreeEntry::Folder) return std::nullopt;
    if (hops > 0 && lastLsn_ != p->lsn) linkWork_ += p->size;
    const auto records = parseCached(p->lsn, p->size);
    for (const IsoRecord& r : *records) {
        if (r.raw != name) continue;
        if (r.link) return lookup(normalized(parent, r.target), hops + 1);
        const Found f{r.kind, r.lsn, r.size};
        if (f.kind == TreeEntry::Folder) folderCache_.insert(path, f);
        return f;
    }
    return std::nullopt;
}

std::shared_ptr<const std::vector<IsoRecord>> DiscImage::parseCached(std::uint32_t lsn,
                                                                     std::uint32_t size) {
    if (!lastRecords_ || lastLsn_ != lsn) {
        lastRecords_ = std::make_shared<const std::vector<IsoRecord>>(parse(lsn, size));
        lastLsn_ = lsn;
    }
    return lastRecords_;
}

TreeEntry::Kind DiscImage::resolveLink(const QByteArray& folder, const QByteArray& target,
                                       int hops) {
    if (linkWork_ > kMaxLinkWork) return TreeEntry::Other;
    const std::optional<Found> f = lookup(normalized(folder, target), hops + 1);
    if (!f) return TreeEntry::Other; // dangling, or a loop
    if (f->kind == TreeEntry::Folder) return TreeEntry::FolderLink;
    return f->kind == TreeEntry::File ? TreeEntry::File : TreeEntry::Other;
}

QByteArray DiscImage::encodePath(const QString& folder) {
    QString f = folder;
    f.replace(u'\\', u'/');
    return f.toUtf8();
}

std::optional<DiscImage::FileBytes> DiscImage::fileAt(const QByteArray& path) {
    const std::optional<Found> f = lookup(path, 0);
    if (!f || f->kind != TreeEntry::File) return std::nullopt;
    return FileBytes{f->lsn, f->size};
}

qint64 DiscImage::read(const FileBytes& file, qint64 offset, char* data, qint64 size) {
    if (offset < 0 || size < 0) return -1;
    if (offset >= file.size || size == 0) return 0;
    size = std::min<qint64>(size, file.size - offset);
    const qint64 first = offset / kBlock, last = (offset + size - 1) / kBlock;
    if (qint64(file.lsn) + last >= qint64(blocks_)) return -1; // beyond the volume
    const qint64 count = last - first + 1;
    QByteArray blocks(count * kBlock, Qt::Uninitialized);
    if (iso9660_iso_seek_read(handle_->iso, blocks.data(), lsn_t(file.lsn + first), count) !=
        count * kBlock)
        return -1;
    std::memcpy(data, blocks.constData() + (offset - first * kBlock), size_t(size));
    return size;
}

bool DiscImage::readFolder(const QByteArray& path, std::vector<TreeEntry>& entries,
                           std::uint32_t* folderId) {
    const QByteArray folder = withoutTrailingSlash(path);
    const std::optional<Found> f = lookup(folder, 0);
    if (!f || f->kind != TreeEntry::Folder) return false;
    std::vector<IsoRecord> records = parse(f->lsn, f->size);
    if (folderId) *folderId = f->lsn;
    entries.reserve(entries.size() + records.size());
    for (IsoRecord& r : records) {
        TreeEntry::Kind kind = r.kind;
        if (r.link) {
            kind = resolveLink(folder, r.target, 0);
        } else if (kind == TreeEntry::Folder) {
            folderCache_.insert(folder + '/' + r.raw, {kind, r.lsn, r.size});
            // Where deep folders were moved away, their placeholders list them; the
            // folder that holds them is the image maker's, not the user's.
            if (folder.isEmpty() && names_ == IsoFolderParser::RockRidge &&
                r.raw.compare("rr_moved", Qt::CaseInsensitive) == 0 && parse(r.lsn, r.size).empty())
                continue;
        }
        entries.push_back({std::move(r.raw), std::move(r.name), kind, r.hidden});
    }
    return true;
}

bool DiscImage::isFolder(const QString& folder) {
    const std::optional<Found> f = lookup(withoutTrailingSlash(encodePath(folder)), 0);
    return f && f->kind == TreeEntry::Folder;
}

QStringList DiscImage::folders(const QString& folder) {
    std::vector<TreeEntry> entries;
    if (!readFolder(encodePath(folder), entries))
        throw AppError(LadeTextArg(StrImageNoFolder, file_, folder));
    QStringList names;
    for (const TreeEntry& e : entries)
        if ((e.kind == TreeEntry::Folder || e.kind == TreeEntry::FolderLink) && !e.hidden &&
            !e.name.startsWith(u'.'))
            names << e.name;
    SortFolderNames(names);
    return names;
}

QString DiscImage::heading(const QString& folder) const {
    return VolumeHeading(label_, folder);
}
