#pragma once
#include "directory/tracklist.h"

#include <functional>
#include <optional>
#include <QByteArray>
#include <QList>

// Whether a file name names a kind of audio file whose tags and length are read (MP3,
// FLAC, Ogg Vorbis, Opus, M4A/AAC, WAV, AIFF), by its extension in any letter case.
bool IsAudioFileName(QStringView name);

// Reads up to size bytes at offset into data: the number read, 0 at the end, -1 on an error.
using AudioBytesReader = std::function<qint64(qint64 offset, char* data, qint64 size)>;

// The performer, title and playing time of an audio file (TagLib); nothing when the file
// holds no readable audio.
std::optional<TrackInfo> ReadAudioFile(const QByteArray& path);
// The same for an audio file of the given name (its extension picks the reader) and length
// whose bytes come from read, e.g. a file inside a disc image.
std::optional<TrackInfo> ReadAudioBytes(const QByteArray& name, qint64 length,
                                        const AudioBytesReader& read);

// The comment of an audio file in a listing: "Artist – Title (m:ss)", leaving out what the
// file lacks ("Title (m:ss)", "(m:ss)").
QString AudioComment(const TrackInfo& track);

// The comments of a folder's files for a reading with the audio option, given the folder's
// path (ending in '/') and the files' names as the source spells them: empty for files that
// are no audio. The files of a folder are read on several threads; the comments and the
// problems (a file named as audio that holds none) come in the order of names. Once
// cancelled returns true, no more files are opened.
using FolderComments =
    std::function<QStringList(const QByteArray& folder, const QList<QByteArray>& names)>;
FolderComments AudioFileComments(ReadProblems& problems, std::function<bool()> cancelled = nullptr);
