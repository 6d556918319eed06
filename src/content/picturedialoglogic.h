#pragma once
#include "document/formats.h"
#include "platform/dialogs.h"
#include "platform/picture.h"
#include "render/layouts.h"

#include <QRect>

class QImage;
class QPainter;

// What the picture dialog does, without its widgets: the working copies of the side's
// picture and placement, loading (with the copy into the picture folder), pasting, saving,
// deleting and the preview drawing.
//
// Pictures are shared values, so "freeing" one is dropping this dialog's reference. Bild is
// the working picture; AltBild the document's picture as it was at the show; BildNeu says
// that Bild was loaded, pasted or deleted here. Until OK the document keeps its picture.
class PictureDialogLogic {
public:
    explicit PictureDialogLogic(Dialogs& dialogs) : dialogs_(dialogs) {}

    quint8 Seite = 0;
    int CoverLayout = 0;
    TFormatBild BildFormat;
    TFormatUeberschrift KopfFormat;
    TFormatUeberschrift FussFormat;
    Picture Bild;
    Picture AltBild;
    bool BildNeu = false;
    Picture HgBild; // preview only
    TFormatHintergrund HgFormat;

    // The file dialogs' filters, as the dialogs take them.
    static const QString OpenFilter;
    static const QString SaveFilter;

    // The start of every show.
    void begin();
    // Runs the open dialog and loads the chosen file; false when the user cancelled.
    // Throws AppError (the working picture then stays as it was).
    bool BtnLadenClick();
    // Loads path as the load button does after its dialog: asks whether a file from
    // outside the picture folder is copied there (and then uses the file there, also when
    // the user keeps an existing one). A picture that cannot be read throws AppError before
    // anything is asked or copied; the working picture then stays.
    void loadFile(const QString& path);
    // Makes a pasted image the working picture (without a file).
    void paste(const QImage& image);
    // Offers to store the working picture as a BMP file; false when the user cancelled.
    // Throws AppError when it cannot be written (an existing file then stays as it was).
    bool BtnSpeichernClick();
    void BtnLoeschenClick();
    void RadioBildmasseClick(int index);
    void RadioAusrichtungClick(int index);
    // Alignment matters for the natural size and for filling, not for stretching.
    bool ausrichtungEnabled() const { return BildFormat.Bildmasse != 1; }
    void OKBtnClick();
    void CancelBtnClick();
    void FormClose();
    // Drops every picture reference once the command has taken what it needs.
    void release();

    FileDialogRequest openRequest() const;
    FileDialogRequest saveRequest() const;

    // Where the preview shows the side: its area in mm and its cut outline.
    struct Placement {
        QRect area;
        Outline outline;
    };
    static Placement PreviewPlacement(int seite, int coverLayout);
    // RenderDialogPreview's drawing: background, picture, cut outline (canvas units).
    void drawPreview(QPainter& canvas) const;
    // What the working picture is: file name, pixel size and print resolution at the chosen
    // size; empty without a picture.
    QString pictureInfo() const;

private:
    void setWorking(Picture picture);
    Dialogs& dialogs_;
    QString lastFolder_; // where the last picture was chosen
};
