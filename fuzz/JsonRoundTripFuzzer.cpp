// Loads arbitrary bytes as a library; every library that loads must come back from its text
// form exactly: the same saved bytes, and the same text once more.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "fuzz/SavedBytes.h"
#include "library/LibraryJson.h"
#include "library/uiresourcecontrol.h"
#include "testing/MemoryStreams.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryInputStream input(std::string(reinterpret_cast<const char*>(data), size));
    ResourceLibrary library;
    if (FAILED(library.load(input))) {
        return 0;
    }
    const std::string json = libraryToJson(library);
    ResourceLibrary rebuilt;
    FUZZ_CHECK(!libraryFromJson(json, rebuilt));
    FUZZ_CHECK(savedBytes(rebuilt) == savedBytes(library));
    FUZZ_CHECK(libraryToJson(rebuilt) == json);
    return 0;
}
