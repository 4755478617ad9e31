#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/LibraryChange.h"
#include "document/SliceCandidates.h"
#include "library/uiresourcecontrol.h"

// What applying a slicing does to a button ("Übernehmen" in the panels, `tolvane-cli slice`):
// the candidates become areas of the button, appended in their order with offset 0 and
// stretch 1, as one step ("Textur zerlegen").

// "Vorhandene Bereiche:"
enum class ExistingAreas {
    KeepAndAdd,  // "Behalten und ergänzen": candidates overlapping one of them are left out
    Replace,     // "Ersetzen": the button's areas on the texture go
};

// A new area cutting rect out of texture textureId, placed at offset 0 with stretch 1.
ResourceArea SlicedArea(const PixelRect& rect, std::int32_t textureId);

struct SlicePlan {
    // The areas that are appended, in order; after the change they are the rows firstNewRow,
    // firstNewRow + 1, ... of the button (the rows the editor selects).
    std::vector<ResourceArea> added;
    std::size_t firstNewRow = 0;
    // KeepAndAdd: the positions in candidates of those left out, since they share pixels with
    // an area the button already cuts from the texture (the preview may show them apart).
    std::vector<std::size_t> leftOut;
    // Replace: how many of the button's areas on the texture go.
    std::size_t removed = 0;
    // The step for the history; null when nothing would be added, so that no empty step is
    // ever made (the panel then disables "Übernehmen").
    std::unique_ptr<LibraryChange> change;

    // What the panel says under the count, in the present tense (German); empty when there is
    // nothing to say: "2 überlappen vorhandene Bereiche und werden ausgelassen", "5 vorhandene
    // Bereiche dieser Textur werden ersetzt", or why nothing would be added.
    std::string note;
};

// The plan for slicing texture textureId into the resource at resourceIndex of library
// (which must exist). Existing areas on other textures stay as they are, where they are.
SlicePlan PlanSlice(const ResourceLibrary& library, std::size_t resourceIndex,
                    std::int32_t textureId, const std::vector<PixelRect>& candidates,
                    ExistingAreas existing);
