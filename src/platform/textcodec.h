#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

// The program's files are 8-bit text. Reading: UTF-8 when the bytes are valid UTF-8,
// otherwise Windows-1252. Writing: Windows-1252 when every character fits, else UTF-8.
// So files from the Windows original round-trip byte for byte and nothing typed is lost.
// A file starting with a UTF-16 byte order mark (either byte order) is read as UTF-16.
QString decodeText(const QByteArray& bytes);
QByteArray encodeText(const QString& text);
bool fitsWindows1252(QStringView text);
// "ÿþ" and "þÿ" in Windows-1252 are the bytes of a UTF-16 byte order mark: a text starting
// so is written as UTF-8, or it would read back as UTF-16.
bool startsAsUtf16Mark(QStringView text);
QByteArray toWindows1252(const QString& text); // characters that do not fit become '?'
QString fromWindows1252(const QByteArray& bytes);

// Splits text into lines: CR LF, a lone CR and a lone LF each end a line; a final line
// break does not start another line. With stopAtNul a NUL character ends the text.
QStringList splitLines(const QString& text);
QStringList splitLines(QStringView text, bool stopAtNul);
// As splitLines, without a copy of the letters: every line is a view into text (made by
// QString::fromRawData), which must outlive the lines and everything copied from them.
QStringList splitLineViews(const QString& text, bool stopAtNul);

// Reads a text file into lines (decodeText + splitLines). Throws AppError naming the file.
QStringList readTextLines(const QString& path, bool stopAtNul = false);
// Every line followed by CR LF, encoded with encodeText.
QByteArray encodeLines(const QStringList& lines);

// encodeLines in pieces, for content too large to be held twice: measure() every line
// first, then encode() them again in the same order; the pieces together are the bytes
// encodeLines gives for the whole list.
class LineEncoder {
public:
    void measure(QStringView line);
    bool windows1252() const { return fits_; }
    // The size of the whole encoded content, known once every line has been measured.
    qint64 size() const;
    // Appends the line and its CR LF to out.
    void encode(QStringView line, QByteArray& out);

private:
    bool first_ = true, fits_ = true, bom_ = false, bomWritten_ = false;
    qint64 cp1252Bytes_ = 0, utf8Bytes_ = 0;
};
// Writes the lines safely: all or nothing (SafeFile). Throws AppError naming the file.
void writeTextLines(const QString& path, const QStringList& lines);
void writeFileSafely(const QString& path, const QByteArray& bytes);
