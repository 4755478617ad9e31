#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>

// Texture files as game studios save them: PNG, BMP and TGA of every kind paint programs
// write (uncompressed and run-length, true-colour, 16-bit, grey-scale and colour-mapped,
// origin at the top or the bottom).

// The file formats, numbered as a texture row's "Format" numbers them.
enum class TextureFileFormat : std::int32_t { Bmp = 0, Tga = 1, Png = 2 };

enum class TextureDecodeFailure {
    None,
    UnknownFormat,  // none of the formats above
    Damaged,        // one of them, but its header or data does not hold a picture
};

struct DecodedTexture {
    struct FreeMemory {
        void operator()(std::uint8_t* pixels) const { std::free(pixels); }
    };

    TextureDecodeFailure failure = TextureDecodeFailure::UnknownFormat;
    std::optional<TextureFileFormat> format;  // what the bytes are, where recognised
    int width = 0;
    int height = 0;
    // width * height pixels of 4 bytes, red, green, blue, alpha (not premultiplied), the top
    // row first; null unless failure is None.
    std::unique_ptr<std::uint8_t, FreeMemory> rgba;
};

// The largest width and height accepted.
constexpr int kMaxTextureSide = 16384;

// Decodes the bytes of a texture file. A header claiming a side beyond kMaxTextureSide or
// more pixels than the bytes can hold is refused as damaged before any picture memory is
// taken. A 16-bit TGA whose header gives its pixels one attribute bit has that bit as alpha.
DecodedTexture DecodeTexture(const std::uint8_t* bytes, std::size_t size);
