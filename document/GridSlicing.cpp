#include "document/GridSlicing.h"

namespace {

// The words of one axis in the messages.
struct AxisNames {
    const char* cellSide;  // "Zellenbreite"
    const char* one;       // "eine Spalte"
    const char* many;      // "Spalten"
    const char* letter;    // "X"
    const char* extent;    // "breit"
    const char* bigger;    // "breiter"
};

constexpr AxisNames kColumns{"Zellenbreite", "eine Spalte", "Spalten", "X", "breit", "breiter"};
constexpr AxisNames kRows{"Zellenhöhe", "eine Zeile", "Zeilen", "Y", "hoch", "höher"};

struct Axis {
    int count = 0;
    int cell = 0;
    std::string message;
};

std::string pixels(long long count) {
    return GermanNumber(static_cast<std::size_t>(count)) + " Pixel";
}

// After "von": "von 1 Pixel", "von 30 Pixeln".
std::string ofPixels(long long count) {
    return pixels(count) + (count == 1 ? "" : "n");
}

// One axis of the grid: cells along size pixels.
Axis layOutAxis(bool byCount, int cell, int count, int offset, int spacing, int size,
                const AxisNames& names) {
    const std::string letter = names.letter;
    if (!byCount && cell < 1) {
        return {0, 0, std::string("Die ") + names.cellSide + " muss mindestens 1 Pixel betragen."};
    }
    if (byCount && count < 1) {
        return {0, 0, std::string("Es muss mindestens ") + names.one + " geben."};
    }
    if (offset < 0) {
        return {0, 0, "Der Versatz " + letter + " darf nicht negativ sein."};
    }
    if (spacing < 0) {
        return {0, 0, "Der Abstand " + letter + " darf nicht negativ sein."};
    }
    if (offset >= size) {
        return {0, 0,
                "Der Versatz " + letter + " liegt außerhalb der Textur (" + pixels(size) + " " +
                    names.extent + ")."};
    }
    const long long room = static_cast<long long>(size) - offset;
    const std::string roomText =
        offset == 0 ? " (" + pixels(size) + ")."
                    : ": ab dem Versatz von " + ofPixels(offset) + " bleiben " + pixels(room) + ".";
    if (!byCount) {
        if (cell > room) {
            return {0, 0,
                    std::string("Die Zellen sind ") + names.bigger + " als die Textur" + roomText};
        }
        return {static_cast<int>((room + spacing) / (static_cast<long long>(cell) + spacing)),
                cell,
                {}};
    }
    if (count > room) {
        return {0, 0,
                GermanNumber(static_cast<std::size_t>(count)) + " " + names.many +
                    " passen nicht in die Textur" + roomText};
    }
    const long long cellRoom = room - static_cast<long long>(count - 1) * spacing;
    if (cellRoom < count) {
        return {0, 0,
                "Der Abstand " + letter + " von " + ofPixels(spacing) + " lässt für " +
                    GermanNumber(static_cast<std::size_t>(count)) + " " + names.many +
                    " keine ganze Zelle."};
    }
    return {count, static_cast<int>(cellRoom / count), {}};
}

}  // namespace

PixelRect GridLayout::cell(const GridSettings& settings, int column, int row) const {
    // In 64 bits: a spacing beyond the texture is allowed when there is one cell only.
    const auto x = static_cast<int>(
        settings.offsetX + column * (static_cast<long long>(cellWidth) + settings.spacingX));
    const auto y = static_cast<int>(settings.offsetY +
                                    row * (static_cast<long long>(cellHeight) + settings.spacingY));
    return {x, y, x + cellWidth, y + cellHeight};
}

GridLayout LayOutGrid(const GridSettings& settings, int width, int height) {
    const Axis x = layOutAxis(settings.byCount, settings.cellWidth, settings.columns,
                              settings.offsetX, settings.spacingX, width, kColumns);
    const Axis y = layOutAxis(settings.byCount, settings.cellHeight, settings.rows,
                              settings.offsetY, settings.spacingY, height, kRows);
    GridLayout layout;
    layout.message = !x.message.empty() ? x.message : y.message;
    if (layout.message.empty()) {
        layout.columns = x.count;
        layout.rows = y.count;
        layout.cellWidth = x.cell;
        layout.cellHeight = y.cell;
    }
    return layout;
}

std::optional<SliceCandidates> GridCandidates(const TexturePixels& texture, std::int32_t blendType,
                                              const GridSettings& settings, std::stop_token stop) {
    const GridLayout layout = LayOutGrid(settings, texture.width, texture.height);
    if (!layout.message.empty()) {
        return RefusedSlice(layout.message);
    }
    const std::size_t cells = std::size_t(layout.columns) * std::size_t(layout.rows);
    if (cells > kMaxSliceCandidates) {
        return TooManyCandidates(cells, settings.byCount ? "weniger Spalten und Zeilen wählen."
                                                         : "größere Zellen wählen.");
    }
    SliceCandidates result;
    for (int row = 0; row < layout.rows; ++row) {
        if (stop.stop_requested()) {
            return std::nullopt;
        }
        for (int column = 0; column < layout.columns; ++column) {
            PixelRect cell = layout.cell(settings, column, row);
            if (settings.skipEmpty || settings.trimCells) {
                const TrimResult trimmed = TrimmedRect(cell.edges(), texture, blendType);
                if (trimmed.outcome == TrimOutcome::NothingShows && settings.skipEmpty) {
                    continue;
                }
                if (trimmed.outcome == TrimOutcome::Trimmed && settings.trimCells) {
                    cell = {static_cast<int>(trimmed.rect.x1), static_cast<int>(trimmed.rect.y1),
                            static_cast<int>(trimmed.rect.x2), static_cast<int>(trimmed.rect.y2)};
                }
            }
            result.rects.push_back(cell);
        }
    }
    if (result.rects.empty()) {
        return RefusedSlice("Keine Zelle enthält ein sichtbares Pixel.");
    }
    return result;
}
