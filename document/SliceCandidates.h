#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "document/CanvasGeometry.h"

// What slicing a texture sheet proposes, shared by its two ways (a grid and the islands of
// shown pixels), by the editor's panels and by `tolvane-cli slice`, so that both cut the same
// areas from the same picture. The way through it:
//
// 1. The picture: premultiplied ARGB pixels (PremultipliedTexture.h). The editor hands the
//    texture cache's QImage::Format_ARGB32_Premultiplied picture as it is ({bits, width,
//    height, bytesPerLine / 4}); the command line premultiplies the decoder's pixels.
// 2. The candidates: GridCandidates (GridSlicing.h) or AutoSliceCandidates (AutoSlicing.h),
//    again after every change of a field. They read only the pixels and take a stop token,
//    so a panel may run them on a worker thread (keeping the picture alive meanwhile) and
//    stop a run that a newer change made stale; a stopped run gives no result. A refusal
//    carries the message the panel shows instead of the count.
// 3. The plan: PlanSlice (SliceApplication.h) with "Vorhandene Bereiche:", which says what
//    is left out or replaced, which rows the new areas get, and holds the one step "Textur
//    zerlegen" for the history; without a step there is nothing to apply.
// 4. One piece: IslandAt (IslandFinding.h) gives the box of the island under a pixel
//    ("Bereich aus Insel"); SlicedArea makes the area, AreaChange::inserted the step.

// A rectangle of whole texture pixels: x1 up to but not including x2, y1 up to but not
// including y2, as areas cover pixels.
struct PixelRect {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;

    int width() const { return x2 - x1; }
    int height() const { return y2 - y1; }
    EdgeRect edges() const { return {double(x1), double(y1), double(x2), double(y2)}; }
    bool operator==(const PixelRect&) const = default;
};

// More candidates than a person can mean on one sheet (a one-pixel grid, a sheet of noise):
// they are refused rather than laid over the texture or put into the library.
inline constexpr std::size_t kMaxSliceCandidates = 100000;

// The rectangles a slicing proposes, in the order they become areas, or why it proposes none.
struct SliceCandidates {
    std::vector<PixelRect> rects;
    // Empty when rects holds the proposal; otherwise what the panel shows instead (German,
    // UTF-8), rects is empty and "Übernehmen" stays disabled.
    std::string message;
    // Whether the message suggests slicing by a grid instead (every pixel shows).
    bool offerGrid = false;

    bool refused() const { return !message.empty(); }
};

// A refusal with message.
SliceCandidates RefusedSlice(std::string message, bool offerGrid = false);

// A number as German texts write it: 100000 as "100.000".
std::string GermanNumber(std::size_t number);

// The count the preview shows: "1 Bereich", "24 Bereiche".
std::string AreaCountText(std::size_t count);

// The refusal of count candidates, more than kMaxSliceCandidates; hint says what to change.
SliceCandidates TooManyCandidates(std::size_t count, const std::string& hint);
