// Slices generated sheets automatically. The input's first bytes choose the sheet's size, blend
// type and the panel's fields; the rest, repeated, are the pixels' alpha. Besides what the
// sanitizers find: the islands are exactly the 8-connected regions a plain flood fill finds,
// the island under a pixel is its region's box, and the candidates lie on the sheet and leave
// no two boxes that the settings would still join.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/AutoSlicing.h"
#include "document/IslandFinding.h"
#include "fuzz/FuzzCheck.h"

namespace {

struct Sheet {
    int width;
    int height;
    std::vector<std::uint32_t> argb;
    TexturePixels pixels() const { return {argb.data(), width, height, width}; }
};

// Premultiplied pixels: each colour channel at most the alpha.
Sheet makeSheet(int width, int height, const std::uint8_t* bytes, std::size_t size) {
    Sheet sheet{width, height, std::vector<std::uint32_t>(std::size_t(width) * height, 0u)};
    for (std::size_t at = 0; size != 0 && at < sheet.argb.size(); ++at) {
        const std::uint32_t alpha = bytes[at % size];
        const std::uint32_t red = std::min<std::uint32_t>(alpha, (alpha * 7) & 0xff);
        const std::uint32_t green = std::min<std::uint32_t>(alpha, alpha ^ 0x5a);
        sheet.argb[at] = alpha << 24 | red << 16 | green << 8 | alpha / 2;
    }
    return sheet;
}

// The box of every 8-connected region of shown pixels, by a plain flood fill, and for each
// pixel the region it lies in (-1 where none).
struct Regions {
    std::vector<PixelRect> boxes;
    std::vector<int> regionOf;
};

Regions floodFill(const Sheet& sheet, ShowRule rule) {
    Regions regions{{}, std::vector<int>(sheet.argb.size(), -1)};
    std::vector<std::pair<int, int>> pending;
    for (int y = 0; y < sheet.height; ++y) {
        for (int x = 0; x < sheet.width; ++x) {
            const std::size_t start = std::size_t(y) * sheet.width + x;
            if (regions.regionOf[start] >= 0 || !rule.shows(sheet.argb[start])) {
                continue;
            }
            const int region = static_cast<int>(regions.boxes.size());
            PixelRect box{x, y, x + 1, y + 1};
            regions.regionOf[start] = region;
            pending.assign(1, {x, y});
            while (!pending.empty()) {
                const auto [px, py] = pending.back();
                pending.pop_back();
                box = {std::min(box.x1, px), std::min(box.y1, py), std::max(box.x2, px + 1),
                       std::max(box.y2, py + 1)};
                for (int ny = py - 1; ny <= py + 1; ++ny) {
                    for (int nx = px - 1; nx <= px + 1; ++nx) {
                        if (nx < 0 || ny < 0 || nx >= sheet.width || ny >= sheet.height) {
                            continue;
                        }
                        const std::size_t at = std::size_t(ny) * sheet.width + nx;
                        if (regions.regionOf[at] < 0 && rule.shows(sheet.argb[at])) {
                            regions.regionOf[at] = region;
                            pending.push_back({nx, ny});
                        }
                    }
                }
            }
            regions.boxes.push_back(box);
        }
    }
    return regions;
}

bool before(const PixelRect& a, const PixelRect& b) {
    return std::tie(a.x1, a.y1, a.x2, a.y2) < std::tie(b.x1, b.y1, b.x2, b.y2);
}

long long gapBetween(const PixelRect& a, const PixelRect& b) {
    return std::max({0LL, static_cast<long long>(std::max(a.x1, b.x1)) - std::min(a.x2, b.x2),
                     static_cast<long long>(std::max(a.y1, b.y1)) - std::min(a.y2, b.y2)});
}

bool sharePixels(const PixelRect& a, const PixelRect& b) {
    return a.x1 < b.x2 && b.x1 < a.x2 && a.y1 < b.y2 && b.y1 < a.y2;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 7) {
        return 0;
    }
    const int width = 1 + data[0] % 48;
    const int height = 1 + data[1] % 48;
    const ShowRule rule{1 + data[2] % 2, data[3]};
    AutoSliceSettings settings;
    settings.threshold = rule.threshold;
    settings.minimumSize = data[4] % 8;
    settings.mergeGap = data[5] % 6;
    settings.mergeOverlapping = (data[6] & 1) != 0;
    const Sheet sheet = makeSheet(width, height, data + 7, size - 7);

    const Regions regions = floodFill(sheet, rule);
    std::vector<PixelRect> islands = *FindIslands(sheet.pixels(), rule);
    std::vector<PixelRect> expected = regions.boxes;
    std::sort(islands.begin(), islands.end(), before);
    std::sort(expected.begin(), expected.end(), before);
    FUZZ_CHECK(islands == expected);

    // Each look-up reads the whole sheet: sixteen pixels spread over it are enough.
    const std::size_t step = std::max<std::size_t>(1, regions.regionOf.size() / 16);
    for (std::size_t at = data[4] % step; at < regions.regionOf.size(); at += step) {
        const int region = regions.regionOf[at];
        const std::optional<PixelRect> island = IslandAt(
            sheet.pixels(), rule, static_cast<int>(at % width), static_cast<int>(at / width));
        FUZZ_CHECK(island.has_value() == (region >= 0));
        FUZZ_CHECK(!island || *island == regions.boxes[std::size_t(region)]);
    }

    const SliceCandidates candidates =
        *AutoSliceCandidates(sheet.pixels(), rule.blendType, settings);
    FUZZ_CHECK(candidates.refused() == candidates.rects.empty());
    for (std::size_t i = 0; i < candidates.rects.size(); ++i) {
        const PixelRect& a = candidates.rects[i];
        FUZZ_CHECK(a.x1 >= 0 && a.y1 >= 0 && a.x2 <= width && a.y2 <= height);
        FUZZ_CHECK(a.x1 < a.x2 && a.y1 < a.y2);
        FUZZ_CHECK(a.width() >= settings.minimumSize || a.height() >= settings.minimumSize);
        for (std::size_t j = i + 1; j < candidates.rects.size(); ++j) {
            const PixelRect& b = candidates.rects[j];
            if (sharePixels(a, b)) {
                FUZZ_CHECK(!settings.mergeOverlapping);
            } else {
                FUZZ_CHECK(settings.mergeGap == 0 || gapBetween(a, b) > settings.mergeGap);
            }
        }
    }
    return 0;
}
