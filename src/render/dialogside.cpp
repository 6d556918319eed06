#include "render/dialogside.h"
#include "render/primitives.h"

#include <QPainter>

std::optional<SidePlacement> DialogSidePlacement(int layout, int side) {
    // Side 3 has one row for every layout; side 2 takes the row of layouts 0 and 1.
    return SingleSidePlacement(side == 2 ? 0 : layout, side);
}

void DrawDialogSide(QPainter& canvas, const SidePlacement& placement, const Picture& hgBild,
                    const TFormatHintergrund& hgFormat, const TFormatUeberschrift& kopf,
                    const TFormatUeberschrift& fuss,
                    const std::function<void(QPainter&, const SidePlacement&)>& content) {
    constexpr double scale = 10.0;
    const QRect& area = placement.sideArea;
    DrawBackground(true, canvas, area.x(), area.y(), scale, scale, hgBild, hgFormat, area.width(),
                   area.height(), kopf, fuss);
    if (content) content(canvas, placement);
    DrawOutline(canvas, placement.outline, placement.outlineOrigin.x(), placement.outlineOrigin.y(),
                scale, scale);
}
