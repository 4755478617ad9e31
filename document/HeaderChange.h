#pragma once

#include <cstdint>
#include <string>

#include "document/LibraryChange.h"

// The library's three header fields.
struct LibraryHeader {
    std::uint32_t idStart = 0;
    std::string name;
    std::string resourcePath;

    static LibraryHeader of(const ResourceLibrary& library);
    bool operator==(const LibraryHeader&) const = default;
};

// The header fields set from before to after.
class HeaderChange : public LibraryChange {
public:
    HeaderChange(LibraryHeader before, LibraryHeader after);

    void apply(ResourceLibrary& library) override;
    void revert(ResourceLibrary& library) override;

private:
    LibraryHeader before;
    LibraryHeader after;
};
