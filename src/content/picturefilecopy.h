#pragma once
#include <QString>

class Dialogs;

// Copies a picture or texture file to destination. When the destination exists, asks first
// (its upper-cased file name and "already exists! Overwrite?", OK/Cancel); Cancel leaves it as
// it was. Creates missing folders. The copy is written to a temporary file and renamed, so a
// failure never leaves a half file; a destination that is the source itself (another path or
// letter case to the same file) is left alone. Returns the destination as it lies on disk.
// Throws AppError when the source cannot be read or the destination cannot be written.
QString CopyPictureFile(const QString& source, const QString& destination, Dialogs& dialogs);
