#pragma once

#include <cstdint>
#include <optional>
#include <stop_token>
#include <vector>

#include "document/CanvasGeometry.h"
#include "document/SliceCandidates.h"

// The islands of a texture sheet: the connected regions of pixels that show, two pixels
// belonging together when they touch at a side or a corner (8-neighbourhood).
//
// Pixels are premultiplied ARGB (see PremultipliedTexture.h). A pixel shows with blend type
// 1 (Transparent) when its alpha is above the threshold, with blend type 2 (Transparent
// Additive) when the brightest of its premultiplied colour channels (the light it adds) is
// above it; with threshold 0 that is exactly what TrimmedRect keeps. Blend type 0 (Solid)
// shows every pixel, so a solid sheet has no islands to find: callers refuse it first
// (AutoSliceCandidates does). Any other blend type counts as Transparent, as in TrimmedRect.

// Whether a premultiplied ARGB pixel shows with a blend type and an alpha threshold (0-255).
struct ShowRule {
    std::int32_t blendType = 1;
    int threshold = 0;

    bool shows(std::uint32_t argb) const;
};

// The bounding box of every island, in no particular order. One pass over the rows, holding
// only two rows of runs at a time, so its memory grows with the islands found, not with the
// sheet. stop is looked at once a row: a run made stale (the panel's fields changed again)
// ends early with no result. Suited to a worker thread: it reads texture and nothing else.
std::optional<std::vector<PixelRect>> FindIslands(const TexturePixels& texture, ShowRule rule,
                                                  std::stop_token stop = {});

// The bounding box of the island under pixel (x, y), by the same rule; none when that pixel
// is outside the texture or does not show. What a double click on a piece cuts out. On a
// Solid texture every pixel shows, so the island is the whole texture. Reads the rows from
// the top until the island is complete.
std::optional<PixelRect> IslandAt(const TexturePixels& texture, ShowRule rule, int x, int y);
