#include "directory/audiotags.h"
#include "directory/directorystrings.h"
#include "platform/stringtable.h"

#include <QFile>
#include <taglib/audioproperties.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>

namespace {
QString fromTag(const TagLib::String& s) {
    return QString::fromStdString(s.to8Bit(true)).trimmed();
}
} // namespace

bool IsAudioFileName(QStringView name) {
    static const char* const kinds[] = {".mp3", ".flac", ".ogg", ".oga", ".opus", ".m4a",
                                        ".m4b", ".aac",  ".mp4", ".wav", ".aif",  ".aiff"};
    for (const char* kind : kinds)
        if (name.endsWith(QLatin1String(kind), Qt::CaseInsensitive)) return true;
    return false;
}

std::optional<TrackInfo> ReadAudioFile(const QByteArray& path) {
    // TagLib picks the reader by the extension and then checks the file's content.
    TagLib::FileRef file(path.constData(), true, TagLib::AudioProperties::Average);
    if (file.isNull()) return std::nullopt;
    TrackInfo track;
    if (const TagLib::AudioProperties* audio = file.audioProperties()) {
        const int ms = audio->lengthInMilliseconds();
        if (ms > 0) track.ms = ms;
    }
    if (const TagLib::Tag* tag = file.tag()) {
        track.performer = fromTag(tag->artist());
        track.title = fromTag(tag->title());
    }
    if (track.ms < 0 && track.performer.isEmpty() && track.title.isEmpty()) return std::nullopt;
    return track;
}

QString AudioComment(const TrackInfo& track) {
    QString comment = track.performer;
    if (!track.title.isEmpty()) {
        if (!comment.isEmpty()) comment += QStringLiteral(" – ");
        comment += track.title;
    }
    if (track.ms >= 0) {
        if (!comment.isEmpty()) comment += u' ';
        comment += u'(' + PlayingTime(track.ms) + u')';
    }
    return comment;
}

std::function<QString(const QByteArray&)> AudioFileComments(ReadProblems& problems) {
    return [&problems](const QByteArray& path) -> QString {
        const QString name = QFile::decodeName(path);
        if (!IsAudioFileName(name)) return {};
        const std::optional<TrackInfo> track = ReadAudioFile(path);
        if (track) return AudioComment(*track);
        problems.add(LadeTextArg(StrProblemNoAudio, name));
        return {};
    };
}
