#pragma once
#include <QString>
#include <QStringView>

// A file name pattern as the file search of the original platform took it: "*" any run of
// characters, "?" one character, letter case ignored. As there, a pattern ending in ".*" also
// matches names without an extension ("*.*" matches every name). An empty pattern matches
// nothing.
class FileMask {
public:
    explicit FileMask(const QString& pattern);
    bool matches(QStringView name) const;
    // True when every name matches, so callers can skip the test.
    bool matchesEverything() const { return all_; }

private:
    static bool wildcardMatch(QStringView pattern, QStringView name);
    QString pattern_;    // case-folded
    QString withoutExt_; // case-folded pattern without its final ".*", or empty
    bool all_ = false;
    bool empty_ = false;
};
