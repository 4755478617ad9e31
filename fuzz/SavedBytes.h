#pragma once

#include <string>

#include "fuzz/FuzzCheck.h"
#include "library/uiresourcecontrol.h"
#include "testing/MemoryStreams.h"

// The bytes library saves to; a failed save is a finding.
inline std::string savedBytes(const ResourceLibrary& library) {
    MemoryOutputStream output;
    FUZZ_CHECK(SUCCEEDED(library.save(output)));
    return output.data();
}
