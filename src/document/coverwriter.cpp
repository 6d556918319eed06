#include "document/coverwriter.h"
#include "document/coverreader.h"
#include "platform/textcodec.h"

#include <algorithm>

namespace {
// Every value is one line of the file: a stray line break or NUL inside a value would
// shift every following line (or end the file) on reading, so it becomes a blank.
void value(const CoverWriter::LineSink& out, QStringView v) {
    const auto breaks = [](QChar c) { return c == u'\r' || c == u'\n' || c == QChar(0); };
    if (std::none_of(v.begin(), v.end(), breaks)) return out(v);
    QString s = v.toString();
    std::replace_if(s.begin(), s.end(), breaks, u' ');
    out(s);
}

template <typename... T> void nums(const CoverWriter::LineSink& out, T... v) {
    (out(QString::number(qint64(v))), ...);
}

void lineBlock(const CoverWriter::LineSink& out, const QString& text,
               const TFormatUeberschrift& f) {
    value(out, text);
    nums(out, f.Sichtbar, f.HgFarbe);
    value(out, f.Schriftart);
    nums(out, f.Schriftfarbe, f.Fett, f.Kursiv, f.Unterstrichen, f.Ausrichtung, f.Groesse);
}

void marginBlock(const CoverWriter::LineSink& out, const QString& text, const TFormatRandtext& f) {
    value(out, text);
    nums(out, f.HgFarbe);
    value(out, f.Schriftart);
    nums(out, f.Schriftfarbe, f.Fett, f.Kursiv, f.Ausrichtung, f.Groesse);
}

void contentBlock(const CoverWriter::LineSink& out, const CoverDocument& doc, int s) {
    nums(out, doc.Inhalt[s]);
    switch (doc.Inhalt[s]) {
    case 1: {
        nums(out, doc.VerzListe[s].size());
        doc.VerzListe[s].forEachLine([&](QStringView line) { value(out, line); });
        const TFormatVerzeichnis& f = doc.VerzFormat[s];
        value(out, f.Schriftart);
        nums(out, f.Schriftfarbe, f.Tiefe, f.Kommentare, f.StartVerz, f.Groesse);
        break;
    }
    case 2: {
        const QStringList lines = CoverWriter::textLines(doc.TextInhalt[s]);
        nums(out, lines.size());
        for (const QString& line : lines)
            value(out, line);
        const TFormatText& f = doc.TextFormat[s];
        value(out, f.Schriftart);
        nums(out, f.Schriftfarbe, f.Fett, f.Kursiv, f.Ausrichtung, f.Groesse);
        break;
    }
    case 3: {
        const TFormatBild& f = doc.BildFormat[s];
        nums(out, f.Bildmasse, f.Ausrichtung);
        value(out, f.DateiName);
        break;
    }
    default:
        break;
    }
}

void backgroundBlock(const CoverWriter::LineSink& out, const TFormatHintergrund& f) {
    nums(out, f.Art, f.Farbe, f.Modus, f.Reserve1, f.Reserve2);
    value(out, f.Textur);
}
} // namespace

QStringList CoverWriter::textLines(const QString& text) {
    // Lone CR and lone LF end a line on reading too, so they must split here as well.
    return splitLines(QStringView(text), false);
}

void CoverWriter::WriteCover(const CoverDocument& doc, const LineSink& out) {
    out(CoverReader::VersionLine20);
    for (int s = 0; s < CoverDocument::SideCount; ++s) {
        lineBlock(out, doc.KopfText[s], doc.KopfFormat[s]);
        lineBlock(out, doc.FussText[s], doc.FussFormat[s]);
        if (s == 2) marginBlock(out, doc.RandText, doc.RandFormat);
        contentBlock(out, doc, s);
    }
    for (int s = 0; s < CoverDocument::SideCount; ++s)
        backgroundBlock(out, doc.HgFormat[s]);
    nums(out, doc.CoverLayout);
}

void CoverWriter::WriteCover(const CoverDocument& doc, QStringList& out) {
    WriteCover(doc, [&out](QStringView line) { out << line.toString(); });
}

QStringList CoverWriter::WriteCover(const CoverDocument& doc) {
    QStringList out;
    WriteCover(doc, out);
    return out;
}
