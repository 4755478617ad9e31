#pragma once

#include <vector>

#include "document/SliceCandidates.h"

// Rectangles in reading order, so that the new areas' rows and the header's order are what a
// person expects: sorted by top edge, a rectangle joins the current row while its vertical
// centre lies within half the row's smallest height of the centre of the row's first
// rectangle, else it starts the next row; each row from left to right (by left edge).
std::vector<PixelRect> InReadingOrder(std::vector<PixelRect> rects);
