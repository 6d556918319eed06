#pragma once
#include "document/directorylisting.h"
#include "document/formats.h"
#include "platform/picture.h"
#include "render/fitwarnings.h"

#include <QRect>
#include <QString>

class QImage;
class QPainter;

// The drawing primitives every cover drawing is made of: preview, dialog previews and print
// sheets. Positions and sizes are whole millimetres; scaleX and scaleY are canvas units per
// millimetre (10.0 everywhere, one unit = 0.1 mm). Each primitive starts with ResetCanvas,
// so none inherits state from the one drawn before it; none keeps state between calls.

// The rectangle (canvas units) that content and background get once the shown header and
// footer bands have taken their room out of X, Y, W, H.
QRect BandAllowance(int x, int y, double scaleX, double scaleY, int w, int h,
                    const TFormatUeberschrift& kopf, const TFormatUeberschrift& fuss);

// A header or footer band at (X, Y), W wide, Groesse + 4 mm high; a text cut at the band's
// width is reported as kind.
void DrawHeaderBand(QPainter& canvas, int x, int y, double scaleX, double scaleY,
                    const QString& text, const TFormatUeberschrift& format, int w,
                    FitKind kind = FitKind::Header);

// Both spines of the back inlay: strips X..X+6 and X+144..X+150, Y..Y+117.
void DrawSpineTexts(QPainter& canvas, int x, int y, double scaleX, double scaleY,
                    const QString& text, const TFormatRandtext& format);

// The margin strip of the maxi-CD outer sheet: X+16..X+19, Y+2..Y+118, always 3 mm text.
void DrawMaxiMarginText(QPainter& canvas, int x, int y, double scaleX, double scaleY,
                        const QString& text, const TFormatRandtext& format);

// A listing in four columns from listing line firstLine; returns the rows per column
// (-1 for an empty listing, which draws nothing).
int DrawDirectoryListing(QPainter& canvas, int x, int y, double scaleX, double scaleY,
                         const DirectoryListing& listing, const TFormatVerzeichnis& format,
                         int firstLine, int w, int h, const TFormatUeberschrift& kopf,
                         const TFormatUeberschrift& fuss);

// Free text, word-wrapped into the content area below and above the shown bands.
void DrawTextBlock(QPainter& canvas, int x, int y, double scaleX, double scaleY,
                   const QString& text, const TFormatText& format, int w, int h,
                   const TFormatUeberschrift& kopf, const TFormatUeberschrift& fuss);

// Where DrawPicture puts a picture of size (pixels) into the free rectangle (canvas units);
// an invalid rectangle where it draws nothing. Filling reaches past free.
QRect PictureTarget(const QRect& free, const QSize& size, const TFormatBild& format);

// Pixels per inch of a raster picture drawn into target; 0 for drawings (metafiles, SVG).
double PicturePrintDpi(const Picture& picture, const QRect& target, double scaleX,
                       double scaleY);

// A picture content: natural size keeping its aspect ratio, stretched, or covering the
// free area keeping its aspect ratio (Bildmasse 2, the overflow cut off by Ausrichtung).
void DrawPicture(bool forPreview, QPainter& canvas, int x, int y, double scaleX, double scaleY,
                 const Picture& picture, const TFormatBild& format, int w, int h,
                 const TFormatUeberschrift& kopf, const TFormatUeberschrift& fuss);

// The side background: a plain colour, or a texture stretched over the free area.
void DrawBackground(bool forPreview, QPainter& canvas, int x, int y, double scaleX, double scaleY,
                    const Picture& texture, const TFormatHintergrund& format, int w, int h,
                    const TFormatUeberschrift& kopf, const TFormatUeberschrift& fuss);

// A raster image transferred unchanged into rect (canvas units): the print sheets' way of
// drawing bitmaps and JPEG images.
void DrawBitmapForPrinter(QPainter& canvas, const QRect& rect, const QImage& bitmap);

// Draws a picture into target by the transfer rule of print sheets and previews.
void TransferPicture(bool forPreview, QPainter& canvas, const QRect& target,
                     const Picture& picture);
