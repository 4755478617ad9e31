#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/NineSlice.h"
#include "document/NineSliceRecognition.h"
#include "library/uiresourcecontrol.h"

// What a person types for a nine-part button, checked before anything changes: the editor's
// panel shows the problems and keeps "OK" disabled while there are any, and tolvane-cli
// refuses the call with the same texts.

// The values the panel asks for, as typed.
enum class NineSliceField { Left, Top, Right, Bottom, Width, Height, Centre, Area };

struct NineSliceEntries {
    std::string left;  // "Rand links:", whole pixels
    std::string top;
    std::string right;
    std::string bottom;
    std::string width;  // "Breite:" of the finished button
    std::string height;
    bool centre = true;  // "Mitte zeichnen"
};

struct NineSliceProblem {
    std::vector<NineSliceField> fields;  // the values at fault (Area: the selected area itself)
    std::string message;                 // German, UTF-8: which value and why
};

struct NineSliceCheck {
    // The button OK makes; set exactly when there are no problems.
    std::optional<NineSliceButton> button;
    // The area's problems, then each value's own in the order of the fields, then those
    // between values.
    std::vector<NineSliceProblem> problems;
    // Said beside the fields without holding OK back (an area with fractional edges is cut at
    // its rounded edges); empty when there is nothing to say.
    std::string note;

    bool ok() const { return button.has_value(); }
};

// The largest width and height of a finished button.
inline constexpr int kMaxNineSliceSide = 16384;

// What the panel shows first for area: each margin a quarter of the shorter side (rounded
// down), the area's own size, the centre drawn. Sides are those of the rounded edges.
NineSliceEntries DefaultNineSliceEntries(const ResourceArea& area);

// Checks entries for cutting area into a nine-part button placed at the area's own offset.
// The area is cut at its edges rounded to whole pixels (a note says so where they were not),
// its corners in either order. Problems: a text that is empty, no whole number, negative or
// too large; margins that leave no middle (left + right >= the rounded width, top + bottom
// >= the height); a size of 0, above kMaxNineSliceSide or smaller than the margins (width <
// left + right, height < top + bottom); no margins and no centre, which leaves no piece; an
// area without a pixel of width or height, or with coordinates that are no numbers.
NineSliceCheck CheckNineSlice(const ResourceArea& area, const NineSliceEntries& entries);

// Checks a new size for a recognised set: width and height as typed (the other entries are
// not asked for and never at fault).
NineSliceCheck CheckNineSliceResize(const NineSliceSet& set, const std::string& width,
                                    const std::string& height);
