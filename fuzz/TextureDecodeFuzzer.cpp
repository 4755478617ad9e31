// Decodes arbitrary bytes as a texture file. Besides what the sanitizers find: a refusal
// leaves no picture, and a picture has the sides it claims, within the limit, every one of
// its bytes readable.

#include <cstddef>
#include <cstdint>

#include "document/TextureDecoding.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const DecodedTexture decoded = DecodeTexture(data, size);
    if (decoded.failure != TextureDecodeFailure::None) {
        FUZZ_CHECK(decoded.rgba == nullptr);
        FUZZ_CHECK(decoded.format.has_value() ==
                   (decoded.failure == TextureDecodeFailure::Damaged));
        return 0;
    }
    FUZZ_CHECK(decoded.format.has_value() && decoded.rgba != nullptr);
    FUZZ_CHECK(decoded.width >= 1 && decoded.width <= kMaxTextureSide);
    FUZZ_CHECK(decoded.height >= 1 && decoded.height <= kMaxTextureSide);
    unsigned sum = 0;
    const std::size_t bytes = std::size_t{4} * decoded.width * decoded.height;
    for (std::size_t at = 0; at < bytes; ++at) {
        sum += decoded.rgba.get()[at];
    }
    volatile unsigned keep = sum;
    static_cast<void>(keep);
    return 0;
}
