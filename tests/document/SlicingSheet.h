#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "document/SliceCandidates.h"

// Found by GoogleTest next to PixelRect, to print a rectangle that differs.
inline void PrintTo(const PixelRect& r, std::ostream* out) {
    *out << "(" << r.x1 << ", " << r.y1 << " - " << r.x2 << ", " << r.y2 << ")";
}

// A texture sheet drawn rectangle by rectangle for the slicing tests: premultiplied ARGB,
// transparent black where nothing is drawn.
class SlicingSheet {
public:
    static constexpr std::uint32_t kOpaque = 0xff808080u;

    SlicingSheet(int width, int height)
        : width(width), height(height), argb(static_cast<std::size_t>(width * height), 0u) {}

    SlicingSheet& fill(const PixelRect& r, std::uint32_t value = kOpaque) {
        for (int y = r.y1; y < r.y2; ++y) {
            for (int x = r.x1; x < r.x2; ++x) {
                argb[static_cast<std::size_t>(y * width + x)] = value;
            }
        }
        return *this;
    }
    SlicingSheet& dot(int x, int y, std::uint32_t value = kOpaque) {
        return fill({x, y, x + 1, y + 1}, value);
    }
    TexturePixels pixels() const { return {argb.data(), width, height, width}; }

    int width;
    int height;
    std::vector<std::uint32_t> argb;
};
