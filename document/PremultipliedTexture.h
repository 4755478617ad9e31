#pragma once

#include <cstdint>
#include <vector>

#include "document/CanvasGeometry.h"
#include "document/TextureDecoding.h"

// A decoded texture's pixels as the editor keeps them: 32-bit ARGB values (0xAARRGGBB) with
// every colour channel premultiplied by alpha, rounded as Qt rounds when it converts a picture
// to QImage::Format_ARGB32_Premultiplied. The command line slices these, the editor its own
// premultiplied picture, so that both see the same shown pixels to the last bit.
struct PremultipliedTexture {
    std::vector<std::uint32_t> argb;  // width * height values, rows top-down
    int width = 0;
    int height = 0;

    TexturePixels pixels() const { return {argb.data(), width, height, width}; }
};

// One colour channel multiplied by alpha, both 0 to 255.
constexpr std::uint32_t PremultipliedChannel(std::uint32_t channel, std::uint32_t alpha) {
    const std::uint32_t product = channel * alpha;
    return (product + (product >> 8) + 0x80) >> 8;
}

// The picture of decoded (empty when it holds none).
PremultipliedTexture PremultiplyTexture(const DecodedTexture& decoded);
