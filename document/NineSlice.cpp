#include "document/NineSlice.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>

namespace {

// One column (or row) of pieces: where it is cut, where it is placed, how it is stretched.
struct Band {
    bool present = false;
    float cut1 = 0.f;
    float cut2 = 0.f;
    float offset = 0.f;
    float stretch = 1.f;
};

// The stretch that takes length pixels placed at from up to to: the ratio of the placed to
// the cut length, as the largest float that does not overshoot to. Overshooting is checked in
// the composition's own arithmetic (offset + length * stretch in double, where the product
// is exact). The first guess is at most a float step or two too large.
float stretchBetween(float from, float to, int length, int placedLength) {
    const double room = (static_cast<double>(to) - from) / length;
    float stretch = static_cast<float>(std::min(static_cast<double>(placedLength) / length, room));
    while (stretch > 0.f &&
           static_cast<double>(from) + length * static_cast<double>(stretch) > to) {
        stretch = std::nextafter(stretch, 0.f);
    }
    return stretch;
}

// The low margin, the middle and the high margin of one axis: cut1..cut2 on the texture
// with margins low and high, placed from origin at size.
std::array<Band, 3> bandsOf(int cut1, int cut2, int low, int high, float origin, int size) {
    assert(low >= 0 && high >= 0 && low + high < cut2 - cut1 && size >= low + high);
    // The placed edges between the bands, each computed once.
    const float lowEdge = static_cast<float>(static_cast<double>(origin) + low);
    const float highEdge = static_cast<float>(static_cast<double>(origin) + (size - high));
    const int middle = cut2 - cut1 - low - high;
    return {{
        {low > 0, static_cast<float>(cut1), static_cast<float>(cut1 + low), origin, 1.f},
        {true, static_cast<float>(cut1 + low), static_cast<float>(cut2 - high), lowEdge,
         stretchBetween(lowEdge, highEdge, middle, size - low - high)},
        {high > 0, static_cast<float>(cut2 - high), static_cast<float>(cut2), highEdge, 1.f},
    }};
}

}  // namespace

std::vector<NineSlicePiece> NineSlicePieces(const NineSliceButton& button) {
    const NineSliceMargins& margins = button.margins;
    const std::array<Band, 3> columns =
        bandsOf(button.x1, button.x2, margins.left, margins.right, button.originX, button.width);
    const std::array<Band, 3> rows =
        bandsOf(button.y1, button.y2, margins.top, margins.bottom, button.originY, button.height);
    std::vector<NineSlicePiece> pieces;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t column = 0; column < columns.size(); ++column) {
            const bool isCentre = row == 1 && column == 1;
            if (!rows[row].present || !columns[column].present || (isCentre && !button.centre)) {
                continue;
            }
            ResourceArea area;
            area.x1 = columns[column].cut1;
            area.x2 = columns[column].cut2;
            area.y1 = rows[row].cut1;
            area.y2 = rows[row].cut2;
            area.offsetX = columns[column].offset;
            area.offsetY = rows[row].offset;
            area.stretchX = columns[column].stretch;
            area.stretchY = rows[row].stretch;
            area.textureId = button.textureId;
            pieces.push_back({static_cast<NinePart>(row * 3 + column), area});
        }
    }
    return pieces;
}
