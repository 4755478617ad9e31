#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// How rectangles are drawn and edited on a texture. An area covers the texture pixels from
// x1 up to but not including x2, and from y1 up to but not including y2, rows top-down.
// Positions on the screen are in logical pixels: screen = origin + texture * zoom. Every
// distance the user feels (handles, edge grabbing, snapping) is in screen pixels.

struct EdgeRect {
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;

    double width() const { return x2 - x1; }
    double height() const { return y2 - y1; }
    // The same edges with x1 <= x2 and y1 <= y2.
    EdgeRect normalized() const;
    // Whether the texture point lies on a pixel the rectangle covers.
    bool contains(double x, double y) const;
    bool operator==(const EdgeRect&) const = default;
};

// The texture pixel (along one axis) under a screen position.
int PixelUnder(double position, double origin, double zoom);

// The rectangle covering both pixels a and b, whichever way it was dragged.
EdgeRect RectFromPixels(int ax, int ay, int bx, int by);

// The part of a rectangle a pointer grabs: a set of edges (a corner is two, an edge handle
// or an edge grabbed along its length is one), the body to move it, or nothing.
enum GripEdge : unsigned { kGripLeft = 1, kGripRight = 2, kGripTop = 4, kGripBottom = 8 };
struct Grip {
    unsigned edges = 0;
    bool body = false;
    bool any() const { return edges != 0 || body; }
    bool operator==(const Grip&) const = default;
};

inline constexpr double kHandleSize = 8.0;  // screen pixels, the side of a handle's square
inline constexpr double kEdgeReach = 4.0;   // screen pixels either side of an edge
inline constexpr double kSnapReach = 6.0;   // screen pixels

// What the texture point (x, y) grabs of rect (normalised first) at zoom: a handle (corners,
// edge midpoints) first, then an edge along its length, then the inside.
Grip GripAt(const EdgeRect& rect, double x, double y, double zoom);

// Edges that gestures snap to: the other areas' edges and the texture's border, whole pixels.
struct SnapTargets {
    std::vector<double> xs;
    std::vector<double> ys;
    double reach = 0.0;  // in texture units: kSnapReach / zoom; 0 turns snapping off
};

// A gesture's result, and the edges it snapped to (for the guide lines).
struct GestureResult {
    EdgeRect rect;
    std::optional<double> guideX;
    std::optional<double> guideY;
};

// start moved by (dx, dy) texture units from the press: whole pixels, the size kept.
GestureResult MovedRect(const EdgeRect& start, double dx, double dy, const SnapTargets& snap);

// start with the grip's edges moved by (dx, dy) from the press: whole pixels, flipped past
// the opposite edge, at least 1 x 1, normalised. keepAspect holds the width-to-height ratio
// (without snapping).
GestureResult ResizedRect(const EdgeRect& start, unsigned edges, double dx, double dy,
                          bool keepAspect, const SnapTargets& snap);

// A new area drawn from pixel (ax, ay) to the pixel under texture point (x, y), square when
// asked, clamped to a texture of width x height pixels.
GestureResult CreatedRect(int ax, int ay, double x, double y, bool square, int width, int height,
                          const SnapTargets& snap);

// The texture's pixels as 32-bit ARGB values (0xAARRGGBB), rows top-down.
struct TexturePixels {
    const std::uint32_t* argb = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;  // values from one row to the next
};

enum class TrimOutcome { Trimmed, Unchanged, NothingShows };
struct TrimResult {
    TrimOutcome outcome = TrimOutcome::Unchanged;
    EdgeRect rect;
};

// The smallest rectangle holding every pixel of area that shows with blendType (0 solid:
// every pixel; 1 transparent: alpha above 0; 2 transparent additive: any colour above black).
TrimResult TrimmedRect(const EdgeRect& area, const TexturePixels& texture, std::int32_t blendType);
