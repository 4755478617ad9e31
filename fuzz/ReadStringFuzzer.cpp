// Reads counted strings one after another from arbitrary bytes, as the text fields of a
// library follow each other, until a read fails. Besides what the sanitizers find: a failed
// read leaves its target as it was, a text that was read holds no zero byte, and writing it
// gives a counted string that reads back to the same text.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "persistence/tstring.h"
#include "testing/MemoryStreams.h"

namespace {

const std::string kUntouched = "\x01 untouched";

void checkRoundTrip(const std::string& text) {
    MemoryOutputStream output;
    FUZZ_CHECK(SUCCEEDED(tsWriteString(text, output)));
    MemoryInputStream input(output.data());
    std::string copy;
    FUZZ_CHECK(SUCCEEDED(tsReadString(copy, input)));
    FUZZ_CHECK(copy == text);
    FUZZ_CHECK(input.consumed() == output.data().size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryInputStream input(std::string(reinterpret_cast<const char*>(data), size));
    for (;;) {
        std::string text = kUntouched;
        if (FAILED(tsReadString(text, input))) {
            FUZZ_CHECK(text == kUntouched);
            return 0;
        }
        FUZZ_CHECK(text.find('\0') == std::string::npos);
        checkRoundTrip(text);
    }
}
