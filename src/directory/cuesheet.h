#pragma once
#include "directory/tracklist.h"

#include <QByteArray>

// Reads a CUE sheet (through libcue) into a track list: album and track titles and
// performers, and the playing times from the INDEX 01 positions; the last track of each
// audio file runs to the file's end when the file is found in folder. Lines libcue cannot
// read are left out and counted in problems, as are audio files that are missing. A sheet
// without one readable track throws AppError naming the sheet (name).
TrackList ReadCueSheet(const QByteArray& bytes, const QString& folder, const QString& name,
                       ReadProblems& problems);
