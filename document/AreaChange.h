#pragma once

#include <cstddef>
#include <optional>

#include "document/LibraryChange.h"
#include "library/uiresourcecontrol.h"

// Area index of resource resourceIndex goes from before to after: an area put in (no before),
// taken out (no after) or replaced by another value. Every change of an area, typed or drawn,
// is one of these.
class AreaChange : public LibraryChange {
public:
    static std::unique_ptr<AreaChange> inserted(std::size_t resourceIndex, std::size_t index,
                                                const ResourceArea& area);
    static std::unique_ptr<AreaChange> removed(std::size_t resourceIndex, std::size_t index,
                                               const ResourceArea& area);
    static std::unique_ptr<AreaChange> replaced(std::size_t resourceIndex, std::size_t index,
                                                const ResourceArea& before,
                                                const ResourceArea& after);

    void apply(ResourceLibrary& library) override;
    void revert(ResourceLibrary& library) override;

    std::size_t resourceIndex() const { return resource; }

    // Takes a later replacement of the same area into this one; false when it is another
    // area or another kind of change.
    bool absorb(const AreaChange& later);
    // Whether the area ends as it began.
    bool changesNothing() const { return before == after; }

private:
    AreaChange(std::size_t resourceIndex, std::size_t index, std::optional<ResourceArea> before,
               std::optional<ResourceArea> after);
    // Makes area index hold to where it holds from.
    void change(ResourceLibrary& library, const std::optional<ResourceArea>& from,
                const std::optional<ResourceArea>& to) const;

    std::size_t resource;
    std::size_t index;
    std::optional<ResourceArea> before;
    std::optional<ResourceArea> after;
};
