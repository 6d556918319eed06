#pragma once
#include "directory/tracklist.h"

#include <QByteArray>

// Reads an M3U or M3U8 playlist into a track list. "#EXTINF:seconds,Artist - Title" gives
// an entry's playing time and, split at the first " - ", its performer and title; an entry
// without it takes the tags and length of the listed file (relative to folder). The
// extended lines "#PLAYLIST:", "#EXTART:" and "#EXTALB:" give the heading. Entries whose
// file is missing or holds no audio are listed by their file name and counted in problems.
TrackList ReadPlaylist(const QByteArray& bytes, const QString& folder, ReadProblems& problems);
