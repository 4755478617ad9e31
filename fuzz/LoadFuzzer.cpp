// Loads arbitrary bytes as a library. Besides what the sanitizers find: a refused load adds
// nothing, and a library that loaded saves to bytes that load back to the same library.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "fuzz/SavedBytes.h"
#include "library/uiresourcecontrol.h"
#include "testing/MemoryStreams.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryInputStream input(std::string(reinterpret_cast<const char*>(data), size));
    ResourceLibrary library;
    if (FAILED(library.load(input))) {
        FUZZ_CHECK(library.idStart == 0 && library.name.empty() && library.resourcePath.empty());
        FUZZ_CHECK(library.textureCount() == 0 && library.resourceCount() == 0);
        return 0;
    }

    const std::string saved = savedBytes(library);
    MemoryInputStream savedInput(saved);
    ResourceLibrary reloaded;
    FUZZ_CHECK(SUCCEEDED(reloaded.load(savedInput)));
    FUZZ_CHECK(savedInput.consumed() == saved.size());
    FUZZ_CHECK(reloaded.textureCount() == library.textureCount());
    FUZZ_CHECK(reloaded.resourceCount() == library.resourceCount());
    FUZZ_CHECK(savedBytes(reloaded) == saved);
    return 0;
}
