#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "document/LibraryChange.h"
#include "library/uiresourcecontrol.h"

// Areas on the clipboard, between buttons and libraries: as the text form of a library that
// holds the textures they use and one resource holding them, so that another editor, a text
// editor and `tolvane-cli build` can read them too.

// The text form of the areas of resource at rows (in that order), with the rows of library's
// texture table they name and library's header fields.
std::string AreasAsText(const ResourceLibrary& library, const UiResource& resource,
                        const std::vector<std::size_t>& rows);

// What pasting the areas of copied (those of all its resources, in order; a text form is read
// with libraryFromJson) into resource resourceIndex of target does: the areas are
// appended in their order; each keeps its texture id when target has a texture with that id
// and the same path, otherwise the copied texture row is added to target (under a new id
// when the id is taken), all as one step.
struct AreaPaste {
    std::unique_ptr<LibraryChange> step;  // null when there is nothing to paste
    std::vector<int> rows;                // where the pasted areas end up
    std::vector<TextureEntry> addedTextures;
};
AreaPaste PlanAreaPaste(const ResourceLibrary& target, std::size_t resourceIndex,
                        const ResourceLibrary& copied);
