#include "content/picturedialoglogic.h"
#include "content/contentstrings.h"
#include "content/picturefilecopy.h"
#include "platform/busycursor.h"
#include "platform/interfacenumber.h"
#include "platform/paths.h"
#include "platform/stringtable.h"
#include "render/primitives.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>

namespace {
constexpr int TitleSave = 357;
constexpr int TitleLoad = 358;
constexpr int MsgAlreadyExists = 804;
constexpr int MsgCopyToPictures = 807;

QString picturesDir() {
    return ProgSubDir(QStringLiteral("BILDER"));
}
} // namespace

// The first entry takes every kind the program reads; then the classic kinds one by one and
// the kinds Qt's plugins add.
const QString PictureDialogLogic::OpenFilter = QStringLiteral(
    "BMP, WMF, EMF, ICO, JPG, PNG, GIF, TIFF, WebP, SVG|*.BMP;*.WMF;*.EMF;*.ICO;*.JPG;*.JPEG;"
    "*.PNG;*.GIF;*.TIF;*.TIFF;*.WEBP;*.SVG|Windows-Bitmap (BMP)|*.BMP|"
    "Windows MetaDatei (WMF)|*.WMF|Enhanced Windows MetaDatei (EMF)|*.EMF|"
    "Windows Icon Resource (ICO)|*.ICO|JPEG-Bitmap (JPG)|*.JPG;*.JPEG|"
    "PNG, GIF, TIFF, WebP, SVG|*.PNG;*.GIF;*.TIF;*.TIFF;*.WEBP;*.SVG");
const QString PictureDialogLogic::SaveFilter = QStringLiteral("Windows-Bitmap (BMP)|*.BMP");

void PictureDialogLogic::begin() {
    AltBild = Bild;
    BildNeu = false;
}

void PictureDialogLogic::setWorking(Picture picture) {
    Bild = std::move(picture); // the previous working picture goes with the assignment
    BildNeu = true;
}

FileDialogRequest PictureDialogLogic::openRequest() const {
    // Photos are mostly loaded in a row from one folder: start where the last one came from.
    const QString start =
        !lastFolder_.isEmpty() && QFileInfo(lastFolder_).isDir() ? lastFolder_ : picturesDir();
    return {LadeText(TitleLoad), OpenFilter, start, QString(), QString()};
}

FileDialogRequest PictureDialogLogic::saveRequest() const {
    FileDialogRequest r{LadeText(TitleSave), SaveFilter, picturesDir(), QString(),
                        QStringLiteral("bmp")};
    if (!BildFormat.DateiName.isEmpty()) {
        r.directory = directoryPart(normalizeSeparators(BildFormat.DateiName));
        r.fileName = fileNamePart(BildFormat.DateiName);
    }
    return r;
}

bool PictureDialogLogic::BtnLadenClick() {
    const std::optional<QString> chosen = dialogs_.openFile(openRequest());
    if (!chosen) return false;
    lastFolder_ = directoryPart(*chosen);
    loadFile(*chosen);
    return true;
}

void PictureDialogLogic::loadFile(const QString& path) {
    BusyCursor busy;
    QString f = path;
    // Read first: a file that is no picture is neither asked about nor copied.
    Picture loaded = Picture::load(f);
    if (!samePathIgnoringCase(directoryPart(f), picturesDir()) &&
        dialogs_.message(MsgKind::Confirmation, MsgButtons::YesNo, LadeText(MsgCopyToPictures)) ==
            MsgResult::Yes) {
        // Into the picture folder as it is spelt on disk: a lower-case "bilder/" would make a
        // second folder beside "BILDER" on a case-sensitive file system.
        const QString d = CopyPictureFile(f, picturesDir() + fileNamePart(f), dialogs_);
        // A kept older file of that name is what the side uses from now on.
        loaded = Picture::load(d);
        f = d;
    }
    setWorking(std::move(loaded));
    BildFormat.DateiName = f;
    if (Bild.incomplete())
        dialogs_.message(MsgKind::Warning, MsgButtons::Ok, LadeTextArg(StrPictureIncomplete, f));
}

void PictureDialogLogic::paste(const QImage& image) {
    if (image.isNull()) return;
    BusyCursor busy;
    setWorking(Picture::fromImage(image, Picture::Kind::Bitmap));
    BildFormat.DateiName.clear();
}

bool PictureDialogLogic::BtnSpeichernClick() {
    if (Bild.isNull()) return false;
    const std::optional<QString> chosen = dialogs_.saveFile(saveRequest());
    if (!chosen) return false;
    if (QFileInfo::exists(*chosen)) {
        const QString question =
            fileNamePart(*chosen).toUpper() + QLatin1Char(' ') + LadeText(MsgAlreadyExists);
        if (dialogs_.message(MsgKind::Warning, MsgButtons::OkCancel, question) != MsgResult::Ok)
            return false;
    }
    BusyCursor busy;
    Bild.saveBmp(*chosen);
    BildFormat.DateiName = *chosen;
    return true;
}

void PictureDialogLogic::BtnLoeschenClick() {
    setWorking(Picture());
    BildFormat.DateiName.clear();
}

void PictureDialogLogic::RadioBildmasseClick(int index) {
    BildFormat.Bildmasse = index;
}

void PictureDialogLogic::RadioAusrichtungClick(int index) {
    BildFormat.Ausrichtung = index;
}

void PictureDialogLogic::OKBtnClick() {
    if (BildNeu) {
        AltBild = Picture();
        BildNeu = false; // the caller takes Bild
    }
}

void PictureDialogLogic::CancelBtnClick() {
    if (BildNeu) {
        Bild = Picture();
        BildNeu = false;
    }
}

void PictureDialogLogic::FormClose() {
    if (BildNeu) {
        Bild = Picture();
        BildNeu = false;
    }
}

void PictureDialogLogic::release() {
    Bild = Picture();
    AltBild = Picture();
    HgBild = Picture();
    BildNeu = false;
}

PictureDialogLogic::Placement PictureDialogLogic::PreviewPlacement(int seite, int coverLayout) {
    switch (seite) {
    case 0:
        if (coverLayout == 2) return {QRect(19, 2, 138, 116), Outline::MaxiFront};
        if (coverLayout == 3) return {QRect(0, 25, 125, 125), Outline::PaperCaseFront};
        return {QRect(0, 0, 120, 120), Outline::Square120};
    case 1:
        if (coverLayout == 2) return {QRect(0, 2, 122, 116), Outline::MaxiInside};
        if (coverLayout == 3) return {QRect(0, 0, 125, 125), Outline::PaperCaseInside};
        return {QRect(0, 0, 120, 120), Outline::Square120};
    case 2:
        return {QRect(6, 0, 138, 117), Outline::BackInlay};
    default:
        return {QRect(0, 0, 138, 117), Outline::BackInside};
    }
}

QString PictureDialogLogic::pictureInfo() const {
    if (Bild.isNull()) return QString();
    const QString name = BildFormat.DateiName.isEmpty() ? LadeText(StrPicturePasted)
                                                        : fileNamePart(BildFormat.DateiName);
    const QString w = InterfaceNumber(Bild.width()), h = InterfaceNumber(Bild.height());
    QString size;
    if (Bild.image().isNull()) {
        size = LadeTextArg(StrPictureDrawing, w, h);
    } else {
        // The resolution at the size the side draws it (as the print sheets do).
        const Placement p = PreviewPlacement(Seite, CoverLayout);
        const QRect& a = p.area;
        const QRect free =
            BandAllowance(a.x(), a.y(), 10.0, 10.0, a.width(), a.height(), KopfFormat, FussFormat);
        const double dpi =
            PicturePrintDpi(Bild, PictureTarget(free, Bild.size(), BildFormat), 10.0, 10.0);
        if (dpi <= 0) return name;
        size = LadeTextArg(StrPictureRaster, w, h, InterfaceNumber(int(dpi + 1e-6)));
    }
    QString info = name + QStringLiteral(": ") + size;
    if (Bild.incomplete()) info += u' ' + LadeText(StrPictureCutShort);
    return info;
}

void PictureDialogLogic::drawPreview(QPainter& canvas) const {
    const Placement p = PreviewPlacement(Seite, CoverLayout);
    const QRect& a = p.area;
    DrawBackground(true, canvas, a.x(), a.y(), 10.0, 10.0, HgBild, HgFormat, a.width(), a.height(),
                   KopfFormat, FussFormat);
    DrawPicture(true, canvas, a.x(), a.y(), 10.0, 10.0, Bild, BildFormat, a.width(), a.height(),
                KopfFormat, FussFormat);
    DrawOutline(canvas, p.outline, 0, 0);
}
