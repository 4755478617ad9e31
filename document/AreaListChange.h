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

private:
    std::size_t resource;
    std::vector<ResourceArea> before;
    std::vector<ResourceArea> after;
};
