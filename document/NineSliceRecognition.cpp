#include "document/NineSliceRecognition.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace {

// How far placed edges that should meet may lie apart: far below a pixel, far above the
// rounding of 32-bit stretch factors.
constexpr double kTolerance = 1.0 / 64;
bool near(double a, double b) {
    return std::abs(a - b) <= kTolerance;
}

bool isWholePixel(float value) {
    return std::abs(value) <= kLargestWholeCoordinate && value == std::floor(value);
}

// Whether an area can be a piece: cut at whole pixels, not empty, placed and stretched by
// finite numbers without mirroring.
bool isPieceLike(const ResourceArea& area) {
    return isWholePixel(area.x1) && isWholePixel(area.y1) && isWholePixel(area.x2) &&
           isWholePixel(area.y2) && area.x1 < area.x2 && area.y1 < area.y2 &&
           std::isfinite(area.offsetX) && std::isfinite(area.offsetY) &&
           std::isfinite(area.stretchX) && std::isfinite(area.stretchY) && area.stretchX >= 0.f &&
           area.stretchY >= 0.f;
}

// One axis of a piece, or of a whole column (row) of a set: where it is cut and placed.
struct Span {
    int cut1 = 0;
    int cut2 = 0;
    double placed1 = 0.0;
    double placed2 = 0.0;

    int cutLength() const { return cut2 - cut1; }
    bool unstretched() const { return near(placed2 - placed1, cutLength()); }
};

Span columnOf(const ResourceArea& area) {
    return {static_cast<int>(area.x1), static_cast<int>(area.x2), area.offsetX,
            area.offsetX + static_cast<double>(area.width()) * area.stretchX};
}

Span rowOf(const ResourceArea& area) {
    return {static_cast<int>(area.y1), static_cast<int>(area.y2), area.offsetY,
            area.offsetY + static_cast<double>(area.height()) * area.stretchY};
}

bool sameSpan(const Span& a, const Span& b) {
    return a.cut1 == b.cut1 && a.cut2 == b.cut2 && near(a.placed1, b.placed1) &&
           near(a.placed2, b.placed2);
}

// b directly after a, on the texture and on the button.
bool follows(const Span& a, const Span& b) {
    return b.cut1 == a.cut2 && near(b.placed1, a.placed2);
}

// b after a with room for a middle between them that no piece of this band shows.
bool followsAcross(const Span& a, const Span& b) {
    return b.cut1 > a.cut2 && b.placed1 >= a.placed2 - kTolerance;
}

// The columns (or rows) a set may have along one axis: one to three spans, and which of them
// is the middle.
struct Axis {
    std::vector<Span> spans;
    std::size_t middle = 0;
    bool middleSpanned = false;  // the middle spans a gap of this band, no piece of its own
};

// Which span of a candidate axis is its middle, if the margins are unstretched and the
// middle is not mirrored.
std::optional<std::size_t> middleOf(const std::vector<Span>& spans) {
    const auto valid = [&](std::size_t middle) {
        for (std::size_t i = 0; i < spans.size(); ++i) {
            if (i == middle ? spans[i].placed2 < spans[i].placed1 - kTolerance
                            : !spans[i].unstretched()) {
                return false;
            }
        }
        return true;
    };
    if (spans.size() != 2) {
        const std::size_t middle = spans.size() / 2;
        return valid(middle) ? std::optional(middle) : std::nullopt;
    }
    if (spans[0].unstretched() && spans[1].unstretched()) {
        return spans[0].cutLength() > spans[1].cutLength() ? 0 : 1;
    }
    for (const std::size_t middle : {0u, 1u}) {
        if (valid(middle)) {
            return middle;
        }
    }
    return std::nullopt;
}

// Every axis holding own that the spans of its band (the areas cut and placed in line with
// it) allow, a middle with no piece in this band spanning the gap between two others.
std::vector<Axis> axesThrough(const Span& own, const std::vector<Span>& band) {
    const auto matching = [&](const Span& of, bool (*relation)(const Span&, const Span&),
                              bool after) {
        std::vector<Span> result;
        for (const Span& span : band) {
            if (after ? relation(of, span) : relation(span, of)) {
                result.push_back(span);
            }
        }
        return result;
    };
    const auto gap = [](const Span& a, const Span& b) {
        return Span{a.cut2, b.cut1, a.placed2, b.placed1};
    };
    struct Candidate {
        std::vector<Span> spans;
        bool middleSpanned = false;
    };
    std::vector<Candidate> candidates = {{{own}}};
    const std::vector<Span> before = matching(own, follows, false);
    const std::vector<Span> after = matching(own, follows, true);
    for (const Span& b : before) {
        candidates.push_back({{b, own}});
        for (const Span& c : after) {
            candidates.push_back({{b, own, c}});
        }
        for (const Span& a : matching(b, follows, false)) {
            candidates.push_back({{a, b, own}});
        }
    }
    for (const Span& c : after) {
        candidates.push_back({{own, c}});
        for (const Span& d : matching(c, follows, true)) {
            candidates.push_back({{own, c, d}});
        }
    }
    for (const Span& c : matching(own, followsAcross, true)) {
        candidates.push_back({{own, gap(own, c), c}, true});
    }
    for (const Span& b : matching(own, followsAcross, false)) {
        candidates.push_back({{b, gap(b, own), own}, true});
    }
    std::vector<Axis> axes;
    for (Candidate& candidate : candidates) {
        if (const std::optional<std::size_t> middle = middleOf(candidate.spans)) {
            axes.push_back({std::move(candidate.spans), *middle, candidate.middleSpanned});
        }
    }
    return axes;
}

// A margin of the axis (the first, else the last), which every piece across it lines up with.
std::optional<Span> marginOf(const Axis& axis) {
    if (axis.middle > 0) {
        return axis.spans.front();
    }
    if (axis.middle + 1 < axis.spans.size()) {
        return axis.spans.back();
    }
    return std::nullopt;
}

// The spans of one axis, each once.
std::vector<Span> distinctSpans(const std::vector<Span>& spans) {
    std::vector<Span> result;
    for (const Span& span : spans) {
        if (std::none_of(result.begin(), result.end(),
                         [&](const Span& kept) { return sameSpan(kept, span); })) {
            result.push_back(span);
        }
    }
    return result;
}

// The button an axis pair makes: its cut, margins and placement along both axes.
NineSliceButton buttonOf(std::int32_t textureId, const Axis& columns, const Axis& rows,
                         bool centre) {
    const auto along = [](const Axis& axis, int& cut1, int& cut2, int& low, int& high,
                          float& origin, int& size) {
        const Span& first = axis.spans.front();
        const Span& last = axis.spans.back();
        cut1 = first.cut1;
        cut2 = last.cut2;
        low = axis.middle > 0 ? first.cutLength() : 0;
        high = axis.middle + 1 < axis.spans.size() ? last.cutLength() : 0;
        origin = static_cast<float>(first.placed1);
        size = static_cast<int>(std::lround(last.placed2 - first.placed1));
    };
    NineSliceButton button;
    button.textureId = textureId;
    button.centre = centre;
    along(columns, button.x1, button.x2, button.margins.left, button.margins.right, button.originX,
          button.width);
    along(rows, button.y1, button.y2, button.margins.top, button.margins.bottom, button.originY,
          button.height);
    return button;
}

// Looks for sets among the areas of one resource, with the areas indexed once.
class SetFinder {
public:
    explicit SetFinder(const std::vector<ResourceArea>& areas) : areas(areas) {
        for (std::size_t row = 0; row < areas.size(); ++row) {
            const ResourceArea& area = areas[row];
            if (!isPieceLike(area)) {
                continue;
            }
            const Span column = columnOf(area);
            const Span line = rowOf(area);
            byCut[{area.textureId, column.cut1, line.cut1, column.cut2, line.cut2}].push_back(row);
            byColumnCut[{area.textureId, column.cut1, column.cut2}].push_back(row);
            byRowCut[{area.textureId, line.cut1, line.cut2}].push_back(row);
        }
    }

    std::optional<NineSliceSet> find(std::size_t selected) const {
        if (selected >= areas.size() || !isPieceLike(areas[selected])) {
            return std::nullopt;
        }
        const ResourceArea& own = areas[selected];
        const std::int32_t texture = own.textureId;
        const Span ownColumn = columnOf(own);
        const Span ownRow = rowOf(own);
        // Only the centre may be missing, so a margin row holds every column and a margin
        // column every row. Own's row holds every column unless own is beside a missing
        // centre; own's column then holds every row, and a margin row of those every column.
        // Both ways are tried; a middle with no piece in a band is spanned.
        std::optional<NineSliceSet> best;
        const auto consider = [&](const Axis& columns, const Axis& rows) {
            std::optional<NineSliceSet> set = setOn(texture, columns, rows, selected);
            if (set && (!best || set->rows.size() > best->rows.size())) {
                best = std::move(set);
            }
        };
        for (const Axis& columns : axesThrough(ownColumn, rowBand(texture, ownRow))) {
            const Span across = marginOf(columns).value_or(ownColumn);
            for (const Axis& rows : axesThrough(ownRow, columnBand(texture, across))) {
                consider(columns, rows);
            }
        }
        for (const Axis& rows : axesThrough(ownRow, columnBand(texture, ownColumn))) {
            const Span across = marginOf(rows).value_or(ownRow);
            for (const Axis& columns : axesThrough(ownColumn, rowBand(texture, across))) {
                consider(columns, rows);
            }
        }
        return best;
    }

private:
    using BandIndex = std::map<std::tuple<std::int32_t, int, int>, std::vector<std::size_t>>;

    // The spans across (along the other axis) of the areas on texture whose span along
    // is line, each once: the columns of a row, or the rows of a column.
    std::vector<Span> band(const BandIndex& index, std::int32_t texture, const Span& line,
                           Span (*along)(const ResourceArea&),
                           Span (*across)(const ResourceArea&)) const {
        std::vector<Span> spans;
        if (const auto found = index.find({texture, line.cut1, line.cut2}); found != index.end()) {
            for (const std::size_t row : found->second) {
                if (sameSpan(along(areas[row]), line)) {
                    spans.push_back(across(areas[row]));
                }
            }
        }
        return distinctSpans(spans);
    }

    std::vector<Span> rowBand(std::int32_t texture, const Span& row) const {
        return band(byRowCut, texture, row, rowOf, columnOf);
    }

    std::vector<Span> columnBand(std::int32_t texture, const Span& column) const {
        return band(byColumnCut, texture, column, columnOf, rowOf);
    }

    // The set filling every cell of the grid the axes make (the centre possibly empty).
    std::optional<NineSliceSet> setOn(std::int32_t textureId, const Axis& columns, const Axis& rows,
                                      std::size_t selected) const {
        // A spanned middle needs a piece of another row (column) to show it is one: two
        // areas in line with a gap between them are no button by themselves.
        if ((columns.middleSpanned && rows.spans.size() == 1) ||
            (rows.middleSpanned && columns.spans.size() == 1)) {
            return std::nullopt;
        }
        std::vector<std::size_t> members;
        bool centre = false;
        for (std::size_t r = 0; r < rows.spans.size(); ++r) {
            for (std::size_t c = 0; c < columns.spans.size(); ++c) {
                const std::optional<std::size_t> member =
                    areaIn(textureId, columns.spans[c], rows.spans[r], selected);
                const bool isCentre = r == rows.middle && c == columns.middle;
                if (!member && !isCentre) {
                    return std::nullopt;
                }
                if (member) {
                    members.push_back(*member);
                    centre = centre || isCentre;
                }
            }
        }
        if (members.size() < 2) {
            return std::nullopt;
        }
        return NineSliceSet{buttonOf(textureId, columns, rows, centre), std::move(members)};
    }

    // The area cut and placed as the cell of column and row; selected where it is one.
    std::optional<std::size_t> areaIn(std::int32_t textureId, const Span& column, const Span& row,
                                      std::size_t selected) const {
        const auto found = byCut.find({textureId, column.cut1, row.cut1, column.cut2, row.cut2});
        if (found == byCut.end()) {
            return std::nullopt;
        }
        std::optional<std::size_t> first;
        for (const std::size_t index : found->second) {
            if (sameSpan(columnOf(areas[index]), column) && sameSpan(rowOf(areas[index]), row)) {
                if (index == selected) {
                    return index;
                }
                first = first ? first : index;
            }
        }
        return first;
    }

    const std::vector<ResourceArea>& areas;
    std::map<std::tuple<std::int32_t, int, int, int, int>, std::vector<std::size_t>> byCut;
    BandIndex byColumnCut;
    BandIndex byRowCut;
};

}  // namespace

std::optional<NineSliceSet> FindNineSliceSet(const std::vector<ResourceArea>& areas,
                                             std::size_t selected) {
    return SetFinder(areas).find(selected);
}

std::vector<NineSliceSet> FindNineSliceSets(const std::vector<ResourceArea>& areas) {
    const SetFinder finder(areas);
    std::vector<NineSliceSet> sets;
    std::vector<bool> taken(areas.size(), false);
    for (std::size_t row = 0; row < areas.size(); ++row) {
        if (taken[row]) {
            continue;
        }
        if (std::optional<NineSliceSet> set = finder.find(row)) {
            for (const std::size_t member : set->rows) {
                taken[member] = true;
            }
            sets.push_back(std::move(*set));
        }
    }
    return sets;
}
