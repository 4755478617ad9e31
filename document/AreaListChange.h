#pragma once

#include <cstddef>
#include <vector>

#include "document/LibraryChange.h"
#include "library/uiresourcecontrol.h"

// The whole area list of resource resourceIndex goes from before to after: one step for a
// change that removes, keeps and adds many areas at once, such as slicing a texture.
class AreaListChange : public LibraryChange {
public:
    AreaListChange(std::size_t resourceIndex, std::vector<ResourceArea> before,
                   std::vector<ResourceArea> after);

    void apply(ResourceLibrary& library) override;
    void revert(ResourceLibrary& library) override;

    std::size_t resourceIndex() const { return resource; }

    // Takes a later change of the same list that begins where this one ends (a run of
    // nudges of several areas); false otherwise.
    bool absorb(const AreaListChange& later);
    // Whether the list ends as it began.
    bool changesNothing() const { return before == after; }

private:
    std::size_t resource;
    std::vector<ResourceArea> before;
    std::vector<ResourceArea> after;
};

// areas without the rows given (in ascending order).
std::vector<ResourceArea> AreasWithout(const std::vector<ResourceArea>& areas,
                                       const std::vector<int>& rows);
