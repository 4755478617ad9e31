#include "document/TextureDecoding.h"

#include <stb/stb_image.h>

#include <climits>
#include <cstring>

namespace {

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
// Deflate, the compression of PNG, makes at most 1032 bytes of one.
constexpr std::uint64_t kMostDeflateRatio = 1032;
constexpr std::size_t kTgaHeaderSize = 18;

std::uint32_t little16(const std::uint8_t* at) {
    return at[0] | (std::uint32_t{at[1]} << 8);
}

std::uint32_t little32(const std::uint8_t* at) {
    return little16(at) | (little16(at + 2) << 16);
}

std::uint32_t big32(const std::uint8_t* at) {
    return (std::uint32_t{at[0]} << 24) | (std::uint32_t{at[1]} << 16) |
           (std::uint32_t{at[2]} << 8) | at[3];
}

bool sidesFit(std::int64_t width, std::int64_t height) {
    return width >= 1 && height >= 1 && width <= kMaxTextureSide && height <= kMaxTextureSide;
}

struct TgaHeader {
    explicit TgaHeader(const std::uint8_t* bytes)
        : idLength(bytes[0]),
          colourMapped(bytes[1] == 1),
          runLength(bytes[2] >= 8),
          trueColour((bytes[2] & 7) == 2),
          mapFirst(little16(bytes + 3)),
          mapLength(little16(bytes + 5)),
          mapBits(bytes[7]),
          width(little16(bytes + 12)),
          height(little16(bytes + 14)),
          bits(bytes[16]),
          descriptor(bytes[17]) {}

    // Where the colour map starts, as the decoder reads it: it takes the number of the first
    // entry as bytes to skip.
    std::size_t mapStart() const { return kTgaHeaderSize + idLength + mapFirst; }
    std::size_t mapEntryBytes() const { return (mapBits + 7) / 8; }
    std::size_t pixelStart() const {
        return colourMapped ? mapStart() + mapLength * mapEntryBytes() : kTgaHeaderSize + idLength;
    }
    std::size_t pixelBytes() const { return (bits + 7) / 8; }
    bool bottomUp() const { return (descriptor & 0x20) == 0; }
    // 16-bit colours (5 bits each for red, green and blue) whose top bit the header declares
    // an attribute, which is the pixel's alpha.
    bool alphaBit() const {
        return (descriptor & 0x0F) == 1 &&
               (colourMapped ? mapBits == 16 : trueColour && bits == 16);
    }

    std::uint32_t idLength;
    bool colourMapped;
    bool runLength;
    bool trueColour;
    std::uint32_t mapFirst;
    std::uint32_t mapLength;
    std::uint32_t mapBits;
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t bits;
    std::uint32_t descriptor;
};

// Calls visit(pixel) for each stored pixel, run-length packets expanded, and says whether the
// bytes held all count pixels.
template <typename Visit>
bool visitTgaPixels(const std::uint8_t* bytes, std::size_t size, const TgaHeader& header,
                    Visit visit) {
    const std::uint64_t count = std::uint64_t{header.width} * header.height;
    const std::size_t pixelBytes = header.pixelBytes();
    std::size_t at = header.pixelStart();
    if (at > size) {
        return false;
    }
    if (!header.runLength) {
        if (count * pixelBytes > size - at) {
            return false;
        }
        for (std::uint64_t pixel = 0; pixel < count; ++pixel, at += pixelBytes) {
            visit(bytes + at);
        }
        return true;
    }
    for (std::uint64_t done = 0; done < count;) {
        if (at >= size) {
            return false;
        }
        const std::uint8_t packet = bytes[at++];
        const std::uint64_t repeat = (packet & 0x7F) + 1;
        const bool run = (packet & 0x80) != 0;
        const std::uint64_t stored = run ? pixelBytes : repeat * pixelBytes;
        if (stored > size - at) {
            return false;
        }
        for (std::uint64_t pixel = 0; pixel < repeat && done < count; ++pixel, ++done) {
            visit(bytes + at + (run ? 0 : pixel * pixelBytes));
        }
        at += stored;
    }
    return true;
}

bool tgaHoldsItsPixels(const std::uint8_t* bytes, std::size_t size) {
    if (size < kTgaHeaderSize) {
        return false;
    }
    const TgaHeader header(bytes);
    return sidesFit(header.width, header.height) &&
           visitTgaPixels(bytes, size, header, [](const std::uint8_t*) {});
}

// The decoder reads every 16-bit TGA as opaque; where the header says the top bit is an
// attribute, it becomes the alpha of the decoded pixels.
void applyTgaAlphaBit(const std::uint8_t* bytes, std::size_t size, std::uint8_t* rgba) {
    const TgaHeader header(bytes);
    if (!header.alphaBit()) {
        return;
    }
    std::uint64_t index = 0;
    visitTgaPixels(bytes, size, header, [&](const std::uint8_t* pixel) {
        std::uint32_t colour = 0;
        if (header.colourMapped) {
            std::uint32_t entry = header.bits == 8 ? pixel[0] : little16(pixel);
            if (entry >= header.mapLength) {
                entry = 0;  // the decoder's choice for an index beyond the map
            }
            colour = little16(bytes + header.mapStart() + 2 * entry);
        } else {
            colour = little16(pixel);
        }
        const std::uint64_t row = index / header.width;
        const std::uint64_t column = index % header.width;
        const std::uint64_t shownRow = header.bottomUp() ? header.height - 1 - row : row;
        rgba[(shownRow * header.width + column) * 4 + 3] = (colour & 0x8000) != 0 ? 255 : 0;
        ++index;
    });
}

bool bmpHoldsItsPixels(const std::uint8_t* bytes, std::size_t size) {
    constexpr std::size_t kCoreHeaderEnd = 26;
    constexpr std::size_t kInfoHeaderEnd = 30;
    if (size < kCoreHeaderEnd) {
        return false;
    }
    const std::uint32_t pixelStart = little32(bytes + 10);
    const std::uint32_t headerSize = little32(bytes + 14);
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bits = 0;
    if (headerSize == 12) {
        width = little16(bytes + 18);
        height = little16(bytes + 20);
        bits = little16(bytes + 24);
    } else {
        if (size < kInfoHeaderEnd) {
            return false;
        }
        width = static_cast<std::int32_t>(little32(bytes + 18));
        height = static_cast<std::int32_t>(little32(bytes + 22));
        bits = little16(bytes + 28);
    }
    height = height < 0 ? -height : height;  // negative for rows from the top
    const bool knownDepth =
        bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    if (!knownDepth || !sidesFit(width, height) || pixelStart > size) {
        return false;
    }
    // Rows are padded to whole 4-byte words.
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
    return rowBytes * static_cast<std::uint64_t>(height) <= size - pixelStart;
}

// Whether every chunk up to the end marker lies within the bytes: the decoder takes memory
// for the data a chunk claims before it reads it.
bool pngChunksFit(const std::uint8_t* bytes, std::size_t size) {
    constexpr std::size_t kChunkFrame = 12;  // length, type and checksum
    for (std::size_t at = sizeof kPngSignature; at < size;) {
        if (size - at < kChunkFrame) {
            return false;
        }
        const std::uint32_t length = big32(bytes + at);
        if (length > size - at - kChunkFrame) {
            return false;
        }
        if (std::memcmp(bytes + at + 4, "IEND", 4) == 0) {
            break;
        }
        at += kChunkFrame + length;
    }
    return true;
}

bool pngHoldsItsPixels(const std::uint8_t* bytes, std::size_t size) {
    constexpr std::size_t kHeaderEnd = 26;  // up to the bit depth and the colour type
    if (size < kHeaderEnd) {
        return false;
    }
    const std::uint64_t width = big32(bytes + 16);
    const std::uint64_t height = big32(bytes + 20);
    const std::uint64_t depth = bytes[24];
    const std::uint8_t colourType = bytes[25];
    const std::uint64_t channels = colourType == 2   ? 3
                                   : colourType == 4 ? 2
                                   : colourType == 6 ? 4
                                                     : 1;
    if (!sidesFit(static_cast<std::int64_t>(width), static_cast<std::int64_t>(height)) ||
        depth > 16) {
        return false;
    }
    // The rows before compression, each led by its filter byte, and the most they can shrink.
    const std::uint64_t rawBytes = height * (1 + (width * depth * channels + 7) / 8);
    return rawBytes <= std::uint64_t{size} * kMostDeflateRatio && pngChunksFit(bytes, size);
}

std::optional<TextureFileFormat> formatOf(const std::uint8_t* bytes, std::size_t size) {
    if (size >= sizeof kPngSignature &&
        std::memcmp(bytes, kPngSignature, sizeof kPngSignature) == 0) {
        return TextureFileFormat::Png;
    }
    if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        return TextureFileFormat::Bmp;
    }
    // TGA has no signature; the decoder tells a plausible header, and only TGA is left.
    int width = 0;
    int height = 0;
    int channels = 0;
    if (size <= INT_MAX &&
        stbi_info_from_memory(bytes, static_cast<int>(size), &width, &height, &channels) != 0) {
        return TextureFileFormat::Tga;
    }
    return std::nullopt;
}

bool holdsItsPixels(TextureFileFormat format, const std::uint8_t* bytes, std::size_t size) {
    switch (format) {
        case TextureFileFormat::Bmp:
            return bmpHoldsItsPixels(bytes, size);
        case TextureFileFormat::Tga:
            return tgaHoldsItsPixels(bytes, size);
        case TextureFileFormat::Png:
            return pngHoldsItsPixels(bytes, size);
    }
    return false;
}

}  // namespace

DecodedTexture DecodeTexture(const std::uint8_t* bytes, std::size_t size) {
    DecodedTexture result;
    result.format = formatOf(bytes, size);
    if (!result.format) {
        return result;
    }
    result.failure = TextureDecodeFailure::Damaged;
    if (size > INT_MAX || !holdsItsPixels(*result.format, bytes, size)) {
        return result;
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    result.rgba.reset(
        stbi_load_from_memory(bytes, static_cast<int>(size), &width, &height, &channels, 4));
    if (!result.rgba) {
        return result;
    }
    result.failure = TextureDecodeFailure::None;
    result.width = width;
    result.height = height;
    if (result.format == TextureFileFormat::Tga) {
        applyTgaAlphaBit(bytes, size, result.rgba.get());
    }
    return result;
}
