// The folder records of a disc image on arbitrary bytes. The input is the image: its top
// folder is the one the primary volume descriptor names (for Joliet names the one of the
// supplementary descriptor that announces them, as the image reader takes it), or the records
// from block 0 when there is none; folders are then followed as a reading follows them, in
// all three kinds of names.
#include "directory/isofolderparser.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

namespace {
constexpr std::uint32_t kBlock = 2048;

std::uint32_t le32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return u[0] | (u[1] << 8) | (u[2] << 16) | (std::uint32_t(u[3]) << 24);
}

void check(bool ok) {
    if (!ok) std::abort();
}

using Extent = std::pair<std::uint32_t, std::uint32_t>; // first block, size in bytes

// The top folder a volume descriptor names (its root record at byte 156).
Extent rootOf(const char* vd) {
    return {le32(vd + 156 + 2) + std::uint8_t(vd[156 + 1]), le32(vd + 156 + 10)};
}

// The descriptor of block 16 + i is of type t with the standard identifier.
bool isDescriptor(const QByteArray& image, std::uint32_t i, char t) {
    const qsizetype at = qsizetype(16 + i) * kBlock;
    return image.size() >= at + kBlock && image[at] == t && image.mid(at + 1, 5) == "CD001";
}

// The first supplementary descriptor whose escape sequence announces UCS-2 (Joliet).
std::optional<Extent> jolietRoot(const QByteArray& image) {
    for (std::uint32_t i = 0; i < 64 && !isDescriptor(image, i, char(0xFF)); ++i) {
        if (!isDescriptor(image, i, 2)) continue;
        const char* vd = image.constData() + qsizetype(16 + i) * kBlock;
        const char* esc = vd + 88;
        if (esc[0] == '%' && esc[1] == '/' && (esc[2] == '@' || esc[2] == 'C' || esc[2] == 'E'))
            return rootOf(vd);
    }
    return std::nullopt;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray image(reinterpret_cast<const char*>(data), qsizetype(size));
    image.append(QByteArray((kBlock - image.size() % kBlock) % kBlock, '\0'));
    const std::uint32_t blocks = std::uint32_t(image.size() / kBlock);
    // Like the image file's reader: whole blocks, and only those the image holds.
    const IsoFolderParser::BlockReader read = [&](std::uint32_t lsn, std::uint32_t count,
                                                  QByteArray& out) {
        if (lsn >= blocks || count > blocks - lsn) return false;
        out = image.mid(qsizetype(lsn) * kBlock, qsizetype(count) * kBlock);
        return true;
    };

    Extent top{0, std::uint32_t(size)};
    if (isDescriptor(image, 0, 1)) top = rootOf(image.constData() + 16 * kBlock);
    if (top.first < blocks)
        (void)IsoFolderParser::hasRockRidge(image.mid(top.first * kBlock, kBlock));
    const Extent joliet = jolietRoot(image).value_or(top);

    for (const auto names :
         {IsoFolderParser::Plain, IsoFolderParser::Joliet, IsoFolderParser::RockRidge}) {
        const IsoFolderParser parser(names, read);
        std::vector<Extent> folders{names == IsoFolderParser::Joliet ? joliet : top};
        for (std::size_t i = 0; i < folders.size() && i < 32; ++i) {
            try {
                for (const IsoRecord& r : parser.parse(folders[i].first, folders[i].second)) {
                    check(!r.raw.isEmpty() && !r.relocated);
                    check(r.raw.size() <= 4096 && r.target.size() <= 4096);
                    check(!r.link || r.kind == TreeEntry::Other);
                    if (r.kind == TreeEntry::Folder && r.size > 0)
                        folders.emplace_back(r.lsn, r.size);
                }
            } catch (const IsoFolderParser::DamagedImage&) {
            }
        }
    }
    return 0;
}
