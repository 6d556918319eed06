#include "document/coverdocument.h"
#include "platform/paths.h"

void CoverDocument::resetFields() {
    DateiName = UntitledName;
    AktSeite = 0;
    for (int s = 0; s < SideCount; ++s) {
        KopfText[s].clear();
        FussText[s].clear();
        KopfFormat[s] = TFormatUeberschrift{};
        FussFormat[s] = TFormatUeberschrift{};
        Inhalt[s] = 0;
        VerzFormat[s] = TFormatVerzeichnis{};
        VerzListe[s].clear();
        TextFormat[s] = TFormatText{};
        TextInhalt[s].clear();
        Bild[s] = Picture();
        BildFormat[s] = TFormatBild{};
        HgFormat[s] = TFormatHintergrund{};
    }
    RandText.clear();
    RandFormat = TFormatRandtext{};
}

void CoverDocument::reset() {
    resetFields();
    for (int s = 0; s < SideCount; ++s)
        HgBild[s] = Picture();
    for (int s = 0; s < SideCount; ++s)
        loadTexture(s);
    Geaendert = false;
}

QString CoverDocument::texturePath(const QString& textureName) {
    return resolveCaseInsensitive(ProgSubDir(QStringLiteral("texturen")) + textureName);
}

void CoverDocument::loadTexture(int side) {
    HgBild[side] = Picture();
    HgBild[side] = Picture::load(texturePath(HgFormat[side].Textur));
}

QString CaptionFor(const QString& fileName, const QString& progTitel) {
    return fileNamePart(fileName).toUpper() + QStringLiteral("  -  ") + progTitel;
}
