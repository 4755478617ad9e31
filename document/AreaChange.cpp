#include "document/AreaChange.h"

#include <cassert>

std::unique_ptr<AreaChange> AreaChange::inserted(std::size_t resourceIndex, std::size_t index,
                                                 const ResourceArea& area) {
    return std::unique_ptr<AreaChange>(new AreaChange(resourceIndex, index, std::nullopt, area));
}

std::unique_ptr<AreaChange> AreaChange::removed(std::size_t resourceIndex, std::size_t index,
                                                const ResourceArea& area) {
    return std::unique_ptr<AreaChange>(new AreaChange(resourceIndex, index, area, std::nullopt));
}

std::unique_ptr<AreaChange> AreaChange::replaced(std::size_t resourceIndex, std::size_t index,
                                                 const ResourceArea& before,
                                                 const ResourceArea& after) {
    return std::unique_ptr<AreaChange>(new AreaChange(resourceIndex, index, before, after));
}

AreaChange::AreaChange(std::size_t resourceIndex, std::size_t index,
                       std::optional<ResourceArea> before, std::optional<ResourceArea> after)
    : resource(resourceIndex), index(index), before(std::move(before)), after(std::move(after)) {}

void AreaChange::apply(ResourceLibrary& library) {
    change(library, before, after);
}

void AreaChange::revert(ResourceLibrary& library) {
    change(library, after, before);
}

void AreaChange::change(ResourceLibrary& library, const std::optional<ResourceArea>& from,
                        const std::optional<ResourceArea>& to) const {
    std::vector<ResourceArea>& areas = library.resources.at(resource)->areas;
    const auto position = areas.begin() + static_cast<std::ptrdiff_t>(index);
    if (from && to) {
        areas.at(index) = *to;
    } else if (to) {
        assert(index <= areas.size());
        areas.insert(position, *to);
    } else {
        assert(index < areas.size());
        areas.erase(position);
    }
}

bool AreaChange::absorb(const AreaChange& later) {
    if (later.resource != resource || later.index != index || !before || !after || !later.before ||
        !later.after) {
        return false;
    }
    after = later.after;
    return true;
}
