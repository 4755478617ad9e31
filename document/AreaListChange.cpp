#include "document/AreaListChange.h"

#include <utility>

AreaListChange::AreaListChange(std::size_t resourceIndex, std::vector<ResourceArea> before,
                               std::vector<ResourceArea> after)
    : resource(resourceIndex), before(std::move(before)), after(std::move(after)) {}

void AreaListChange::apply(ResourceLibrary& library) {
    library.resources.at(resource)->areas = after;
}

void AreaListChange::revert(ResourceLibrary& library) {
    library.resources.at(resource)->areas = before;
}
