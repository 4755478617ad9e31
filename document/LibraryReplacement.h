#pragma once

#include "document/LibraryChange.h"
#include "library/uiresourcecontrol.h"

// The whole library exchanged for another, as when its file is read anew: applying and
// reverting each swap the two, so the one not in use is kept here, records and all.
class LibraryReplacement : public LibraryChange {
public:
    explicit LibraryReplacement(ResourceLibrary& replacement) { other.swap(replacement); }

    void apply(ResourceLibrary& library) override { library.swap(other); }
    void revert(ResourceLibrary& library) override { library.swap(other); }

private:
    ResourceLibrary other;
};
