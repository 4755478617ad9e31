#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "document/LibraryChange.h"
#include "library/uiresourcecontrol.h"

// A resource put into the list or taken out of it (New and Copy add one, Delete removes one).
// While the resource is out of the library the change holds it, so undoing a delete brings back
// the very same record.
class ResourceListChange : public LibraryChange {
public:
    // Applying puts resource into the list at index.
    static std::unique_ptr<ResourceListChange> added(std::size_t index,
                                                     std::unique_ptr<UiResource> resource);
    // Applying takes the resource at index out of the list.
    static std::unique_ptr<ResourceListChange> removed(std::size_t index);

    void apply(ResourceLibrary& library) override;
    void revert(ResourceLibrary& library) override;

private:
    ResourceListChange(std::size_t index, std::unique_ptr<UiResource> resource, bool adds);
    void put(ResourceLibrary& library);
    void take(ResourceLibrary& library);

    std::size_t index;
    std::unique_ptr<UiResource> held;  // while it is not in the library
    bool adds;
};

// What the button form edits of a resource besides its areas.
struct ResourceFields {
    std::int32_t id = 0;
    std::string identifier;

    static ResourceFields of(const UiResource& resource);
    bool operator==(const ResourceFields&) const = default;
};

// The id and identifier of the resource at index set from before to after.
class ResourceFieldsChange : public LibraryChange {
public:
    ResourceFieldsChange(std::size_t index, ResourceFields before, ResourceFields after);

    void apply(ResourceLibrary& library) override;
    void revert(ResourceLibrary& library) override;

    // Takes later's result into this change when both edit the same resource, so that a run of
    // typing is one change; false when they edit different resources.
    bool absorb(const ResourceFieldsChange& later);
    // Whether applying changes nothing (typing came back to where it started).
    bool changesNothing() const { return before == after; }
    std::size_t resourceIndex() const { return index; }

private:
    std::size_t index;
    ResourceFields before;
    ResourceFields after;
};
