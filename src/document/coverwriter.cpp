#include "document/coverwriter.h"
#include "document/coverreader.h"
#include "platform/textcodec.h"

namespace {
// Every value is one line of the file: a stray line break or NUL inside a value would
// shift every following line (or end the file) on reading, so it becomes a blank.
QString oneLine(const QString& value) {
    QString s = value;
    for (QChar& c : s)
        if (c == u'\r' || c == u'\n' || c == QChar(0)) c = u' ';
    return s;
}

QString num(qint64 v) {
    return QString::number(v);
}

void lineBlock(QStringList& out, const QString& text, const TFormatUeberschrift& f) {
    out << oneLine(text) << num(f.Sichtbar) << num(f.HgFarbe) << oneLine(f.Schriftart)
        << num(f.Schriftfarbe) << num(f.Fett) << num(f.Kursiv) << num(f.Unterstrichen)
        << num(f.Ausrichtung) << num(f.Groesse);
}

void marginBlock(QStringList& out, const QString& text, const TFormatRandtext& f) {
    out << oneLine(text) << num(f.HgFarbe) << oneLine(f.Schriftart) << num(f.Schriftfarbe)
        << num(f.Fett) << num(f.Kursiv) << num(f.Ausrichtung) << num(f.Groesse);
}

void contentBlock(QStringList& out, const CoverDocument& doc, int s) {
    out << num(doc.Inhalt[s]);
    switch (doc.Inhalt[s]) {
    case 1: {
        out << num(doc.VerzListe[s].size());
        for (const QString& line : doc.VerzListe[s])
            out << oneLine(line);
        const TFormatVerzeichnis& f = doc.VerzFormat[s];
        out << oneLine(f.Schriftart) << num(f.Schriftfarbe) << num(f.Tiefe) << num(f.Kommentare)
            << num(f.StartVerz) << num(f.Groesse);
        break;
    }
    case 2: {
        const QStringList lines = CoverWriter::textLines(doc.TextInhalt[s]);
        out << num(lines.size());
        for (const QString& line : lines)
            out << oneLine(line);
        const TFormatText& f = doc.TextFormat[s];
        out << oneLine(f.Schriftart) << num(f.Schriftfarbe) << num(f.Fett) << num(f.Kursiv)
            << num(f.Ausrichtung) << num(f.Groesse);
        break;
    }
    case 3: {
        const TFormatBild& f = doc.BildFormat[s];
        out << num(f.Bildmasse) << num(f.Ausrichtung) << oneLine(f.DateiName);
        break;
    }
    default:
        break;
    }
}

void backgroundBlock(QStringList& out, const TFormatHintergrund& f) {
    out << num(f.Art) << num(f.Farbe) << num(f.Modus) << num(f.Reserve1) << num(f.Reserve2)
        << oneLine(f.Textur);
}
} // namespace

QStringList CoverWriter::textLines(const QString& text) {
    // Lone CR and lone LF end a line on reading too, so they must split here as well.
    return splitLines(QStringView(text), false);
}

void CoverWriter::WriteCover(const CoverDocument& doc, QStringList& out) {
    out << CoverReader::VersionLine20;
    for (int s = 0; s < CoverDocument::SideCount; ++s) {
        lineBlock(out, doc.KopfText[s], doc.KopfFormat[s]);
        lineBlock(out, doc.FussText[s], doc.FussFormat[s]);
        if (s == 2) marginBlock(out, doc.RandText, doc.RandFormat);
        contentBlock(out, doc, s);
    }
    for (int s = 0; s < CoverDocument::SideCount; ++s)
        backgroundBlock(out, doc.HgFormat[s]);
    out << num(doc.CoverLayout);
}

QStringList CoverWriter::WriteCover(const CoverDocument& doc) {
    QStringList out;
    WriteCover(doc, out);
    return out;
}
