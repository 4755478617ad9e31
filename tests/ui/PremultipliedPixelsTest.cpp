// The command line slices the decoder's pixels premultiplied by the core; the editor slices
// the picture its texture cache made with Qt. Both must see the same pixels, to the last bit,
// so that they cut the same areas.

#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <cstring>

#include "document/PremultipliedTexture.h"

namespace {

TEST(PremultipliedPixelsTest, TheCoreRoundsEveryChannelAndAlphaAsQtDoes) {
    // Every channel value with every alpha, in rows of an odd width so that Qt's vector code
    // and its tail code both run.
    const int width = 251;
    const int height = 262;
    const std::size_t bytes = std::size_t(width) * height * 4;
    DecodedTexture decoded;
    decoded.failure = TextureDecodeFailure::None;
    decoded.width = width;
    decoded.height = height;
    decoded.rgba.reset(static_cast<std::uint8_t*>(std::malloc(bytes)));
    std::uint8_t* rgba = decoded.rgba.get();
    for (std::size_t at = 0; at < bytes / 4; ++at) {
        const auto value = static_cast<std::uint8_t>(at & 0xff);
        rgba[at * 4] = value;
        rgba[at * 4 + 1] = static_cast<std::uint8_t>(255 - value);
        rgba[at * 4 + 2] = static_cast<std::uint8_t>(value * 7);
        rgba[at * 4 + 3] = static_cast<std::uint8_t>(at >> 8);
    }
    const QImage picture = QImage(rgba, width, height, width * 4, QImage::Format_RGBA8888)
                               .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const PremultipliedTexture texture = PremultiplyTexture(decoded);
    int differing = 0;
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            differing += row[x] != texture.argb[std::size_t(y) * width + x];
        }
    }
    EXPECT_EQ(differing, 0);
}

}  // namespace
