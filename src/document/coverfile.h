#pragma once
#include "document/coverdocument.h"

#include <functional>
#include <optional>
#include <QStringList>

class SafeFile;

// Cover files on disk: reading a whole file into a document and saving one safely.
class CoverFile {
public:
    // Room for a listing of a million entries; anything bigger is refused before it is read
    // into memory, and saving refuses to write what reading would refuse.
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;
    static constexpr qsizetype MaxLines = 4'000'000;

    struct Loaded {
        std::optional<int> layout; // the stored case layout (version 2.0 files only)
        QStringList notLoaded;     // pictures missing or not loaded, textures not loaded
    };
    enum class Reader { ByFirstLine, V20 };

    // The lines of a cover file (a NUL ends the text). Throws AppError for a missing,
    // unreadable, empty, oversized or non-regular file, or one of more than
    // MaxLines lines. The lines are views into text (splitLineViews).
    struct FileLines {
        QString text;
        QStringList lines;
    };
    static FileLines readLines(const QString& path);
    // Reads the file into doc, which the caller has reset. Throws AppError naming the file
    // and line; doc is then partly filled and must be thrown away.
    static Loaded load(const QString& path, CoverDocument& doc, Reader reader);

    // Writes doc as a version 2.0 file. The new content goes completely into a temporary
    // file beside the target first; only then the previous file becomes the ".bak" (an
    // older one is replaced) and the new one takes its place. On failure the previous file
    // keeps its name and an AppError names the file and the reason. Content of more than
    // MaxLines lines or MaxFileSize bytes is refused before anything is written.
    static void save(const QString& path, const CoverDocument& doc);
    static void saveBytes(const QString& path, const QByteArray& bytes);

    // The same name with the extension ".bak" (replaced, not appended).
    static QString backupPath(const QString& path);
    // Makes the file at path its ".bak", replacing an older one. A missing file is no
    // error; a file that cannot be moved throws AppError.
    static void MakeBackup(const QString& path);

    // Tests inject faults here: a hook returning a non-empty text makes that step fail with
    // it as the reason. WriteTemp fires after half of the content is written.
    enum class SaveStep { WriteTemp, Backup, Replace };
    using FaultHook = std::function<QString(SaveStep)>;
    static void setFaultHook(FaultHook hook);

private:
    // The steps of a save around fill, which writes the content into the temporary file
    // and returns why it failed (empty on success).
    static void saveWith(const QString& path, const std::function<QString(SafeFile&)>& fill);
};
