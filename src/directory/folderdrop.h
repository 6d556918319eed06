#pragma once
#include <QString>

class QMimeData;

// The first local folder among dropped URLs (from a file manager), or an empty string.
QString DroppedFolder(const QMimeData* data);
