#include "document/AreaListChange.h"

#include <utility>

AreaListChange::AreaListChange(std::size_t resourceIndex, std::vector<ResourceArea> before,
                               std::vector<ResourceArea> after)
    : resource(resourceIndex), before(std::move(before)), after(std::move(after)) {}

void AreaListChange::apply(ResourceLibrary& library) {
    library.resources.at(resource)->areas = after;
}

bool AreaListChange::absorb(const AreaListChange& later) {
    if (later.resource != resource || later.before != after) {
        return false;
    }
    after = later.after;
    return true;
}

void AreaListChange::revert(ResourceLibrary& library) {
    library.resources.at(resource)->areas = before;
}

std::vector<ResourceArea> AreasWithout(const std::vector<ResourceArea>& areas,
                                       const std::vector<int>& rows) {
    std::vector<ResourceArea> kept;
    kept.reserve(areas.size());
    auto dropped = rows.begin();
    for (std::size_t row = 0; row < areas.size(); ++row) {
        if (dropped != rows.end() && *dropped == static_cast<int>(row)) {
            ++dropped;
        } else {
            kept.push_back(areas[row]);
        }
    }
    return kept;
}
