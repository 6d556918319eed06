#pragma once
#include "document/formats.h"
#include "platform/picture.h"
#include "render/layouts.h"

#include <functional>
#include <optional>

class QPainter;

// The side as the content dialogs (directory, text, picture) preview it: the row of the
// single-side drawing for the layout, where side 2 and side 3 use their rows whatever the
// layout, so a side the layout does not print can still be edited and seen.
std::optional<SidePlacement> DialogSidePlacement(int layout, int side);

// Background over the side's area, then content (handed the placement), then the cut
// outline. Header, footer and margin text are not drawn; their formats only keep the room.
void DrawDialogSide(QPainter& canvas, const SidePlacement& placement, const Picture& hgBild,
                    const TFormatHintergrund& hgFormat, const TFormatUeberschrift& kopf,
                    const TFormatUeberschrift& fuss,
                    const std::function<void(QPainter&, const SidePlacement&)>& content);
