#include "directory/discimagereader.h"
#include "directory/directorystrings.h"
#include "platform/stringtable.h"

bool DiscImageReader::ReadImageListing(const QString& startFolder, Dialogs& dialogs) {
    return ReadListing(image_.heading(startFolder), startFolder, dialogs);
}

QByteArray DiscImageReader::encodePath(const QString& path) const {
    return DiscImage::encodePath(path);
}

bool DiscImageReader::readFolder(const QByteArray& path, std::vector<TreeEntry>& entries) {
    std::vector<TreeEntry> found;
    std::uint32_t id = 0;
    if (!image_.readFolder(path, found, &id) || read_.contains(id)) return false;
    read_.insert(id);
    entries = std::move(found);
    return true;
}

FolderComments ImageAudioComments(DiscImage& image, ReadProblems& problems,
                                   std::function<bool()> cancelled) {
    return [&image, &problems, cancelled](const QByteArray& folder,
                                          const QList<QByteArray>& names) {
        QStringList comments(names.size());
        for (qsizetype k = 0; k < names.size(); ++k) {
            if (!IsAudioFileName(DecodedName(names[k]))) continue;
            if (cancelled && cancelled()) break;
            const QByteArray path = folder + names[k];
            std::optional<TrackInfo> track;
            if (const std::optional<DiscImage::FileBytes> file = image.fileAt(path))
                track = ReadAudioBytes(names[k], file->size,
                                       [&](qint64 offset, char* data, qint64 size) {
                                           return image.read(*file, offset, data, size);
                                       });
            if (track)
                comments[k] = AudioComment(*track);
            else
                problems.add(LadeTextArg(StrProblemNoAudio, DecodedName(path)));
        }
        return comments;
    };
}
