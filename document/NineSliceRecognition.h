#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "document/NineSlice.h"
#include "library/uiresourcecontrol.h"

// A nine-part set found among a resource's areas: the button its areas make as they now
// stand, and which areas they are.
struct NineSliceSet {
    // The cut, margins, centre and origin the areas show; width and height are the size the
    // placements now cover, rounded to whole pixels.
    NineSliceButton button;
    // The rows of the areas, in the order NineSlicePieces(button) lists the pieces, so that
    // rows[i] takes the place of piece i at another size.
    std::vector<std::size_t> rows;
};

// The nine-part set that the area at row selected belongs to, if any: two to nine areas on
// its texture, in any order among the others, whose rectangles (whole pixels, the centre
// possibly missing) tile one rectangle as NineSlicePieces cuts it, and whose placements tile
// one rectangle as it places them (the margins unstretched, every piece of a column placed
// alike and every piece of a row, neighbours meeting within 1/64 pixel, no mirroring). Where
// several sets hold the area, the one with the most areas. A set of two caps alone (left and
// right, or top and bottom, no piece between them) is not recognised: nothing tells it from
// two areas that merely lie in line.
//
// Two columns whose stretch factors are both 1 do not tell which of them is the margin; the
// narrower is taken as the margin, the first of two equally wide. Rows likewise.
std::optional<NineSliceSet> FindNineSliceSet(const std::vector<ResourceArea>& areas,
                                             std::size_t selected);

// Every nine-part set among areas, each once, in the order of their first rows.
std::vector<NineSliceSet> FindNineSliceSets(const std::vector<ResourceArea>& areas);
