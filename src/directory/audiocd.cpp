#include "directory/audiocd.h"
#include "directory/directorystrings.h"
#include "platform/apperror.h"
#include "platform/stringtable.h"

#include <cdio/cdio.h>
#include <cdio/cdtext.h>
#include <cdio/logging.h>
#include <memory>
#include <QFile>
#include <QFileInfo>

namespace {
struct CdioDeleter {
    void operator()(CdIo_t* cd) const { cdio_destroy(cd); }
};
using CdioPtr = std::unique_ptr<CdIo_t, CdioDeleter>;

// libcdio writes its warnings to the terminal; the program reports what matters itself.
void quietLog(cdio_log_level_t, const char*) {}

CdioPtr open(const QString& source) {
    static const bool quiet = (cdio_log_set_handler(quietLog), true);
    (void)quiet;
    const QByteArray path = QFile::encodeName(source);
    const QString ext = QFileInfo(source).suffix().toLower();
    driver_id_t driver = DRIVER_DEVICE;
    if (ext == QLatin1String("cue"))
        driver = DRIVER_BINCUE;
    else if (ext == QLatin1String("toc"))
        driver = DRIVER_CDRDAO;
    else if (ext == QLatin1String("nrg"))
        driver = DRIVER_NRG;
    return CdioPtr(cdio_open(path.constData(), driver));
}

QString text(const cdtext_t* cdtext, cdtext_field_t field, track_t track) {
    if (!cdtext) return {};
    const char* s = cdtext_get_const(cdtext, field, track);
    return s ? QString::fromUtf8(s).trimmed() : QString();
}

bool holdsAudio(CdIo_t* cd) {
    const track_t first = cdio_get_first_track_num(cd);
    const track_t count = cdio_get_num_tracks(cd);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK) return false;
    for (int t = first; t < first + count; ++t)
        if (cdio_get_track_format(cd, track_t(t)) == TRACK_FORMAT_AUDIO) return true;
    return false;
}
} // namespace

TrackList ReadAudioCd(const QString& source) {
    const CdioPtr cd = open(source);
    if (!cd || !holdsAudio(cd.get())) throw AppError(LadeTextArg(StrAudioCdUnreadable, source));
    TrackList list;
    const cdtext_t* cdtext = cdio_get_cdtext(cd.get());
    list.performer = text(cdtext, CDTEXT_FIELD_PERFORMER, 0);
    list.album = text(cdtext, CDTEXT_FIELD_TITLE, 0);
    const track_t first = cdio_get_first_track_num(cd.get());
    const track_t count = cdio_get_num_tracks(cd.get());
    for (int n = first; n < first + count; ++n) {
        const track_t t = track_t(n);
        if (cdio_get_track_format(cd.get(), t) != TRACK_FORMAT_AUDIO) continue;
        const lsn_t begin = cdio_get_track_lsn(cd.get(), t);
        // The next track, or the lead-out after the last one.
        const track_t next =
            n + 1 < first + count ? track_t(n + 1) : track_t(CDIO_CDROM_LEADOUT_TRACK);
        const lsn_t end = cdio_get_track_lsn(cd.get(), next);
        TrackInfo track{text(cdtext, CDTEXT_FIELD_PERFORMER, t),
                        text(cdtext, CDTEXT_FIELD_TITLE, t), -1};
        if (begin != CDIO_INVALID_LSN && end != CDIO_INVALID_LSN && end > begin)
            track.ms = qint64(end - begin) * 1000 / CDIO_CD_FRAMES_PER_SEC;
        list.tracks.push_back(track);
    }
    return list;
}

QStringList AudioCdDrives() {
    QStringList drives;
    char** devices = cdio_get_devices(DRIVER_DEVICE);
    if (!devices) return drives;
    for (char** d = devices; *d; ++d) {
        const QString device = QFile::decodeName(*d);
        if (const CdioPtr cd = open(device); cd && holdsAudio(cd.get())) drives << device;
    }
    cdio_free_device_list(devices);
    return drives;
}
