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
    QImage image;             // transparent where no area covers; null when nothing was drawn
    QPoint topLeft;           // the button point of the image's upper left pixel
    bool outOfRange = false;  // some area lies too far out, or is no number
    std::vector<int> rowsWithoutTexture;  // rows whose texture was not available
};

// The widest and highest composition drawn, in pixels.
inline constexpr int kMaxCompositionSide = 4096;

// A texture as the composition draws it, its picture already blended (see BlendTexture).
struct CompositionTexture {
    QImage image;           // null when there is none
    bool additive = false;  // its light is added to what lies below
};

// Where an area's piece lies on the button: its rectangle's size at its offset, scaled by its
// stretch factors (a negative factor mirrors it about the offset).
QRectF PlacedRect(const ResourceArea& area);

// The picture as blendType draws it: 0 solid (alpha ignored) and 2 additive (black adds
// nothing) make one copy of the picture, 1 transparent and any other value share it.
CompositionTexture BlendTexture(const QImage& picture, std::int32_t blendType);

// textureOf gives the blended texture of a texture id. It is asked for every area, so it
// hands out kept pictures rather than blending anew.
ButtonComposition ComposeButton(const std::vector<ResourceArea>& areas,
                                const std::function<CompositionTexture(std::int32_t)>& textureOf);
