#include "document/coverfile.h"
#include "document/coverreader.h"
#include "document/coverwriter.h"
#include "document/documentstrings.h"
#include "platform/apperror.h"
#include "platform/safefile.h"
#include "platform/stringtable.h"
#include "platform/systemreason.h"
#include "platform/textcodec.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

namespace {
CoverFile::FaultHook g_faultHook;

QString injectedFault(CoverFile::SaveStep step) {
    return g_faultHook ? g_faultHook(step) : QString();
}

QString lastOsError() {
    return SystemReason(errno);
}

// rename(2) replaces an existing target file in one step.
QString renameReplacing(const QString& from, const QString& to) {
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return lastOsError();
    return {};
}

// Names the previous file only where there is one to keep.
[[noreturn]] void saveFailed(const QString& path, const QString& reason) {
    const int id = QFileInfo(path).isFile() ? StrCoverSaveFailed : StrCoverSaveFailedNew;
    throw AppError(LadeTextArg(id, path, reason));
}
} // namespace

void CoverFile::setFaultHook(FaultHook hook) {
    g_faultHook = std::move(hook);
}

CoverFile::FileLines CoverFile::readLines(const QString& path) {
    const QFileInfo fi(path);
    if (fi.exists() && !fi.isFile()) throw AppError(LadeTextArg(StrCoverNotAFile, path));
    if (fi.size() > MaxFileSize)
        throw AppError(LadeTextArg(StrCoverTooLarge, path, QString::number(fi.size() >> 20),
                                   QString::number(MaxFileSize >> 20)));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw AppError(LadeTextArg(StrCannotRead, path, FileReason(f)));
    QByteArray bytes = f.read(MaxFileSize + 1);
    if (f.error() != QFileDevice::NoError)
        throw AppError(LadeTextArg(StrCannotRead, path, FileReason(f)));
    if (bytes.size() > MaxFileSize)
        throw AppError(LadeTextArg(StrCoverTooLarge, path, QString::number(bytes.size() >> 20),
                                   QString::number(MaxFileSize >> 20)));
    // Every line costs a list entry, so a file of nothing but line breaks is refused before
    // it is split.
    qsizetype breaks = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n' ||
            (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')))
            ++breaks;
    if (breaks > MaxLines)
        throw AppError(LadeTextArg(StrCoverTooManyLines, path, QString::number(MaxLines)));
    // The bytes go as soon as they are decoded; the lines are views into the text, so a
    // large file is held once at a time besides a list entry per line.
    FileLines file;
    file.text = decodeText(bytes);
    bytes = QByteArray();
    file.lines = splitLineViews(file.text, true);
    if (file.lines.isEmpty()) throw AppError(LadeTextArg(StrCoverEmpty, path));
    return file;
}

CoverFile::Loaded CoverFile::load(const QString& path, CoverDocument& doc, Reader reader) {
    const FileLines file = readLines(path);
    CoverReader r(file.lines, doc, path);
    Loaded result;
    result.layout = reader == Reader::V20 ? std::optional<int>(r.ReadCoverV20()) : r.read();
    result.notLoaded = r.notLoaded();
    return result;
}

void CoverFile::save(const QString& path, const CoverDocument& doc) {
    // Two walks over the document instead of a copy of it: the first decides the encoding
    // and the size, the second writes the file in pieces.
    LineEncoder enc;
    qsizetype lines = 0;
    CoverWriter::WriteCover(doc, [&](QStringView line) {
        enc.measure(line);
        ++lines;
    });
    if (lines > MaxLines || enc.size() > MaxFileSize)
        saveFailed(path, LadeTextArg(StrCoverTooLargeToSave, QString::number(MaxLines),
                                     QString::number(MaxFileSize >> 20)));
    saveWith(path, [&](SafeFile& out) {
        constexpr qsizetype Piece = 256 * 1024;
        const qint64 half = enc.size() / 2;
        qint64 written = 0;
        QString reason;
        QByteArray buf;
        buf.reserve(Piece + 4096);
        const auto flush = [&] {
            if (!reason.isEmpty()) return;
            if (!out.write(buf)) reason = out.reason();
            // The fault hook fires once, when half the content is written.
            if (reason.isEmpty() && written < half && written + buf.size() >= half)
                reason = injectedFault(SaveStep::WriteTemp);
            written += buf.size();
            buf.resize(0);
        };
        CoverWriter::WriteCover(doc, [&](QStringView line) {
            if (!reason.isEmpty()) return;
            enc.encode(line, buf);
            if (buf.size() >= Piece) flush();
        });
        flush();
        return reason;
    });
}

void CoverFile::saveBytes(const QString& path, const QByteArray& bytes) {
    saveWith(path, [&](SafeFile& out) {
        const qsizetype half = bytes.size() / 2;
        if (!out.write(bytes.constData(), half)) return out.reason();
        if (QString reason = injectedFault(SaveStep::WriteTemp); !reason.isEmpty()) return reason;
        if (!out.write(bytes.constData() + half, bytes.size() - half)) return out.reason();
        return QString();
    });
}

QString CoverFile::backupPath(const QString& path) {
    const qsizetype sep = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    const qsizetype dot = path.lastIndexOf(u'.');
    const QString stem = dot > sep ? path.left(dot) : path;
    return stem + QStringLiteral(".bak");
}

void CoverFile::MakeBackup(const QString& path) {
    const QString bak = backupPath(path);
    if (!QFileInfo(path).isFile() || bak == path) return;
    QString reason = injectedFault(SaveStep::Backup);
    if (reason.isEmpty() && QFileInfo(bak).isDir()) reason = LadeText(StrCoverIsFolder);
    if (reason.isEmpty()) reason = renameReplacing(path, bak);
    if (!reason.isEmpty()) throw AppError(LadeTextArg(StrCoverBackupFailed, bak, reason));
}

void CoverFile::saveWith(const QString& path, const std::function<QString(SafeFile&)>& fill) {
    // Through a symbolic link the link's target is the file: its previous content becomes
    // the backup beside it, and the link stays.
    const QString file = SafeFile::linkTarget(path);
    const QFileInfo target(file);
    if (!QFileInfo(target.absolutePath()).isDir())
        saveFailed(path, LadeText(StrCoverFolderMissing));
    if (target.isDir()) saveFailed(path, LadeText(StrCoverIsFolder));

    // 1. The whole content into a temporary file in the same folder (same file system, so
    //    the final rename cannot fail half way). It has no name until it is put in place,
    //    so a save killed meanwhile leaves nothing behind.
    SafeFile out(file);
    QString reason = out.open() ? fill(out) : out.reason();
    if (reason.isEmpty() && !out.finish()) reason = out.reason();
    if (!reason.isEmpty()) saveFailed(path, LadeTextArg(StrCoverWriteFailed, reason));

    // 2. Only now the previous file becomes the backup.
    const bool hadFile = target.exists();
    try {
        MakeBackup(file);
    } catch (const AppError& e) {
        saveFailed(path, e.message());
    }

    // 3. The new file into place; if that fails the backup gets its name back.
    reason = injectedFault(SaveStep::Replace);
    if (reason.isEmpty() && !out.commit()) reason = out.reason();
    if (!reason.isEmpty()) {
        out.cancel();
        const QString bak = backupPath(file);
        if (hadFile && bak != file && !QFileInfo::exists(file)) renameReplacing(bak, file);
        saveFailed(path, LadeTextArg(StrCoverReplaceFailed, reason));
    }
}
