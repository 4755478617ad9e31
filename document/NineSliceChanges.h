#pragma once

#include <cstddef>
#include <memory>

#include "document/LibraryChange.h"
#include "document/NineSlice.h"
#include "document/NineSliceRecognition.h"
#include "library/uiresourcecontrol.h"

// The two steps of nine-part buttons, each one step of the history. The editor names them
// "Neunteiliger Knopf" and "Knopfgröße ändern"; tolvane-cli applies them and saves.

// The area at row of resource resourceIndex (which holds selected there) replaced, at its
// place in the list, by the pieces of button in NineSlicePieces order: they take rows row to
// row + pieces - 1, the areas after them move down.
std::unique_ptr<LibraryChange> MakeNineSliceButton(std::size_t resourceIndex, std::size_t row,
                                                   const ResourceArea& selected,
                                                   const NineSliceButton& button);

// The set's areas among areas (resource resourceIndex's list) given the offsets and stretch
// factors of its button at width x height, each at its own row; nothing else changes.
std::unique_ptr<LibraryChange> ResizeNineSliceButton(std::size_t resourceIndex,
                                                     const std::vector<ResourceArea>& areas,
                                                     const NineSliceSet& set, int width,
                                                     int height);
