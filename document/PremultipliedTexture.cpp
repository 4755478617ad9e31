#include "document/PremultipliedTexture.h"

#include <cstddef>

PremultipliedTexture PremultiplyTexture(const DecodedTexture& decoded) {
    PremultipliedTexture texture;
    if (decoded.rgba == nullptr) {
        return texture;
    }
    texture.width = decoded.width;
    texture.height = decoded.height;
    const std::size_t count = std::size_t(decoded.width) * std::size_t(decoded.height);
    texture.argb.resize(count);
    const std::uint8_t* rgba = decoded.rgba.get();
    for (std::size_t at = 0; at < count; ++at, rgba += 4) {
        const std::uint32_t alpha = rgba[3];
        texture.argb[at] = alpha << 24 | PremultipliedChannel(rgba[0], alpha) << 16 |
                           PremultipliedChannel(rgba[1], alpha) << 8 |
                           PremultipliedChannel(rgba[2], alpha);
    }
    return texture;
}
