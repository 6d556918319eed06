#pragma once
#include "directory/tracklist.h"

#include <functional>
#include <optional>
#include <QByteArray>

// Whether a file name names a kind of audio file whose tags and length are read (MP3,
// FLAC, Ogg Vorbis, Opus, M4A/AAC, WAV, AIFF), by its extension in any letter case.
bool IsAudioFileName(QStringView name);

// The performer, title and playing time of an audio file (TagLib); nothing when the file
// holds no readable audio.
std::optional<TrackInfo> ReadAudioFile(const QByteArray& path);

// The comment of an audio file in a listing: "Artist – Title (m:ss)", leaving out what the
// file lacks ("Title (m:ss)", "(m:ss)").
QString AudioComment(const TrackInfo& track);

// For a reading with the audio option: the comment of each listed file, empty for files
// that are no audio; a file named as audio that holds none is counted in problems.
std::function<QString(const QByteArray& path)> AudioFileComments(ReadProblems& problems);
