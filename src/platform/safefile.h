#pragma once
#include <functional>
#include <QByteArray>
#include <QSaveFile>
#include <QString>

// Every file the program writes goes through here: all or nothing. The content goes into a
// temporary file in the target's folder (an unnamed one where the system offers it, so a
// process killed half way leaves nothing behind); it takes the target's name only when every
// byte has been written, flushed and synced. A failure at any step leaves the previous file
// byte for byte and gives the reason (systemreason.h: "no space left on the drive").
class SafeFile {
public:
    explicit SafeFile(const QString& path);

    bool open();
    bool write(const char* data, qint64 size);
    bool write(const QByteArray& bytes) { return write(bytes.constData(), bytes.size()); }
    // For writers that stream into a device; finish() notices what it refused.
    QIODevice& device() { return file_; }
    // Flushes and syncs the temporary file; false when anything written so far failed.
    bool finish();
    // finish(), then the temporary file takes the target's name.
    bool commit();
    // Drops the temporary file; the target stays as it was.
    void cancel() { file_.cancelWriting(); }

    const QString& path() const { return path_; }
    // Why the last step failed (SystemReason).
    const QString& reason() const { return reason_; }
    // Throws the standard "cannot be written" error naming the file and the reason.
    [[noreturn]] void fail() const;

    // Writes bytes, or what fill writes (false from fill: nothing is replaced), to path.
    // Throws AppError naming the file and the reason.
    static void save(const QString& path, const QByteArray& bytes);
    static void save(const QString& path, const std::function<bool(QIODevice&)>& fill);

    // The file a path names once symbolic links are followed (also a link whose target does
    // not exist yet), as the temporary file's rename writes it: a save through a link
    // replaces the link's target and leaves the link in place.
    static QString linkTarget(const QString& path);

private:
    bool failed(const QString& qtReason);
    QString path_;
    QSaveFile file_;
    QString reason_;
};
