#pragma once

class ResourceLibrary;

// One change of a library that can be taken back and made again. A change keeps only what it
// alters (a resource with its areas, a texture row, the header fields) and assumes the library
// is in the state it left it in: changes are applied and reverted in history order.
class LibraryChange {
public:
    virtual ~LibraryChange() = default;
    virtual void apply(ResourceLibrary& library) = 0;
    virtual void revert(ResourceLibrary& library) = 0;
};
