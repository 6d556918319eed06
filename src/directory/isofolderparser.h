#pragma once
#include "directory/treewalker.h"

#include <cstdint>
#include <functional>
#include <QByteArray>
#include <vector>

// One entry of a folder of an ISO 9660 image, as its directory records describe it.
struct IsoRecord {
    QByteArray raw; // the name as recorded (UTF-8 for Joliet names)
    QString name;
    TreeEntry::Kind kind = TreeEntry::Other; // links are Other until resolved
    bool hidden = false;
    bool link = false;
    bool relocated = false; // a folder moved away; its placeholder (CL) lists it
    QByteArray target;      // the link target
    std::uint32_t lsn = 0;  // first block of a folder's records
    std::uint32_t size = 0; // bytes of a folder's records (0: read them from its "." record)
};

// Reads the directory records of one folder: plain ISO 9660 names, Joliet names (UCS-2) or
// Rock Ridge names, modes and links. Every length and position comes from the image, so
// each is checked against the record and the image; a record that does not fit ends the
// reading with DamagedImage.
class IsoFolderParser {
public:
    enum Names { Plain, Joliet, RockRidge };
    struct DamagedImage {};
    // Reads count blocks from lsn into out; false when they lie outside the image.
    using BlockReader =
        std::function<bool(std::uint32_t lsn, std::uint32_t count, QByteArray& out)>;

    IsoFolderParser(Names names, BlockReader read) : names_(names), read_(std::move(read)) {}

    // The entries of the folder whose records fill size bytes from block lsn, "." and ".."
    // left out, the parts of a file of several extents listed once.
    std::vector<IsoRecord> parse(std::uint32_t lsn, std::uint32_t size) const;
    // True when the "." record at the start of these records carries Rock Ridge entries.
    static bool hasRockRidge(const QByteArray& records);

    // Folders larger than this are taken for damage: a folder of 100,000 entries with long
    // names needs a tenth of it.
    static constexpr std::uint32_t kMaxFolderBytes = 64u << 20;

private:
    void readSystemUse(const char* data, int length, IsoRecord& r, std::uint32_t& mode,
                       bool& hasMode) const;
    Names names_;
    BlockReader read_;
};
