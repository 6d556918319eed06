#include "document/coverreader.h"
#include "document/documentstrings.h"
#include "platform/apperror.h"
#include "platform/paths.h"
#include "platform/picturepath.h"
#include "platform/stringtable.h"

#include <algorithm>
#include <QDir>
#include <QFileInfo>

namespace {
// The whole line must be the number (leading blanks allowed, as the old conversion did).
std::optional<qint32> parseInt(QStringView v) {
    while (!v.isEmpty() && (v.front() == u' ' || v.front() == u'\t'))
        v = v.sliced(1);
    bool negative = false;
    if (!v.isEmpty() && (v.front() == u'-' || v.front() == u'+')) {
        negative = v.front() == u'-';
        v = v.sliced(1);
    }
    if (v.isEmpty() || v.size() > 10) return std::nullopt;
    qint64 value = 0;
    for (QChar c : v) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    if (negative) value = -value;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(value);
}

// Where a stored picture path points here (a cover made on Windows names C:/.../BILDER/x).
// Only an absolute result counts, so nothing depends on the working folder.
QString storedFilePath(const QString& stored) {
    const QString p = resolvePicturePath(stored);
    return QDir::isAbsolutePath(p) ? p : QString();
}

bool isExistingFile(const QString& path) {
    if (path.isEmpty()) return false;
    const QFileInfo fi(path);
    return fi.exists() && fi.isFile();
}

// Shown in messages instead of a line that may be huge or binary.
QString shortened(QStringView line) {
    constexpr int kMax = 40;
    QString s = line.left(kMax).toString();
    if (line.size() > kMax) s += QStringLiteral("...");
    for (QChar& c : s)
        if (c.unicode() < 0x20) c = u'?';
    return s;
}
} // namespace

CoverReader::CoverReader(const QStringList& lines, CoverDocument& doc, const QString& fileName)
    : lines_(lines), doc_(doc), fileName_(fileName) {}

CoverReader::Form CoverReader::formOf(const QStringList& lines) {
    if (!lines.isEmpty() && lines[0] == VersionLine20) return Form::V20;
    if (!lines.isEmpty() && lines[0] == VersionLine12) return Form::V12;
    return Form::Old;
}

qint32 CoverReader::PaletteColour(int index) {
    static constexpr qint32 kPalette[16] = {
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
        0xC0C0C0, 0x0000FF, 0x00FF00, 0xFF0000, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0xFFFFFF};
    return index >= 0 && index < 16 ? kPalette[index] : 0;
}

void CoverReader::fail(int index, const QString& reason) const {
    throw AppError(LadeTextArg(StrCoverBadLine, fileName_, QString::number(index + 1), reason));
}

QStringView CoverReader::line() {
    if (pos_ >= lines_.size()) fail(pos_, LadeText(StrCoverEndsEarly));
    return lines_[pos_++];
}

// A copy of its own: the lines may be views into the caller's text.
QString CoverReader::text() {
    const QStringView v = line();
    return QString(v.constData(), v.size());
}

qint32 CoverReader::integer() {
    const QStringView v = line();
    const std::optional<qint32> value = parseInt(v);
    if (!value) fail(pos_ - 1, LadeTextArg(StrCoverNumberExpected, shortened(v)));
    return *value;
}

// The drawing computes with letter heights from these indexes; one outside the size list
// would overflow it or make it ask for gigabytes.
qint32 CoverReader::sizeIndex(qint32 max) {
    return std::clamp(integer(), 0, max);
}

quint8 CoverReader::boolean() {
    return quint8(integer() & 1);
}

qint32 CoverReader::colour(Colour kind) {
    const qint32 v = integer();
    return kind == Colour::Palette ? PaletteColour(v) : v;
}

// A count of lines that follow; checked against the rest of the file before anything
// is allocated, so a damaged count cannot run away.
int CoverReader::count() {
    const qint32 n = integer();
    const int at = pos_ - 1;
    if (n < 0) fail(at, LadeTextArg(StrCoverCountNegative, QString::number(n)));
    const qsizetype rest = lines_.size() - pos_;
    if (n > rest)
        fail(at, LadeTextArg(StrCoverCountTooLarge, QString::number(n), QString::number(rest)));
    return n;
}

void CoverReader::readList(DirectoryListing& out, int n) {
    out.reserve(out.size() + n);
    for (int i = 0; i < n; ++i)
        out.append(line());
}

void CoverReader::readLineBlock(QString& line, TFormatUeberschrift& f, Colour colours) {
    line = text();
    f.Sichtbar = boolean();
    f.HgFarbe = colour(colours);
    f.Schriftart = text();
    f.Schriftfarbe = colour(colours);
    f.Fett = boolean();
    f.Kursiv = boolean();
    f.Unterstrichen = boolean();
    f.Ausrichtung = integer();
    f.Groesse = sizeIndex(MaxLineSize);
}

void CoverReader::readMarginBlock(Colour colours) {
    TFormatRandtext& f = doc_.RandFormat;
    doc_.RandText = text();
    f.HgFarbe = colour(colours);
    f.Schriftart = text();
    f.Schriftfarbe = colour(colours);
    f.Fett = boolean();
    f.Kursiv = boolean();
    f.Ausrichtung = integer();
    f.Groesse = sizeIndex(MaxMarginSize);
}

bool CoverReader::pictureFileExists(int side) const {
    const QString& stored = doc_.BildFormat[side].DateiName;
    return !stored.isEmpty() && isExistingFile(storedFilePath(stored));
}

// A picture side naming a file that is not there draws nothing; the file is noted.
bool CoverReader::pictureFound(int side) {
    if (pictureFileExists(side)) return true;
    const QString& stored = doc_.BildFormat[side].DateiName;
    const QString path = storedFilePath(stored);
    if (!stored.isEmpty())
        notLoaded_ << LadeTextArg(StrCoverPictureMissing, path.isEmpty() ? stored : path);
    return false;
}

// A picture that exists but cannot be loaded is treated like a missing one, and noted.
void CoverReader::loadPicture(int side) {
    doc_.Bild[side] = Picture();
    try {
        doc_.Bild[side] = Picture::load(storedFilePath(doc_.BildFormat[side].DateiName));
    } catch (const AppError& e) {
        notLoaded_ << e.message();
    }
}

void CoverReader::readContent(int side, Colour colours, bool directorySize) {
    const int at = pos_;
    const qint32 kind = integer();
    if (kind < 0 || kind > 3) fail(at, LadeTextArg(StrCoverBadKind, QString::number(kind)));
    switch (kind) {
    case 1: {
        doc_.Inhalt[side] = 1;
        readList(doc_.VerzListe[side], count());
        TFormatVerzeichnis& f = doc_.VerzFormat[side];
        f.Schriftart = text();
        f.Schriftfarbe = colour(colours);
        f.Tiefe = integer();
        f.Kommentare = integer();
        f.StartVerz = boolean();
        if (directorySize) f.Groesse = sizeIndex(MaxListingSize);
        break;
    }
    case 2: {
        doc_.Inhalt[side] = 2;
        const int n = count();
        QString joined;
        for (int i = 0; i < n; ++i) {
            joined += line();
            joined += QLatin1String("\r\n");
        }
        doc_.TextInhalt[side] = joined;
        TFormatText& f = doc_.TextFormat[side];
        f.Schriftart = text();
        f.Schriftfarbe = colour(colours);
        f.Fett = boolean();
        f.Kursiv = boolean();
        f.Ausrichtung = integer();
        f.Groesse = sizeIndex(MaxTextSize);
        break;
    }
    case 3: {
        // Version 2.0 keeps the picture side even when its file is gone, so the path
        // survives a save; the older forms make it a picture side only when the file exists.
        TFormatBild& f = doc_.BildFormat[side];
        f.Bildmasse = integer();
        f.Ausrichtung = integer();
        f.DateiName = text();
        const bool found = pictureFound(side);
        if (colours == Colour::Value || found) doc_.Inhalt[side] = 3;
        if (found) loadPicture(side);
        break;
    }
    default:
        doc_.Inhalt[side] = 0;
        break;
    }
}

void CoverReader::readBackground(int side) {
    TFormatHintergrund& f = doc_.HgFormat[side];
    f.Art = integer();
    f.Farbe = integer();
    f.Modus = integer();
    f.Reserve1 = integer();
    f.Reserve2 = integer();
    f.Textur = text();
    if (f.Textur.isEmpty() || !isExistingFile(CoverDocument::texturePath(f.Textur)))
        return; // the default texture of the reset stays
    try {
        doc_.HgBild[side] = Picture::load(CoverDocument::texturePath(f.Textur));
    } catch (const AppError& e) {
        notLoaded_ << e.message();
    }
}

int CoverReader::ReadCoverV20() {
    pos_ = 1;
    for (int s = 0; s < CoverDocument::SideCount; ++s) {
        readLineBlock(doc_.KopfText[s], doc_.KopfFormat[s], Colour::Value);
        readLineBlock(doc_.FussText[s], doc_.FussFormat[s], Colour::Value);
        if (s == 2) readMarginBlock(Colour::Value);
        readContent(s, Colour::Value, true);
    }
    for (int s = 0; s < CoverDocument::SideCount; ++s)
        readBackground(s);
    return integer();
}

void CoverReader::ReadCoverV12() {
    pos_ = 1;
    for (int s = 0; s < CoverDocument::SideCount; ++s) {
        readLineBlock(doc_.KopfText[s], doc_.KopfFormat[s], Colour::Palette);
        readLineBlock(doc_.FussText[s], doc_.FussFormat[s], Colour::Palette);
        if (s == 2) readMarginBlock(Colour::Palette);
        readContent(s, Colour::Palette, false);
    }
}

void CoverReader::readOldSide(int s) {
    doc_.KopfText[s] = text();
    TFormatUeberschrift& k = doc_.KopfFormat[s];
    k.Schriftart = text();
    k.Schriftfarbe = colour(Colour::Palette);
    k.Fett = boolean();
    k.Kursiv = boolean();
    k.Unterstrichen = boolean();
    k.Ausrichtung = integer();
    k.Sichtbar = 1;
    k.HgFarbe = 0xFFFFFF;
    doc_.FussFormat[s] = k;
    doc_.FussFormat[s].Sichtbar = 0;

    if (s == 2) {
        TFormatRandtext& r = doc_.RandFormat;
        doc_.RandText = text();
        r.Schriftart = text();
        r.Schriftfarbe = colour(Colour::Palette);
        r.Fett = boolean();
        r.Kursiv = boolean();
        r.Ausrichtung = integer();
        r.HgFarbe = 0xFFFFFF;
    }

    const int at = pos_;
    const qint32 kind = integer();
    if (kind < 0 || kind > 3) fail(at, LadeTextArg(StrCoverBadKind, QString::number(kind)));
    if (kind == 1) {
        doc_.Inhalt[s] = 1;
        readList(doc_.VerzListe[s], count());
        TFormatVerzeichnis& f = doc_.VerzFormat[s];
        f.Schriftart = text();
        f.Schriftfarbe = colour(Colour::Palette);
        f.Tiefe = integer();
        f.Kommentare = integer();
        f.StartVerz = 1;
    } else if (kind == 2) {
        // Same layout as the text block of the later forms.
        pos_ = at;
        readContent(s, Colour::Palette, false);
    } else if (kind == 3) {
        TFormatBild& f = doc_.BildFormat[s];
        f.Bildmasse = integer();
        f.DateiName = text();
        f.Ausrichtung = 0;
        if (pictureFound(s)) {
            doc_.Inhalt[s] = 3;
            loadPicture(s);
        }
    }
}

void CoverReader::ReadCoverOld() {
    pos_ = 0;
    for (int s = 0; s < 3; ++s)
        readOldSide(s);
}

std::optional<int> CoverReader::read() {
    switch (formOf(lines_)) {
    case Form::V20:
        return ReadCoverV20();
    case Form::V12:
        ReadCoverV12();
        break;
    case Form::Old:
        ReadCoverOld();
        break;
    }
    return std::nullopt;
}
