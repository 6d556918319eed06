#pragma once
#include "render/layouts.h"
#include "render/sidepreview.h"

#include <functional>
#include <QPixmap>
#include <QScrollArea>

class CoverDocument;
class PreviewPaintBox;

// The scroll box with the page preview (ScrBoxSeitenVorschau holding PaintBoxVorschau).
// The main window embeds it, hands it the document and where the side panel's texts come
// from, and forwards its zoom buttons and menu items.
class PreviewPane : public QScrollArea {
    Q_OBJECT
public:
    explicit PreviewPane(QWidget* parent = nullptr);

    void setDocument(const CoverDocument* document) { document_ = document; }
    // The side panel's header, footer and margin texts; without it the document's.
    void setTextSource(std::function<SideTexts(int side)> source) { texts_ = std::move(source); }

    SidePreview& preview() { return preview_; }
    const ZoomState& zoomState() const { return preview_.zoom; }
    void setBereit(bool ready) { preview_.Bereit = ready; }
    bool Bereit() const { return preview_.Bereit; }
    // While printing the preview neither renders nor paints, and the paint box is hidden.
    void setDruckLaeuft(bool printing);

    // Draws side afresh and paints it at once.
    void RenderSidePreview(int side);
    void BtnZoomInClick();
    void BtnZoomOutClick();
    void MenuAnsichtStandardClick();

    QWidget* paintBox() const;

Q_SIGNALS:
    // The zoom or the enabled state of the zoom commands changed.
    void zoomChanged();

private:
    void afterZoom();
    int currentSide() const;

    friend class PreviewPaintBox;
    void PaintBoxVorschauPaint(QPainter& painter, const QRect& clipBox);

    SidePreview preview_;
    const CoverDocument* document_ = nullptr;
    std::function<SideTexts(int)> texts_;
    PreviewPaintBox* box_ = nullptr;
    // The drawing at the current zoom; replaying a dense side on every expose is wasted work.
    QPixmap cache_;
    int cacheGeneration_ = -1;
    double cacheZoom_ = 0;
};
