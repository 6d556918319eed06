#pragma once
#include "document/coverdocument.h"

#include <QStringList>

// Reads the lines of a cover file into a document that the caller has reset. Values sit at
// fixed places, so any bad line (text where a number belongs, a count larger than the rest
// of the file, a content kind outside 0..3, a missing line) stops the reading with an
// AppError naming the file and the 1-based line. The caller reads into a fresh document and
// keeps the open one when this throws.
class CoverReader {
public:
    enum class Form { V20, V12, Old };
    static inline const QString VersionLine20 = QStringLiteral("\\\\\\V2.0\\\\\\");
    static inline const QString VersionLine12 = QStringLiteral("\\\\\\V1.2\\\\\\");

    // Font size indexes are kept to their size lists when read: header and footer, margin
    // text, listing, free text.
    static constexpr qint32 MaxLineSize = 8, MaxMarginSize = 4, MaxListingSize = 4,
                            MaxTextSize = 27;

    // fileName is only used in messages. lines may be views into a text (splitLineViews)
    // that outlives the reader; the document gets copies.
    CoverReader(const QStringList& lines, CoverDocument& doc, const QString& fileName);

    // The form by the first line: the two version lines, anything else is the oldest form.
    static Form formOf(const QStringList& lines);

    // Returns the stored case layout as read (the caller applies it; it may lie outside 0..3).
    int ReadCoverV20();
    // Backgrounds and the case layout keep what they held.
    void ReadCoverV12();
    // Three sides; side 3, the backgrounds and the case layout keep what they held.
    void ReadCoverOld();
    // Reads by formOf(); returns the stored layout for version 2.0 files.
    std::optional<int> read();

    // Pictures and textures that exist but could not be loaded (their messages). The side
    // keeps its default texture or no picture, as for a missing file.
    const QStringList& notLoaded() const { return notLoaded_; }

    // The colour of a palette index of the two older forms; any other index is black.
    static qint32 PaletteColour(int index);

private:
    enum class Colour { Value, Palette };

    [[noreturn]] void fail(int index, const QString& reason) const;
    QStringView line();
    QString text();
    qint32 integer();
    qint32 sizeIndex(qint32 max);
    quint8 boolean();
    qint32 colour(Colour kind);
    int count();
    void readList(DirectoryListing& out, int n);

    void readLineBlock(QString& text, TFormatUeberschrift& format, Colour colours);
    void readMarginBlock(Colour colours);
    void readContent(int side, Colour colours, bool directorySize);
    void readBackground(int side);
    void loadPicture(int side);
    bool pictureFileExists(int side) const;
    bool pictureFound(int side);

    void readOldSide(int side);

    const QStringList lines_; // a shared copy: callers may pass a temporary
    CoverDocument& doc_;
    QString fileName_;
    int pos_ = 0;
    QStringList notLoaded_;
};
