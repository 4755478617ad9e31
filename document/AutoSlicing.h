#pragma once

#include <cstdint>
#include <optional>
#include <stop_token>
#include <vector>

#include "document/CanvasGeometry.h"
#include "document/SliceCandidates.h"

// Slicing a sheet by its islands ("Automatisch zerlegen"): each island of shown pixels (see
// IslandFinding.h) becomes the box around it, boxes near each other are joined when asked,
// boxes too small are left out, and the rest come in reading order (SliceOrder.h).

// The panel's fields.
struct AutoSliceSettings {
    int threshold = 0;              // "Alpha-Schwelle:", 0 to 255
    int minimumSize = 4;            // "Mindestgröße:" in pixels
    int mergeGap = 0;               // "Zusammenfassen bis:" in pixels, 0 joins none
    bool mergeOverlapping = false;  // "Überlappende zusammenfassen"
};

// The candidates for a texture of blendType, or why there are none: a Solid texture (every
// pixel shows; the grid is offered), settings out of range, a sheet where no pixel or every
// pixel shows, islands all below the minimum size, more than kMaxSliceCandidates boxes.
// Pixels are premultiplied ARGB (PremultipliedTexture.h). stop ends a stale run early with no
// result; the run reads texture and nothing else, so it may go on a worker thread while the
// picture it reads is kept alive.
std::optional<SliceCandidates> AutoSliceCandidates(const TexturePixels& texture,
                                                   std::int32_t blendType,
                                                   const AutoSliceSettings& settings,
                                                   std::stop_token stop = {});

// Boxes joined into their bounding box, again and again until no two of them join: two boxes
// join when gap > 0 and the larger of the empty columns and the empty rows between them is at
// most gap, or, when overlapping is set, when they share pixels (one inside the other
// included). Without overlapping, boxes that share pixels stay apart however close.
std::optional<std::vector<PixelRect>> MergedBoxes(std::vector<PixelRect> boxes, int gap,
                                                  bool overlapping, std::stop_token stop = {});
