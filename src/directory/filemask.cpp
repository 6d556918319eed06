#include "directory/filemask.h"

FileMask::FileMask(const QString& pattern) : pattern_(pattern.toCaseFolded()) {
    empty_ = pattern_.isEmpty();
    if (pattern_.endsWith(QLatin1String(".*"))) withoutExt_ = pattern_.chopped(2);
    all_ = pattern_ == QLatin1String("*") || pattern_ == QLatin1String("*.*");
}

bool FileMask::matches(QStringView name) const {
    if (all_) return true;
    if (empty_) return false;
    const QString folded = name.toString().toCaseFolded();
    if (wildcardMatch(pattern_, folded)) return true;
    return !withoutExt_.isEmpty() && !folded.contains(QLatin1Char('.')) &&
           wildcardMatch(withoutExt_, folded);
}

// Greedy matching that backtracks only to the last '*': linear for typical patterns and
// never worse than pattern length times name length.
bool FileMask::wildcardMatch(QStringView pattern, QStringView name) {
    qsizetype p = 0, n = 0, starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}
