#pragma once
#include <QString>

class QFileDevice;

// Ids of the reasons (German at n, English at n + 1000).
enum SystemReasonId {
    StrReasonNoPermission = 780,     // no permission
    StrReasonNoSpace = 781,          // no space left
    StrReasonReadOnly = 782,         // read-only file system
    StrReasonNotFound = 783,         // no such file or folder
    StrReasonIsFolder = 784,         // it is a folder
    StrReasonNameTooLong = 785,      // the name is too long
    StrReasonNotPictureOfKind = 786, // the file is not a %1 picture
};

// Why a file could not be read or written, as the messages word it: the common causes in
// the program's language, the system's own text only for the rare rest. Every message that
// names such a cause takes it from here.
QString SystemReason(int errorNumber);
// The reason of a failed QFile or QSaveFile step (Qt keeps its words, not the number).
QString FileReason(const QFileDevice& file);
// The data of a file is not a picture of the kind its extension names ("JPEG").
QString NotPictureOfKind(const QString& kind);
