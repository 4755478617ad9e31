#pragma once

#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>

#include "document/CanvasGeometry.h"
#include "document/SliceCandidates.h"

// Slicing a sheet by a grid ("Im Raster zerlegen"). The grid is laid on the decoded picture's
// own width and height (the texture table holds only powers of two). Along each axis, by cell
// size, the whole cells that fit are
//     count = (size - offset + spacing) / (cell + spacing)
// (a 432-pixel sheet with offset 2, spacing 4 and cells of 32 has 12 columns); by count,
//     cell = floor((size - offset - (count - 1) * spacing) / count).
// Cell c starts at offset + c * (cell + spacing).

// The panel's fields.
struct GridSettings {
    bool byCount = false;    // "Nach Anzahl": columns and rows given instead of the cell size
    int cellWidth = 32;      // "Zellenbreite:"
    int cellHeight = 32;     // "Zellenhöhe:"
    int columns = 1;         // "Spalten:"
    int rows = 1;            // "Zeilen:"
    int offsetX = 0;         // "Versatz X:", where the first cell starts
    int offsetY = 0;         // "Versatz Y:"
    int spacingX = 0;        // "Abstand X:", the gap between two cells
    int spacingY = 0;        // "Abstand Y:"
    bool skipEmpty = true;   // "Leere Zellen auslassen": no cell without a pixel that shows
    bool trimCells = false;  // "Zellen zuschneiden": each cell trimmed as TrimmedRect does
};

// The grid on a texture of width x height pixels.
struct GridLayout {
    int columns = 0;
    int rows = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    // Why the settings give no whole cell (German, for the panel); empty when they do.
    std::string message;

    // The cell at column, row.
    PixelRect cell(const GridSettings& settings, int column, int row) const;
};

// Counts and sizes, or why there is no cell: cells of zero or fewer pixels, no column or row,
// a negative offset or spacing, an offset beyond the texture, cells bigger than the texture,
// a spacing or a count that leaves no whole cell.
GridLayout LayOutGrid(const GridSettings& settings, int width, int height);

// The grid's cells on the texture, row by row from the top, each row from the left; empty cells
// left out and cells trimmed as settings say, what shows decided by blendType as TrimmedRect
// decides it. Refused besides LayOutGrid's reasons when every cell is empty or the grid has
// more than kMaxSliceCandidates cells. stop is looked at once a row of cells: a stale run ends
// early with no result.
std::optional<SliceCandidates> GridCandidates(const TexturePixels& texture, std::int32_t blendType,
                                              const GridSettings& settings,
                                              std::stop_token stop = {});
