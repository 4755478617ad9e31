#include "document/HeaderChange.h"

#include "library/uiresourcecontrol.h"

namespace {

void store(ResourceLibrary& library, const LibraryHeader& header) {
    library.idStart = header.idStart;
    library.name = header.name;
    library.resourcePath = header.resourcePath;
}

}  // namespace

LibraryHeader LibraryHeader::of(const ResourceLibrary& library) {
    return {library.idStart, library.name, library.resourcePath};
}

HeaderChange::HeaderChange(LibraryHeader before, LibraryHeader after)
    : before(std::move(before)), after(std::move(after)) {}

void HeaderChange::apply(ResourceLibrary& library) {
    store(library, after);
}

void HeaderChange::revert(ResourceLibrary& library) {
    store(library, before);
}
