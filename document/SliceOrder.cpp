#include "document/SliceOrder.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

std::vector<PixelRect> InReadingOrder(std::vector<PixelRect> rects) {
    const auto byTop = [](const PixelRect& a, const PixelRect& b) {
        return std::tie(a.y1, a.x1, a.y2, a.x2) < std::tie(b.y1, b.x1, b.y2, b.x2);
    };
    const auto byLeft = [](const PixelRect& a, const PixelRect& b) {
        return std::tie(a.x1, a.y1, a.x2, a.y2) < std::tie(b.x1, b.y1, b.x2, b.y2);
    };
    std::sort(rects.begin(), rects.end(), byTop);
    // Centres and heights doubled, so that the comparison stays in whole numbers.
    const auto doubledCentre = [](const PixelRect& r) {
        return static_cast<long long>(r.y1) + r.y2;
    };
    auto rowStart = rects.begin();
    long long firstCentre = 0;
    long long smallestHeight = 0;
    for (auto at = rects.begin(); at != rects.end(); ++at) {
        if (at == rowStart || std::llabs(doubledCentre(*at) - firstCentre) > smallestHeight) {
            std::sort(rowStart, at, byLeft);
            rowStart = at;
            firstCentre = doubledCentre(*at);
            smallestHeight = at->height();
        }
        smallestHeight = std::min<long long>(smallestHeight, at->height());
    }
    std::sort(rowStart, rects.end(), byLeft);
    return rects;
}
