#include "audiofixtures.h"

#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <taglib/fileref.h>
#include <taglib/tag.h>

void writeWav(const QString& path, double seconds, int rate) {
    const quint32 samples = quint32(seconds * rate);
    const quint32 data = samples * 2;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return;
    QDataStream out(&f);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + data);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(rate) << quint32(rate * 2)
        << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << data;
    f.write(QByteArray(int(data), '\0'));
}

bool encodeAudio(const QString& wav, const QString& out) {
    const QString kind = QFileInfo(out).suffix().toLower();
    QFile::remove(out);
    if (kind == QLatin1String("wav")) return QFile::copy(wav, out);
    QString program;
    QStringList args;
    if (kind == QLatin1String("mp3")) {
        program = QStringLiteral("lame");
        args = {QStringLiteral("--quiet"), wav, out};
    } else if (kind == QLatin1String("flac")) {
        program = QStringLiteral("flac");
        args = {QStringLiteral("-s"), QStringLiteral("-o"), out, wav};
    } else if (kind == QLatin1String("ogg")) {
        program = QStringLiteral("oggenc");
        args = {QStringLiteral("-Q"), QStringLiteral("-o"), out, wav};
    } else if (kind == QLatin1String("opus")) {
        program = QStringLiteral("opusenc");
        args = {QStringLiteral("--quiet"), wav, out};
    } else if (kind == QLatin1String("m4a")) {
        program = QStringLiteral("ffmpeg"); // AAC in an MP4 container
        args = {QStringLiteral("-nostdin"),
                QStringLiteral("-loglevel"),
                QStringLiteral("error"),
                QStringLiteral("-i"),
                wav,
                QStringLiteral("-c:a"),
                QStringLiteral("aac"),
                out};
    } else {
        program = QStringLiteral("sox");
        args = {wav, out};
    }
    return QProcess::execute(program, args) == 0 && QFile::exists(out);
}

bool tagAudio(const QString& path, const QString& artist, const QString& title) {
    TagLib::FileRef file(QFile::encodeName(path).constData());
    if (file.isNull() || !file.tag()) return false;
    file.tag()->setArtist(TagLib::String(artist.toStdString(), TagLib::String::UTF8));
    file.tag()->setTitle(TagLib::String(title.toStdString(), TagLib::String::UTF8));
    return file.save();
}
