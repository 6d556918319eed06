#include "directory/isofolderparser.h"

#include <sys/stat.h>

namespace {
constexpr int kBlock = 2048;
constexpr int kMaxName = 4096;             // bytes of a Rock Ridge name or link target
constexpr int kMaxContinuations = 32;      // continuation areas of one record
constexpr std::uint32_t kMaxArea = kBlock; // a continuation area lies within one block

std::uint32_t le32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return u[0] | (u[1] << 8) | (u[2] << 16) | (std::uint32_t(u[3]) << 24);
}

// ISO 9660 names carry a version (";1") and an empty extension keeps its dot ("README.").
QByteArray plainName(QByteArray name) {
    const qsizetype semicolon = name.lastIndexOf(';');
    if (semicolon >= 0) name.truncate(semicolon);
    if (name.endsWith('.')) name.chop(1);
    return name;
}

QString jolietName(const char* data, int length) {
    QString name(length / 2, Qt::Uninitialized);
    for (int i = 0; i < length / 2; ++i)
        name[i] = QChar(char16_t((uchar(data[2 * i]) << 8) | uchar(data[2 * i + 1])));
    const qsizetype semicolon = name.lastIndexOf(u';');
    if (semicolon >= 0) name.truncate(semicolon);
    return name;
}
} // namespace

bool IsoFolderParser::hasRockRidge(const QByteArray& records) {
    if (records.size() < 34) return false;
    const int length = uchar(records[0]);
    const int nameLength = uchar(records[32]);
    if (length > records.size() || 33 + nameLength > length) return false;
    int pos = 33 + nameLength + (nameLength % 2 == 0 ? 1 : 0);
    // The "SP" entry opens the system use area of the first record when SUSP is used.
    return pos + 7 <= length && records[pos] == 'S' && records[pos + 1] == 'P' &&
           uchar(records[pos + 4]) == 0xBE && uchar(records[pos + 5]) == 0xEF;
}

void IsoFolderParser::readSystemUse(const char* data, int length, IsoRecord& r, std::uint32_t& mode,
                                    bool& hasMode) const {
    QByteArray area; // the continuation area being read, once there is one
    bool linkSeparator = false;
    for (int continuation = 0;; ++continuation) {
        std::uint32_t ceLsn = 0, ceOffset = 0, ceLength = 0;
        bool more = false;
        int pos = 0;
        while (pos + 4 <= length) {
            const char* e = data + pos;
            const int len = uchar(e[2]);
            if (len < 4 || pos + len > length) break;
            const QByteArrayView sig(e, 2);
            if (sig == "NM" && len >= 5) {
                if (!(uchar(e[4]) & 0x06) && r.raw.size() + len - 5 <= kMaxName)
                    r.raw.append(e + 5, len - 5);
            } else if (sig == "PX" && len >= 12) {
                mode = le32(e + 4);
                hasMode = true;
            } else if (sig == "SL" && len >= 5) {
                r.link = true;
                for (int c = 5; c + 2 <= len;) {
                    const int flags = uchar(e[c]);
                    const int clen = uchar(e[c + 1]);
                    if (c + 2 + clen > len || r.target.size() + clen + 4 > kMaxName) break;
                    if (flags & 0x08) {
                        r.target = "/";
                        linkSeparator = false;
                    } else {
                        if (linkSeparator) r.target += '/';
                        if (flags & 0x02)
                            r.target += '.';
                        else if (flags & 0x04)
                            r.target += "..";
                        else
                            r.target.append(e + c + 2, clen);
                        linkSeparator = !(flags & 0x01);
                    }
                    c += 2 + clen;
                }
            } else if (sig == "CL" && len >= 12) {
                r.kind = TreeEntry::Folder;
                r.lsn = le32(e + 4);
                r.size = 0;
            } else if (sig == "RE") {
                r.relocated = true;
            } else if (sig == "CE" && len >= 28) {
                ceLsn = le32(e + 4);
                ceOffset = le32(e + 12);
                ceLength = le32(e + 20);
                more = true;
            } else if (sig == "ST") {
                break;
            }
            pos += len;
        }
        if (!more || continuation >= kMaxContinuations) return;
        if (ceOffset >= kMaxArea || ceLength > kMaxArea - ceOffset) throw DamagedImage{};
        if (!read_(ceLsn, 1, area)) throw DamagedImage{};
        data = area.constData() + ceOffset;
        length = int(ceLength);
    }
}

std::vector<IsoRecord> IsoFolderParser::parse(std::uint32_t lsn, std::uint32_t size) const {
    if (size > kMaxFolderBytes) throw DamagedImage{};
    QByteArray bytes;
    const std::uint32_t blocks = (size + kBlock - 1) / kBlock;
    if (blocks == 0 || !read_(lsn, blocks, bytes)) throw DamagedImage{};
    std::vector<IsoRecord> out;
    QByteArray previousRaw;
    bool previousContinues = false;
    for (std::uint32_t off = 0; off < size;) {
        const char* d = bytes.constData() + off;
        const int length = uchar(d[0]);
        if (length == 0) { // the rest of this block is unused
            off = (off / kBlock + 1) * kBlock;
            continue;
        }
        if (length < 34 || off % kBlock + length > kBlock || off + length > size)
            throw DamagedImage{};
        const int nameLength = uchar(d[32]);
        if (33 + nameLength > length) throw DamagedImage{};
        off += length;
        const int flags = uchar(d[25]);
        const bool continues = flags & 0x80;
        if (nameLength == 1 && (d[33] == 0 || d[33] == 1)) { // "." and ".."
            previousContinues = false;
            continue;
        }
        if (flags & 0x04) continue; // an associated file belongs to the one of its name

        IsoRecord r;
        r.hidden = flags & 0x01;
        r.kind = (flags & 0x02) ? TreeEntry::Folder : TreeEntry::File;
        r.lsn = le32(d + 2) + uchar(d[1]);
        r.size = le32(d + 10);
        std::uint32_t mode = 0;
        bool hasMode = false;
        if (names_ == RockRidge) {
            const int su = 33 + nameLength + (nameLength % 2 == 0 ? 1 : 0);
            if (su < length) readSystemUse(d + su, length - su, r, mode, hasMode);
        }
        if (r.raw.isEmpty()) {
            if (names_ == Joliet) {
                r.name = jolietName(d + 33, nameLength);
                r.raw = r.name.toUtf8();
            } else {
                r.raw = plainName(QByteArray(d + 33, nameLength));
                r.name = QString::fromLatin1(r.raw);
            }
        } else {
            r.name = DecodedName(r.raw);
        }
        // The parts of a large file are records of one name, each but the last flagged.
        const bool samePart = previousContinues && r.raw == previousRaw;
        previousContinues = continues;
        if (samePart) continue;
        previousRaw = r.raw;
        if (r.relocated || r.raw.isEmpty()) continue;
        if (hasMode && !r.link) {
            if (S_ISLNK(mode))
                r.link = true;
            else if (!S_ISDIR(mode) && !S_ISREG(mode) && r.kind == TreeEntry::File)
                r.kind = TreeEntry::Other; // devices, pipes, sockets
        }
        if (r.link) r.kind = TreeEntry::Other;
        out.push_back(std::move(r));
    }
    return out;
}
