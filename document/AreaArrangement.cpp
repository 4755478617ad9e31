#include "document/AreaArrangement.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// One axis of a rectangle, normalised: its low and high edge.
struct Span {
    double low;
    double high;
    double size() const { return high - low; }
};

Span spanOf(const EdgeRect& rect, Axis axis) {
    const EdgeRect r = rect.normalized();
    return axis == Axis::Horizontal ? Span{r.x1, r.x2} : Span{r.y1, r.y2};
}

Shift along(Axis axis, double distance) {
    return axis == Axis::Horizontal ? Shift{distance, 0.0} : Shift{0.0, distance};
}

}  // namespace

std::vector<Shift> AlignmentShifts(const std::vector<EdgeRect>& rects, Alignment alignment) {
    const Axis axis = alignment == Alignment::Left || alignment == Alignment::Right ||
                              alignment == Alignment::HorizontalCentre
                          ? Axis::Horizontal
                          : Axis::Vertical;
    std::vector<Shift> shifts(rects.size());
    if (rects.empty()) {
        return shifts;
    }
    Span box = spanOf(rects.front(), axis);
    for (const EdgeRect& rect : rects) {
        const Span span = spanOf(rect, axis);
        box = {std::min(box.low, span.low), std::max(box.high, span.high)};
    }
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const Span span = spanOf(rects[i], axis);
        double low = span.low;
        switch (alignment) {
            case Alignment::Left:
            case Alignment::Top:
                low = box.low;
                break;
            case Alignment::Right:
            case Alignment::Bottom:
                low = box.high - span.size();
                break;
            case Alignment::HorizontalCentre:
            case Alignment::VerticalCentre:
                low = std::floor((box.low + box.high - span.size()) / 2.0);
                break;
        }
        shifts[i] = along(axis, low - span.low);
    }
    return shifts;
}

std::vector<Shift> DistributionShifts(const std::vector<EdgeRect>& rects, Axis axis) {
    std::vector<Shift> shifts(rects.size());
    if (rects.size() < 3) {
        return shifts;
    }
    std::vector<std::size_t> order(rects.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&rects, axis](std::size_t a, std::size_t b) {
        return spanOf(rects[a], axis).low < spanOf(rects[b], axis).low;
    });
    const Span first = spanOf(rects[order.front()], axis);
    double end = first.high;
    double sizes = 0.0;
    for (const std::size_t index : order) {
        const Span span = spanOf(rects[index], axis);
        end = std::max(end, span.high);
        sizes += span.size();
    }
    const double gaps = static_cast<double>(order.size() - 1);
    const double room = end - first.low - sizes;
    const double gap = std::floor(room / gaps);
    const double wider = room - gap * gaps;  // this many gaps get a pixel more
    double low = first.low;
    for (std::size_t place = 0; place < order.size(); ++place) {
        const Span span = spanOf(rects[order[place]], axis);
        shifts[order[place]] = along(axis, low - span.low);
        low += span.size() + gap + (static_cast<double>(place) < wider ? 1.0 : 0.0);
    }
    return shifts;
}
