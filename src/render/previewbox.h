#pragma once
#include "render/layouts.h"
#include "render/sidepreview.h"

#include <functional>
#include <QPixmap>
#include <QWidget>

class CoverDocument;
class QScrollArea;

// PaintBoxVorschau: the page preview inside the main window's scroll box. The window hands
// it the document and where the side panel's texts come from, and forwards its zoom
// buttons and menu items; the box sizes itself to the drawing at the current zoom.
class PreviewBox : public QWidget {
    Q_OBJECT
public:
    explicit PreviewBox(QWidget* parent = nullptr);

    void setDocument(const CoverDocument* document) { document_ = document; }
    // The side panel's header, footer and margin texts; without it the document's.
    void setTextSource(std::function<SideTexts(int side)> source) { texts_ = std::move(source); }

    SidePreview& preview() { return preview_; }
    const ZoomState& zoomState() const { return preview_.zoom; }
    void setBereit(bool ready) { preview_.Bereit = ready; }
    // While printing the preview neither renders nor paints, and the box is hidden.
    void setDruckLaeuft(bool printing);

    // Draws side afresh and paints it at once.
    void RenderSidePreview(int side);
    void BtnZoomInClick();
    void BtnZoomOutClick();
    void MenuAnsichtStandardClick();

Q_SIGNALS:
    // The zoom or the enabled state of the zoom commands changed.
    void zoomChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    // Ctrl + wheel zooms in and out in the zoom steps; the plain wheel scrolls.
    void wheelEvent(QWheelEvent* event) override;

private:
    void afterZoom();
    QScrollArea* scrollArea() const;
    void PaintBoxVorschauPaint(QPainter& painter, const QRect& clipBox);

    SidePreview preview_;
    const CoverDocument* document_ = nullptr;
    std::function<SideTexts(int)> texts_;
    // The drawing at the current zoom; replaying a dense side on every expose is wasted work.
    QPixmap cache_;
    int cacheGeneration_ = -1;
    double cacheZoom_ = 0;
    int wheelDelta_ = 0; // eighths of a degree not yet turned into a zoom step
};
