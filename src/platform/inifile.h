#pragma once
#include <optional>
#include <QString>
#include <QStringList>

// The settings file: "key=value" lines under "[SECTION]" headers. Section and key names
// match case-insensitively; writing one key rewrites only that line and keeps the others.
class IniFile {
public:
    explicit IniFile(QString path);
    const QString& path() const { return path_; }

    bool exists() const;
    // A file that exists and carries a write permission bit. Checked on the bits rather than
    // by trying to open it, so a read-only file is left alone also for the super-user.
    bool isWritable() const;

    QString readString(const QString& section, const QString& key, const QString& def) const;
    // The decimal value of the key, or def when it is missing or not a number.
    int readInteger(const QString& section, const QString& key, int def) const;
    // Sets the key (adding section and key when missing) and writes the file safely.
    // Throws AppError when the file cannot be written.
    void writeString(const QString& section, const QString& key, const QString& value) const;

    // The file's lines with the key set; used by writeString, testable without a file.
    static QStringList withValue(QStringList lines, const QString& section, const QString& key,
                                 const QString& value);
    static std::optional<QString> valueIn(const QStringList& lines, const QString& section,
                                          const QString& key);

private:
    QStringList lines() const;
    QString path_;
};
