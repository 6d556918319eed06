#pragma once
#include "directory/tracklist.h"

#include <QStringList>

// Reads the track list of an audio CD through libcdio: the track lengths from the disc's
// table of contents, titles and performers from its CD-Text where it has some. source is
// a drive ("/dev/sr0") or a disc image libcdio opens (BIN/CUE, TOC, NRG). Data tracks are
// left out. Throws AppError naming source when it holds no audio track.
TrackList ReadAudioCd(const QString& source);

// The drives that hold an audio CD now.
QStringList AudioCdDrives();
