#pragma once

#include <vector>

#include "document/CanvasGeometry.h"

// Lining up several rectangles and spacing them evenly, as "Links ausrichten" ... "Vertikal
// verteilen" do, on the areas' rectangles on the texture or on their pieces on the button.
// Each function gives how far each rectangle moves (in the order given), whole pixels when
// the rectangles have whole edges.

enum class Alignment { Left, Right, Top, Bottom, HorizontalCentre, VerticalCentre };
enum class Axis { Horizontal, Vertical };

struct Shift {
    double dx = 0.0;
    double dy = 0.0;
    bool operator==(const Shift&) const = default;
};

// Each rectangle's edge (or centre) onto the same one of their bounding box; a centre that
// falls between two pixels goes to the left (top) one.
std::vector<Shift> AlignmentShifts(const std::vector<EdgeRect>& rects, Alignment alignment);

// The rectangles in the order of their left (top) edges, the first and the last staying, with
// equal gaps between each and the next; where the gaps cannot be equal in whole pixels they
// differ by one, the larger ones first. Fewer than three rectangles stay where they are.
std::vector<Shift> DistributionShifts(const std::vector<EdgeRect>& rects, Axis axis);
