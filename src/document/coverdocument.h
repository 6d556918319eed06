#pragma once
#include "document/directorylisting.h"
#include "document/formats.h"
#include "platform/picture.h"

#include <array>

// The one open cover: four sides (0 front outside, 1 front inside, 2 back outside,
// 3 back inside), one margin text, the file it belongs to and the case layout.
// A plain value, so a file can be read into a fresh document and swapped in whole.
class CoverDocument {
public:
    static constexpr int SideCount = 4;
    static inline const QString UntitledName = QStringLiteral("keinname.zvx");

    int AktSeite = 0;
    std::array<QString, 4> KopfText;
    std::array<QString, 4> FussText;
    QString RandText;
    std::array<TFormatUeberschrift, 4> KopfFormat;
    std::array<TFormatUeberschrift, 4> FussFormat;
    TFormatRandtext RandFormat;
    std::array<quint8, 4> Inhalt{}; // 0 none, 1 directory listing, 2 free text, 3 picture
    std::array<DirectoryListing, 4> VerzListe;
    std::array<TFormatVerzeichnis, 4> VerzFormat;
    std::array<QString, 4> TextInhalt; // lines separated by CR LF
    std::array<TFormatText, 4> TextFormat;
    std::array<Picture, 4> Bild; // may be null
    std::array<TFormatBild, 4> BildFormat;
    std::array<Picture, 4> HgBild; // loaded texture per side
    std::array<TFormatHintergrund, 4> HgFormat;

    QString DateiName = UntitledName;
    bool Geaendert = false;
    quint8 CoverLayout = 0;

    // Puts every field to its reset value (CoverLayout and AktSeite's window state are the
    // caller's), then loads each side's texture. A texture that cannot be loaded stops the
    // reset with an AppError; Geaendert then keeps its old value.
    void reset();
    // Fields only, no texture loading.
    void resetFields();
    // Loads HgBild[side] from the textures folder and HgFormat[side].Textur. Throws AppError.
    void loadTexture(int side);
    // The path of a texture file name in the textures folder (resolved case-insensitively).
    static QString texturePath(const QString& textureName);
};

// Caption text: the upper-cased file-name part of fileName, "  -  ", then the title.
QString CaptionFor(const QString& fileName, const QString& progTitel);
