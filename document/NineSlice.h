#pragma once

#include <cstdint>
#include <vector>

#include "library/uiresourcecontrol.h"

// Nine-part buttons. One drawing of a button, cut into up to nine areas, composes buttons of
// any size: the corners keep their size, the top and bottom edges stretch along x, the left
// and right edges along y, the centre along both. The library holds nothing but the areas;
// a set of them is recognised again from its cuts and placements (NineSliceRecognition.h).
//
// Along x, the cut rectangle x1..x2 is cut at x1, x1 + L, x2 - R, x2 and placed at the
// edges 0, L, W - R, W from the button's origin (y likewise with T, B and H). Each placed
// edge is computed once and both pieces beside it are derived from it: the piece after an
// edge starts there, and the stretch of the middle piece before it is rounded so that, as a
// 32-bit float, it ends on the edge or a fraction of a float step short of it, never beyond.
// So at any size every pixel centre of the W x H button lies in exactly one piece.

// Whole numbers up to 2^24 are exact as floats; edges beyond are not cut.
inline constexpr float kLargestWholeCoordinate = 16777216.f;

struct NineSliceMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const NineSliceMargins&) const = default;
};

// A nine-part button: where it is cut, its margins, where it is placed and at what size.
// Valid when x1 < x2, y1 < y2, left + right < x2 - x1, top + bottom < y2 - y1 (the middle is
// at least a pixel), margins >= 0, width >= left + right and height >= top + bottom.
struct NineSliceButton {
    std::int32_t textureId = 0;
    int x1 = 0;  // the cut rectangle on the texture, whole pixels
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    NineSliceMargins margins;
    bool centre = true;   // whether the centre piece is drawn
    float originX = 0.f;  // where the button's upper left corner is placed
    float originY = 0.f;
    int width = 0;  // the finished button's size in pixels
    int height = 0;

    bool operator==(const NineSliceButton&) const = default;
};

// The pieces in the order the library lists them.
enum class NinePart {
    TopLeft,
    Top,
    TopRight,
    Left,
    Centre,
    Right,
    BottomLeft,
    Bottom,
    BottomRight,
};

struct NineSlicePiece {
    NinePart part;
    ResourceArea area;  // on the button's texture, with its offset and stretch factors
};

// The pieces of a valid button, in NinePart order. A margin of 0 leaves out the pieces of its
// side; the centre is left out unless drawn. A size of exactly left + right (or top + bottom)
// gives the middle pieces stretch 0: they draw nothing but keep the set whole for a later
// resize.
std::vector<NineSlicePiece> NineSlicePieces(const NineSliceButton& button);
