// Feeds arbitrary bytes to the reader of the text form. A refusal names a position inside
// the text and leaves the library as it was; a text that is taken gives a library whose own
// text form reads back to the same saved bytes.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "fuzz/SavedBytes.h"
#include "library/LibraryJson.h"
#include "library/uiresourcecontrol.h"
#include "testing/MemoryStreams.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    ResourceLibrary library;
    library.name = "before";
    if (const std::optional<LibraryJsonError> error = libraryFromJson(text, library)) {
        FUZZ_CHECK(error->line >= 1 && error->column >= 1 && !error->reason.empty());
        FUZZ_CHECK(error->line <= size + 1 && error->column <= size + 1);
        FUZZ_CHECK(library.name == "before" && library.textureCount() == 0 &&
                   library.resourceCount() == 0);
        return 0;
    }
    ResourceLibrary rebuilt;
    FUZZ_CHECK(!libraryFromJson(libraryToJson(library), rebuilt));
    FUZZ_CHECK(savedBytes(rebuilt) == savedBytes(library));
    return 0;
}
