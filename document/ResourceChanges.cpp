#include "document/ResourceChanges.h"

#include <cassert>

std::unique_ptr<ResourceListChange> ResourceListChange::added(
    std::size_t index, std::unique_ptr<UiResource> resource) {
    return std::unique_ptr<ResourceListChange>(
        new ResourceListChange(index, std::move(resource), true));
}

std::unique_ptr<ResourceListChange> ResourceListChange::removed(std::size_t index) {
    return std::unique_ptr<ResourceListChange>(new ResourceListChange(index, nullptr, false));
}

ResourceListChange::ResourceListChange(std::size_t index, std::unique_ptr<UiResource> resource,
                                       bool adds)
    : index(index), held(std::move(resource)), adds(adds) {}

void ResourceListChange::apply(ResourceLibrary& library) {
    adds ? put(library) : take(library);
}

void ResourceListChange::revert(ResourceLibrary& library) {
    adds ? take(library) : put(library);
}

void ResourceListChange::put(ResourceLibrary& library) {
    assert(held != nullptr && index <= library.resources.size());
    library.resources.insert(library.resources.begin() + static_cast<std::ptrdiff_t>(index),
                             std::move(held));
}

void ResourceListChange::take(ResourceLibrary& library) {
    assert(held == nullptr && index < library.resources.size());
    const auto position = library.resources.begin() + static_cast<std::ptrdiff_t>(index);
    held = std::move(*position);
    library.resources.erase(position);
}

ResourceFields ResourceFields::of(const UiResource& resource) {
    return {resource.id, resource.identifier};
}

ResourceFieldsChange::ResourceFieldsChange(std::size_t index, ResourceFields before,
                                           ResourceFields after)
    : index(index), before(std::move(before)), after(std::move(after)) {}

namespace {

void store(ResourceLibrary& library, std::size_t index, const ResourceFields& fields) {
    UiResource& resource = *library.resources.at(index);
    resource.id = fields.id;
    resource.identifier = fields.identifier;
}

}  // namespace

void ResourceFieldsChange::apply(ResourceLibrary& library) {
    store(library, index, after);
}

void ResourceFieldsChange::revert(ResourceLibrary& library) {
    store(library, index, before);
}

bool ResourceFieldsChange::absorb(const ResourceFieldsChange& later) {
    if (later.index != index) {
        return false;
    }
    after = later.after;
    return true;
}
