#pragma once

#include <QImage>
#include <QPoint>
#include <QRectF>
#include <cstdint>
#include <functional>
#include <vector>

#include "library/uiresourcecontrol.h"

// A button as its areas compose it: each area's rectangle cut from its texture, placed at
// (offsetX, offsetY) and scaled by (stretchX, stretchY), drawn in list order with its
// texture's blend type.
struct ButtonComposition {
    QImage image;      // transparent where no area covers; null when nothing was drawn
    QPoint topLeft;    // the button point of the image's upper left pixel
    bool outOfRange = false;  // some area lies too far out, or is no number
    std::vector<int> rowsWithoutTexture;  // rows whose texture was not available
};

// The widest and highest composition drawn, in pixels.
inline constexpr int kMaxCompositionSide = 4096;

// A texture as the composition draws it.
struct CompositionTexture {
    QImage image;  // null when there is none
    std::int32_t blendType = 1;  // 0 solid (alpha ignored), 1 transparent, 2 additive
};

// Where an area's piece lies on the button: its rectangle's size at its offset, scaled by its
// stretch factors (a negative factor mirrors it about the offset).
QRectF PlacedRect(const ResourceArea& area);

// textureOf gives the texture of a texture id.
ButtonComposition ComposeButton(const std::vector<ResourceArea>& areas,
                                const std::function<CompositionTexture(std::int32_t)>& textureOf);
