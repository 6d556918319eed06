#pragma once
#include <QString>

// Where a stored picture path points on this computer. A cover written elsewhere may name
// "C:\...\BILDER\foto.jpg": when the stored path (or a relative one below the program folder)
// does not exist, the same file name is looked for, ignoring letter case, in the program's
// BILDER folder. Returns the path to load, or stored unchanged when nothing is found.
// The document keeps the stored path; this only decides what is read.
QString resolvePicturePath(const QString& stored);
