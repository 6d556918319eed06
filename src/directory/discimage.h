#pragma once
#include "directory/treewalker.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

struct IsoRecord;

// An ISO 9660 disc image file, read without mounting it (libiso9660): its volume label and
// its folders, with Rock Ridge names where the image has them, otherwise Joliet names,
// otherwise the plain ISO 9660 names. Paths inside the image are "/" for the top folder
// and "/MUSIK/ROCK" below it ("\" is taken as a separator too). An image that is not ISO
// 9660, is cut short or whose records are damaged throws AppError naming the file.
class DiscImage {
public:
    explicit DiscImage(const QString& file);
    ~DiscImage();
    DiscImage(const DiscImage&) = delete;
    DiscImage& operator=(const DiscImage&) = delete;

    // True for a file the scan command and the dialog take for an image: the extension
    // ".iso" in any letter case, or an ISO 9660 volume descriptor where one belongs.
    static bool isImageFile(const QString& path);

    const QString& file() const { return file_; }
    // The volume label, or the file's base name when the image has none.
    const QString& label() const { return label_; }
    // The heading line of a reading from folder: label, ":\" and the folder, e.g.
    // "MYDISC:\MUSIK\".
    QString heading(const QString& folder) const;

    bool isFolder(const QString& folder);
    // The names of the sub-folders of folder that a reading would list (links to folders
    // included: a path through one is followed), sorted as a listing sorts them, for the
    // dialog's folder list. Throws AppError when the folder does not exist.
    QStringList folders(const QString& folder);

    // The entries of the folder at path (bytes, '/'-separated); false when there is no
    // such folder. folderId identifies the folder's records (the same for two paths of one
    // folder). Links are resolved inside the image.
    bool readFolder(const QByteArray& path, std::vector<TreeEntry>& entries,
                    std::uint32_t* folderId = nullptr);

    // Where the bytes of a file of the image lie.
    struct FileBytes {
        std::uint32_t lsn = 0, size = 0;
    };
    // The file at path ('/'-separated bytes, e.g. "/MUSIK/a.mp3"); nothing when there is no
    // such file.
    std::optional<FileBytes> fileAt(const QByteArray& path);
    // Reads up to size bytes of file from offset into data: the number read, 0 at its end,
    // -1 when the image cannot be read there.
    qint64 read(const FileBytes& file, qint64 offset, char* data, qint64 size);

    // Begins a reading: links may again cost the work of kMaxLinkWork.
    void startReading() { linkWork_ = 0; }

    // The path of a folder as readFolder takes it.
    static QByteArray encodePath(const QString& folder);

private:
    struct Found {
        TreeEntry::Kind kind;
        std::uint32_t lsn, size;
    };
    std::vector<IsoRecord> parse(std::uint32_t lsn, std::uint32_t size);
    std::shared_ptr<const std::vector<IsoRecord>> parseCached(std::uint32_t lsn,
                                                              std::uint32_t size);
    std::optional<Found> lookup(const QByteArray& path, int hops);
    TreeEntry::Kind resolveLink(const QByteArray& folder, const QByteArray& target, int hops);
    bool readBlocks(std::uint32_t lsn, std::uint32_t count, QByteArray& out);
    [[noreturn]] void damaged() const;

    struct Handle;
    std::unique_ptr<Handle> handle_;
    QString file_;
    QString label_;
    std::uint32_t blocks_ = 0; // blocks of the volume
    int names_ = 0;            // IsoFolderParser::Names
    Found root_{};
    QHash<QByteArray, Found> folderCache_; // folder path without trailing '/'
    // The records parsed last: links of one folder mostly point into the same folder.
    std::uint32_t lastLsn_ = 0;
    std::shared_ptr<const std::vector<IsoRecord>> lastRecords_;
    // Bytes of records read to resolve links in this reading; beyond the limit a link
    // counts as dangling, so an image full of links into huge folders cannot stall.
    qint64 linkWork_ = 0;
};
