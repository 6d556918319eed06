#include "directory/tracklist.h"
#include "directory/directorystrings.h"
#include "directory/treewalker.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/stringtable.h"

#include <algorithm>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
constexpr int kProblemsShown = 10;

// A tag value as one listing line: line breaks would split the line, leading blanks would
// read as a nesting level.
QString oneLine(const QString& text) {
    return ListedName(text).trimmed();
}
} // namespace

QString PlayingTime(qint64 ms) {
    const qint64 seconds = (ms + 500) / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

DirectoryListing TrackListing(const TrackList& list, const QString& fallbackHeading) {
    const QString performer = oneLine(list.performer);
    const QString album = oneLine(list.album);
    QStringList heading;
    if (!performer.isEmpty()) heading << performer;
    if (!album.isEmpty()) heading << album;
    DirectoryListing listing{heading.isEmpty() ? ListedName(fallbackHeading)
                                               : heading.join(QStringLiteral(" – "))};
    int number = 0;
    for (const TrackInfo& t : list.tracks) {
        QString entry = QStringLiteral("%1").arg(++number, 2, 10, QLatin1Char('0'));
        const QString title = oneLine(t.title);
        if (!title.isEmpty()) entry += u' ' + title;
        QString comment = oneLine(t.performer);
        if (comment.compare(performer, Qt::CaseInsensitive) == 0) comment.clear();
        if (t.ms >= 0) {
            if (!comment.isEmpty()) comment += u' ';
            comment += u'(' + PlayingTime(t.ms) + u')';
        }
        listing << entry << comment;
    }
    return listing;
}

qint64 TotalPlayingSeconds(const DirectoryListing& listing) {
    static const QRegularExpression time(QStringLiteral("\\((\\d{1,6}):([0-5]\\d)\\)$"));
    qint64 total = -1;
    for (qsizetype i = 2; i < listing.size(); i += 2) {
        const QRegularExpressionMatch m = time.match(listing.at(i));
        if (!m.hasMatch()) continue;
        total =
            std::max<qint64>(total, 0) + m.captured(1).toLongLong() * 60 + m.captured(2).toInt();
    }
    return total;
}

QString TotalPlayingTimeText(const DirectoryListing& listing) {
    const qint64 s = TotalPlayingSeconds(listing);
    if (s < 0) return {};
    const QString time = s < 3600 ? PlayingTime(s * 1000)
                                  : QStringLiteral("%1:%2:%3")
                                        .arg(s / 3600)
                                        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
                                        .arg(s % 60, 2, 10, QLatin1Char('0'));
    return LadeTextArg(StrTotalTime, time);
}

void ReadProblems::add(const QString& problem) {
    ++count_;
    if (first_.size() < kProblemsShown) first_ << problem;
}

void ReadProblems::report(Dialogs& dialogs) const {
    if (count_ == 0) return;
    QStringList lines = first_;
    if (count_ > first_.size())
        lines << LadeTextArg(StrProblemsMore, QString::number(count_ - first_.size()));
    dialogs.message(MsgKind::Warning, MsgButtons::Ok,
                    LadeTextArg(StrReadProblems, QString::number(count_), lines.join(u'\n')));
}

QString FindListedFile(const QString& named, const QString& folder) {
    if (named.isEmpty()) return {};
    QString path = QString(named).replace(u'\\', u'/');
    const bool absolute = path.startsWith(u'/') || (path.size() > 2 && path.at(1) == u':');
    QStringList tries;
    if (!absolute) tries << folder + u'/' + path;
    if (path.startsWith(u'/')) tries << path;
    tries << folder + u'/' + path.section(u'/', -1); // a sheet moved from elsewhere
    for (const QString& t : tries) {
        const QString found = resolveCaseInsensitive(QDir::cleanPath(t));
        if (QFileInfo(found).isFile()) return found;
    }
    return {};
}
