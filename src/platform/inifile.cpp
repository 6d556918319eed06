#include "platform/inifile.h"
#include "platform/textcodec.h"

#include <optional>
#include <QFileInfo>

namespace {
// "[NAME]" with blanks around it; returns NAME or nothing.
std::optional<QString> sectionName(const QString& line) {
    const QString t = line.trimmed();
    if (t.size() >= 2 && t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']')))
        return t.mid(1, t.size() - 2).trimmed();
    return std::nullopt;
}

bool isKeyLine(const QString& line, const QString& key, QString* value = nullptr) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0 || line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) != 0) return false;
    if (value) *value = line.mid(eq + 1).trimmed();
    return true;
}
} // namespace

IniFile::IniFile(QString path) : path_(std::move(path)) {}

bool IniFile::exists() const {
    return QFileInfo(path_).isFile();
}

bool IniFile::isWritable() const {
    const QFileInfo fi(path_);
    const auto writeBits =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return fi.isFile() && fi.isWritable() && (fi.permissions() & writeBits);
}

QStringList IniFile::lines() const {
    if (!exists()) return {};
    try {
        return readTextLines(path_);
    } catch (...) {
        return {}; // an unreadable settings file counts as missing: defaults apply
    }
}

std::optional<QString> IniFile::valueIn(const QStringList& lines, const QString& section,
                                        const QString& key) {
    bool inSection = false;
    for (const QString& line : lines) {
        if (const auto name = sectionName(line)) {
            inSection = name->compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        QString value;
        if (inSection && isKeyLine(line, key, &value)) return value;
    }
    return std::nullopt;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const {
    return valueIn(lines(), section, key).value_or(def);
}

int IniFile::readInteger(const QString& section, const QString& key, int def) const {
    bool ok = false;
    const int v = readString(section, key, QString()).toInt(&ok);
    return ok ? v : def;
}

QStringList IniFile::withValue(QStringList lines, const QString& section, const QString& key,
                               const QString& value) {
    const QString entry = key + QLatin1Char('=') + value;
    bool inSection = false;
    qsizetype insertAt = -1; // after the last line of the section that holds something
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const auto name = sectionName(lines[i])) {
            if (inSection) break;
            inSection = name->compare(section, Qt::CaseInsensitive) == 0;
            if (inSection) insertAt = i + 1;
            continue;
        }
        if (!inSection) continue;
        if (isKeyLine(lines[i], key)) {
            lines[i] = entry;
            return lines;
        }
        if (!lines[i].trimmed().isEmpty()) insertAt = i + 1;
    }
    if (insertAt >= 0) {
        lines.insert(insertAt, entry);
    } else {
        lines << (QLatin1Char('[') + section + QLatin1Char(']')) << entry;
    }
    return lines;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) const {
    writeTextLines(path_, withValue(lines(), section, key, value));
}
