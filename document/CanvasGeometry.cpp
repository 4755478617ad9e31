#include "document/CanvasGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kTolerance = 1e-9;

// The target nearest to value within reach, or none.
std::optional<double> nearestTarget(double value, const std::vector<double>& targets,
                                    double reach) {
    std::optional<double> best;
    for (const double target : targets) {
        const double distance = std::abs(target - value);
        if (distance <= reach + kTolerance && (!best || distance < std::abs(*best - value))) {
            best = target;
        }
    }
    return best;
}

// An edge dragged to value: snapped to a target, else to the nearest whole pixel.
double placedEdge(double value, const std::vector<double>& targets, double reach,
                  std::optional<double>& guide) {
    if (const std::optional<double> target = nearestTarget(value, targets, reach)) {
        guide = target;
        return *target;
    }
    return std::round(value);
}

struct Span {
    double low;
    double high;
};

// Both edges of one axis moved by delta, the whole-pixel length kept; the edge nearer its
// target snaps and the other follows.
Span movedSpan(double low, double high, double delta, const std::vector<double>& targets,
               double reach, std::optional<double>& guide) {
    const double length = std::max(1.0, std::round(high - low));
    const std::optional<double> lowTarget = nearestTarget(low + delta, targets, reach);
    const std::optional<double> highTarget = nearestTarget(high + delta, targets, reach);
    const double lowDistance =
        lowTarget ? std::abs(*lowTarget - (low + delta)) : std::numeric_limits<double>::max();
    const double highDistance =
        highTarget ? std::abs(*highTarget - (high + delta)) : std::numeric_limits<double>::max();
    if (highTarget && highDistance < lowDistance) {
        guide = highTarget;
        return {*highTarget - length, *highTarget};
    }
    if (lowTarget) {
        guide = lowTarget;
        return {*lowTarget, *lowTarget + length};
    }
    const double placed = std::round(low + delta);
    return {placed, placed + length};
}

// The moving edge of one axis placed against the fixed one: at least a pixel apart, on the
// side it was dragged to.
Span resizedSpan(double fixed, double moving, bool movingWasHigh) {
    if (moving == fixed) {
        moving = fixed + (movingWasHigh ? 1.0 : -1.0);
    }
    return {std::min(fixed, moving), std::max(fixed, moving)};
}

// The axis of a resize: which edge moves (none, low or high) and where it goes unsnapped.
struct AxisDrag {
    bool moves = false;
    bool high = false;
    double fixed = 0.0;
    double moving = 0.0;  // unrounded
};

AxisDrag axisDrag(double low, double high, unsigned edges, unsigned lowEdge, unsigned highEdge,
                  double delta) {
    if (edges & highEdge) {
        return {true, true, std::round(low), high + delta};
    }
    if (edges & lowEdge) {
        return {true, false, std::round(high), low + delta};
    }
    return {};
}

// Length along an axis keeping its direction from fixed, at least one pixel.
double towards(double fixed, double moving, bool movingWasHigh, double length) {
    const bool up = moving > fixed || (moving == fixed && movingWasHigh);
    return fixed + (up ? 1.0 : -1.0) * std::max(1.0, std::round(length));
}

}  // namespace

EdgeRect EdgeRect::normalized() const {
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

bool EdgeRect::contains(double x, double y) const {
    const EdgeRect r = normalized();
    return x >= r.x1 && x < r.x2 && y >= r.y1 && y < r.y2;
}

int PixelUnder(double position, double origin, double zoom) {
    return static_cast<int>(std::floor((position - origin) / zoom));
}

EdgeRect RectFromPixels(int ax, int ay, int bx, int by) {
    return {double(std::min(ax, bx)), double(std::min(ay, by)), double(std::max(ax, bx) + 1),
            double(std::max(ay, by) + 1)};
}

Grip GripAt(const EdgeRect& rect, double x, double y, double zoom) {
    const EdgeRect r = rect.normalized();
    const double half = kHandleSize / 2.0 / zoom;
    const double reach = kEdgeReach / zoom;
    const double midX = (r.x1 + r.x2) / 2.0;
    const double midY = (r.y1 + r.y2) / 2.0;
    // Handles: corners, then edge midpoints.
    struct Handle {
        double x;
        double y;
        unsigned edges;
    };
    const Handle handles[] = {
        {r.x1, r.y1, kGripLeft | kGripTop},
        {r.x2, r.y1, kGripRight | kGripTop},
        {r.x1, r.y2, kGripLeft | kGripBottom},
        {r.x2, r.y2, kGripRight | kGripBottom},
        {midX, r.y1, kGripTop},
        {midX, r.y2, kGripBottom},
        {r.x1, midY, kGripLeft},
        {r.x2, midY, kGripRight},
    };
    for (const Handle& handle : handles) {
        if (std::abs(x - handle.x) <= half && std::abs(y - handle.y) <= half) {
            return {handle.edges, false};
        }
    }
    const bool alongX = x >= r.x1 - reach && x <= r.x2 + reach;
    const bool alongY = y >= r.y1 - reach && y <= r.y2 + reach;
    unsigned edges = 0;
    if (alongY && std::abs(x - r.x1) <= reach) {
        edges |= kGripLeft;
    } else if (alongY && std::abs(x - r.x2) <= reach) {
        edges |= kGripRight;
    }
    if (alongX && std::abs(y - r.y1) <= reach) {
        edges |= kGripTop;
    } else if (alongX && std::abs(y - r.y2) <= reach) {
        edges |= kGripBottom;
    }
    if (edges != 0) {
        return {edges, false};
    }
    return {0, r.contains(x, y)};
}

GestureResult MovedRect(const EdgeRect& start, double dx, double dy, const SnapTargets& snap) {
    const EdgeRect r = start.normalized();
    GestureResult result;
    const Span xs = movedSpan(r.x1, r.x2, dx, snap.xs, snap.reach, result.guideX);
    const Span ys = movedSpan(r.y1, r.y2, dy, snap.ys, snap.reach, result.guideY);
    result.rect = {xs.low, ys.low, xs.high, ys.high};
    return result;
}

GestureResult ResizedRect(const EdgeRect& start, unsigned edges, double dx, double dy,
                          bool keepAspect, const SnapTargets& snap) {
    const EdgeRect r = start.normalized();
    const AxisDrag x = axisDrag(r.x1, r.x2, edges, kGripLeft, kGripRight, dx);
    const AxisDrag y = axisDrag(r.y1, r.y2, edges, kGripTop, kGripBottom, dy);
    GestureResult result;
    Span xs{std::round(r.x1), std::round(r.x2)};
    Span ys{std::round(r.y1), std::round(r.y2)};
    const double width = std::max(1.0, r.width());
    const double height = std::max(1.0, r.height());
    if (keepAspect && x.moves && y.moves) {
        // The larger of the two scales wins, so the corner never lags behind the pointer.
        const double scale =
            std::max(std::abs(x.moving - x.fixed) / width, std::abs(y.moving - y.fixed) / height);
        const double movedX = towards(x.fixed, x.moving, x.high, width * scale);
        const double movedY = towards(y.fixed, y.moving, y.high, height * scale);
        xs = {std::min(x.fixed, movedX), std::max(x.fixed, movedX)};
        ys = {std::min(y.fixed, movedY), std::max(y.fixed, movedY)};
    } else if (keepAspect) {
        // One edge: the other axis follows about its centre.
        const AxisDrag& drag = x.moves ? x : y;
        const double moved =
            towards(drag.fixed, drag.moving, drag.high, std::abs(drag.moving - drag.fixed));
        const Span dragged{std::min(drag.fixed, moved), std::max(drag.fixed, moved)};
        const double scale = (dragged.high - dragged.low) / (x.moves ? width : height);
        const double otherLength = std::max(1.0, std::round((x.moves ? height : width) * scale));
        const double centre = x.moves ? (r.y1 + r.y2) / 2.0 : (r.x1 + r.x2) / 2.0;
        const double low = std::round(centre - otherLength / 2.0);
        const Span other{low, low + otherLength};
        xs = x.moves ? dragged : other;
        ys = x.moves ? other : dragged;
    } else {
        if (x.moves) {
            xs = resizedSpan(x.fixed, placedEdge(x.moving, snap.xs, snap.reach, result.guideX),
                             x.high);
        }
        if (y.moves) {
            ys = resizedSpan(y.fixed, placedEdge(y.moving, snap.ys, snap.reach, result.guideY),
                             y.high);
        }
    }
    result.rect = {xs.low, ys.low, xs.high, ys.high};
    return result;
}

GestureResult CreatedRect(int ax, int ay, double x, double y, bool square, int width, int height,
                          const SnapTargets& snap) {
    const int lastX = std::max(0, width - 1);
    const int lastY = std::max(0, height - 1);
    ax = std::clamp(ax, 0, lastX);
    ay = std::clamp(ay, 0, lastY);
    int bx = std::clamp(static_cast<int>(std::floor(x)), 0, lastX);
    int by = std::clamp(static_cast<int>(std::floor(y)), 0, lastY);
    GestureResult result;
    if (square) {
        const int signX = bx < ax ? -1 : 1;
        const int signY = by < ay ? -1 : 1;
        const int room = std::min(signX > 0 ? lastX - ax : ax, signY > 0 ? lastY - ay : ay);
        const int side = std::min(std::max(std::abs(bx - ax), std::abs(by - ay)), room);
        result.rect = RectFromPixels(ax, ay, ax + signX * side, ay + signY * side);
        return result;
    }
    result.rect = RectFromPixels(ax, ay, bx, by);
    // The edge that follows the pointer snaps, never past the pixel pressed on.
    double& movingX = bx < ax ? result.rect.x1 : result.rect.x2;
    double& movingY = by < ay ? result.rect.y1 : result.rect.y2;
    if (const auto target = nearestTarget(movingX, snap.xs, snap.reach);
        target && (bx < ax ? *target <= ax : *target >= ax + 1)) {
        movingX = *target;
        result.guideX = target;
    }
    if (const auto target = nearestTarget(movingY, snap.ys, snap.reach);
        target && (by < ay ? *target <= ay : *target >= ay + 1)) {
        movingY = *target;
        result.guideY = target;
    }
    return result;
}

TrimResult TrimmedRect(const EdgeRect& area, const TexturePixels& texture, std::int32_t blendType) {
    const EdgeRect r = area.normalized();
    // The pixels the area touches, within the texture.
    const int left = std::clamp(static_cast<int>(std::floor(r.x1)), 0, texture.width);
    const int top = std::clamp(static_cast<int>(std::floor(r.y1)), 0, texture.height);
    const int right = std::clamp(static_cast<int>(std::ceil(r.x2)), 0, texture.width);
    const int bottom = std::clamp(static_cast<int>(std::ceil(r.y2)), 0, texture.height);
    if (left >= right || top >= bottom) {
        return {TrimOutcome::NothingShows, area};
    }
    if (blendType == 0) {
        return {TrimOutcome::Unchanged, area};
    }
    const std::uint32_t mask = blendType == 2 ? 0x00ffffffu : 0xff000000u;
    const auto row = [&texture](int y) { return texture.argb + y * texture.stride; };
    const auto rowShows = [&](int y) {
        const std::uint32_t* pixels = row(y);
        return std::any_of(pixels + left, pixels + right,
                           [mask](std::uint32_t p) { return (p & mask) != 0; });
    };
    int firstRow = top;
    while (firstRow < bottom && !rowShows(firstRow)) {
        ++firstRow;
    }
    if (firstRow == bottom) {
        return {TrimOutcome::NothingShows, area};
    }
    int lastRow = bottom - 1;
    while (!rowShows(lastRow)) {
        --lastRow;
    }
    // Each row only needs looking at outside the columns already known to show.
    int firstColumn = right;
    int lastColumn = left - 1;
    for (int y = firstRow; y <= lastRow; ++y) {
        const std::uint32_t* pixels = row(y);
        for (int x = left; x < firstColumn; ++x) {
            if (pixels[x] & mask) {
                firstColumn = x;
                break;
            }
        }
        for (int x = right - 1; x > lastColumn; --x) {
            if (pixels[x] & mask) {
                lastColumn = x;
                break;
            }
        }
    }
    const EdgeRect trimmed{double(firstColumn), double(firstRow), double(lastColumn + 1),
                           double(lastRow + 1)};
    return {trimmed == r ? TrimOutcome::Unchanged : TrimOutcome::Trimmed, trimmed};
}
