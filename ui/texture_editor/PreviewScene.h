#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "library/uiresourcecontrol.h"

// What the preview shows, taken from the library at one moment: copies of the resource's
// areas and of the texture table, so the preview never holds on to a record of the library.

struct PreviewTexture {
    std::int32_t id = 0;
    std::string path;                     // the texture's own path, as the library holds it
    std::vector<std::string> candidates;  // where its file is looked for, in order
    int declaredWidth = 0;                // pixels; 0 when the size index is out of range
    int declaredHeight = 0;
    std::int32_t declaredFormat = 2;  // 0 BMP, 1 TGA, 2 PNG, as the texture table says
    std::int32_t blendType = 1;       // 0 solid, 1 transparent, 2 transparent additive
    bool operator==(const PreviewTexture&) const = default;
};

struct PreviewScene {
    bool hasResource = false;
    std::int32_t id = 0;
    std::string identifier;
    std::vector<ResourceArea> areas;       // in list order, a working area in its place
    std::vector<int> selectedRows;         // the highlighted rows, in order
    std::vector<PreviewTexture> textures;  // those the areas name, in table order
    // The texture the panel shows: the one asked for, else the shown row's, else the first
    // of the library; none when the panel follows the shown row on its own.
    std::optional<std::int32_t> shownTexture;
    // Every texture of the library as (id, path), in table order, to choose from.
    std::vector<std::pair<std::int32_t, std::string>> textureChoices;

    // The first selected row, -1 for none.
    int firstSelected() const;
    bool isSelected(int row) const;
    // The row whose texture is shown: the first selected one, or row 0 when none is selected;
    // -1 when there are no areas.
    int shownRow() const;
    // The texture an area names (the last one with that id, as the area list shows it), or
    // null.
    const PreviewTexture* textureOf(std::int32_t textureId) const;

    bool operator==(const PreviewScene&) const = default;
};

// A working area, while the coordinates dialog edits it: row is the area it replaces, or -1
// for a new area, which comes after the others.
struct WorkingArea {
    const ResourceArea* area = nullptr;
    int row = -1;
};

// The scene of resource (null for none) with rows selected; libraryFile is where the library
// was read from (empty for none), so that texture files are also found beside it.
// wantedTexture is shown when the library has it.
PreviewScene BuildPreviewScene(const ResourceLibrary& library, const std::string& libraryFile,
                               const UiResource* resource, std::vector<int> selectedRows,
                               WorkingArea working = {},
                               std::optional<std::int32_t> wantedTexture = std::nullopt);
