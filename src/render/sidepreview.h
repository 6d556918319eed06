#pragma once
#include "render/fitwarnings.h"
#include "render/layouts.h"
#include "render/recording.h"
#include "render/zoomstate.h"

#include <QRect>
#include <QSize>
#include <QTransform>

class CoverDocument;
class QPainter;

// The main window's page preview without its widgets: the page picture Vorschaubild, the
// zoom and the fixed mapping of 2 x Zoom pixels per millimetre with the drawing's origin at
// (10, 10) of the paint box.
class SidePreview {
public:
    static constexpr int Margin = 10;
    static constexpr int MinimumBoxSize = 640;

    bool Bereit = false;
    bool DruckLaeuft = false;
    ZoomState zoom;

    // Records side (0..3) of the document afresh; the header, footer and margin texts come
    // from the side panel. Does nothing (returns false) while Bereit is false or printing.
    bool RenderSidePreview(int side, const CoverDocument& document, const SideTexts& texts);

    const Recording& Vorschaubild() const { return picture_; }
    // What the last render had to cut; the picture marks each place.
    const QList<FitWarning>& fitWarnings() const { return fitWarnings_; }
    // Printing puts its sheets here; RenderSidePreview puts the side back afterwards.
    void setVorschaubild(const Recording& picture);
    // Changes whenever Vorschaubild does, so painted copies can be cached.
    int generation() const { return generation_; }

    // Paint box pixels where the whole page picture goes (PW = PH = RecordingDevice::Extent).
    static QRect targetRect(double zoom);
    // Canvas units to paint box pixels.
    static QTransform mapping(double zoom);
    // The part of a drawing that can be shown: never beyond the recording device's extent,
    // larger than every sheet.
    static QRect shownBounds(const Recording& picture);
    // The paint box grows with the drawing so every part can be scrolled to, up to the
    // recording device's extent.
    static QSize paintBoxSize(const QRect& drawingBounds, double zoom);
    QSize paintBoxSize() const { return paintBoxSize(picture_.boundingRect(), zoom.Zoom); }

    // PaintBoxVorschauPaint: white over clipBox, then the picture at the current zoom.
    // Paints nothing while printing.
    void PaintBoxVorschauPaint(QPainter& painter, const QRect& clipBox) const;
    // White over clipBox, then picture at zoom with the preview's mapping: also the small
    // previews of the format and content dialogs (zoom 1: 2 pixels per millimetre).
    static void paintRecording(QPainter& painter, const Recording& picture, double zoom,
                               const QRect& clipBox);

private:
    Recording picture_;
    QList<FitWarning> fitWarnings_;
    int generation_ = 0;
};
