#pragma once
#include "document/directorylisting.h"

#include <QStringList>
#include <vector>

class Dialogs;

// One track of a music disc or playlist; ms < 0 when its playing time is unknown.
struct TrackInfo {
    QString performer;
    QString title;
    qint64 ms = -1;
};

// A music disc's tracks with what the disc says about itself.
struct TrackList {
    QString performer;
    QString album;
    std::vector<TrackInfo> tracks;
};

// "m:ss" of a playing time, rounded to the second ("74:05" beyond an hour).
QString PlayingTime(qint64 ms);

// A track list as a listing: the heading "Performer – Album" (what the list has, otherwise
// fallbackHeading), then per track "NN Title" with the comment "Performer (m:ss)"; the
// performer is left out where it is the album's, the time where it is unknown.
DirectoryListing TrackListing(const TrackList& list, const QString& fallbackHeading);

// The sum of the "(m:ss)" playing times that end the listing's comment lines, in seconds;
// -1 when no comment carries one.
qint64 TotalPlayingSeconds(const DirectoryListing& listing);
// "Total playing time: h:mm:ss" for the dialog, empty when the listing has no times.
QString TotalPlayingTimeText(const DirectoryListing& listing);

// What a reading could not read (missing files, damaged audio, unreadable lines), told to
// the user in one message after the reading: the number and the first few.
class ReadProblems {
public:
    void add(const QString& problem);
    int count() const { return count_; }
    const QStringList& first() const { return first_; }
    // The one message, when there was a problem.
    void report(Dialogs& dialogs) const;

private:
    int count_ = 0;
    QStringList first_;
};

// The file a track list names (relative to folder, or absolute, "\" taken as "/"), found
// case-insensitively, or else by its name in folder; empty when it does not exist.
QString FindListedFile(const QString& named, const QString& folder);
