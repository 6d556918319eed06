// The folder records of a disc image on arbitrary bytes. The input is the image: its top
// folder is the one the volume descriptor names, or the records from block 0 when there is
// none; folders are then followed as a reading follows them, in all three kinds of names.
#include "directory/isofolderparser.h"

#include <cstdint>
#include <cstdlib>
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

    std::pair<std::uint32_t, std::uint32_t> top{0, std::uint32_t(size)};
    const char* pvd = image.constData() + 16 * kBlock;
    if (blocks > 16 && QByteArrayView(pvd, 6) == "\x01" "CD001")
        top = {le32(pvd + 156 + 2) + std::uint8_t(pvd[156 + 1]), le32(pvd + 156 + 10)};
    if (top.first < blocks) (void)IsoFolderParser::hasRockRidge(image.mid(top.first * kBlock, kBlock));

    for (const auto names : {IsoFolderParser::Plain, IsoFolderParser::Joliet,
                             IsoFolderParser::RockRidge}) {
        const IsoFolderParser parser(names, read);
        std::vector<std::pair<std::uint32_t, std::uint32_t>> folders{top};
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
