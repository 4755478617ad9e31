#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "document/TextureDecoding.h"

namespace {

using Pixel = std::array<std::uint8_t, 4>;  // red, green, blue, alpha
using Bytes = std::vector<std::uint8_t>;

constexpr int kWidth = 4;
constexpr int kHeight = 3;

// A picture whose pixels all differ but for a run in its last row, with colours and alphas
// every TGA kind can hold exactly (16-bit colours keep 5 bits and one bit of alpha).
std::vector<Pixel> picture() {
    return {{255, 0, 0, 255},     {0, 255, 0, 255},     {0, 0, 255, 0},       {255, 255, 0, 255},
            {0, 255, 255, 0},     {255, 0, 255, 255},   {255, 255, 255, 0},   {0, 0, 0, 255},
            {255, 255, 255, 255}, {255, 255, 255, 255}, {255, 255, 255, 255}, {0, 0, 255, 255}};
}

// The grey picture: every pixel another level.
std::vector<Pixel> greyPicture() {
    std::vector<Pixel> pixels;
    for (int index = 0; index < kWidth * kHeight; ++index) {
        const auto level = static_cast<std::uint8_t>(index < 8 ? 20 * index : 200);
        pixels.push_back({level, level, level, 255});
    }
    return pixels;
}

enum class Kind { TrueColour24, TrueColour32, Colour16, Grey8, Mapped24, Mapped32, Mapped16 };

struct TgaCase {
    const char* name;
    Kind kind;
    bool runLength;
    bool fromTop;
    bool alphaBit;  // the header gives 16-bit pixels one attribute bit
};

void append16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

Bytes colourBytes(const Pixel& pixel, int bits) {
    if (bits == 16) {
        const std::uint32_t value = (pixel[3] != 0 ? 0x8000u : 0u) | (pixel[0] >> 3) << 10 |
                                    (pixel[1] >> 3) << 5 | (pixel[2] >> 3);
        Bytes out;
        append16(out, value);
        return out;
    }
    Bytes out{pixel[2], pixel[1], pixel[0]};
    if (bits == 32) {
        out.push_back(pixel[3]);
    }
    return out;
}

// Run packets for repeated pixels, raw packets of one pixel otherwise.
Bytes runLengthPackets(const std::vector<Bytes>& pixels) {
    Bytes out;
    for (std::size_t at = 0; at < pixels.size();) {
        std::size_t same = 1;
        while (at + same < pixels.size() && same < 128 && pixels[at + same] == pixels[at]) {
            ++same;
        }
        out.push_back(static_cast<std::uint8_t>(same > 1 ? 0x80 | (same - 1) : 0));
        out.insert(out.end(), pixels[at].begin(), pixels[at].end());
        at += same;
    }
    return out;
}

// A TGA file of shown (top row first) as the case describes, with a 2-byte image id.
Bytes tgaFile(const TgaCase& tga, const std::vector<Pixel>& shown) {
    const bool mapped =
        tga.kind == Kind::Mapped24 || tga.kind == Kind::Mapped32 || tga.kind == Kind::Mapped16;
    const int colourBits = tga.kind == Kind::TrueColour24 || tga.kind == Kind::Mapped24   ? 24
                           : tga.kind == Kind::TrueColour32 || tga.kind == Kind::Mapped32 ? 32
                           : tga.kind == Kind::Grey8                                      ? 8
                                                                                          : 16;
    std::vector<Pixel> palette;
    std::vector<Bytes> stored;
    for (int row = 0; row < kHeight; ++row) {
        const int shownRow = tga.fromTop ? row : kHeight - 1 - row;
        for (int column = 0; column < kWidth; ++column) {
            const Pixel& pixel = shown[static_cast<std::size_t>(shownRow * kWidth + column)];
            if (mapped) {
                auto known = std::find(palette.begin(), palette.end(), pixel);
                if (known == palette.end()) {
                    known = palette.insert(palette.end(), pixel);
                }
                stored.push_back({static_cast<std::uint8_t>(known - palette.begin())});
            } else if (tga.kind == Kind::Grey8) {
                stored.push_back({pixel[0]});
            } else {
                stored.push_back(colourBytes(pixel, colourBits));
            }
        }
    }
    const std::uint8_t imageType = (mapped                    ? 1
                                    : tga.kind == Kind::Grey8 ? 3
                                                              : 2) +
                                   (tga.runLength ? 8 : 0);
    Bytes file{2, mapped ? std::uint8_t{1} : std::uint8_t{0}, imageType};
    append16(file, 0);
    append16(file, mapped ? static_cast<std::uint32_t>(palette.size()) : 0);
    file.push_back(mapped ? static_cast<std::uint8_t>(colourBits) : 0);
    append16(file, 0);
    append16(file, 0);
    append16(file, kWidth);
    append16(file, kHeight);
    file.push_back(static_cast<std::uint8_t>(mapped ? 8 : colourBits));
    const int attributeBits = colourBits == 32 ? 8 : tga.alphaBit ? 1 : 0;
    file.push_back(static_cast<std::uint8_t>(attributeBits | (tga.fromTop ? 0x20 : 0)));
    file.push_back('i');
    file.push_back('d');
    for (const Pixel& entry : palette) {
        const Bytes bytes = colourBytes(entry, colourBits);
        file.insert(file.end(), bytes.begin(), bytes.end());
    }
    const Bytes data = tga.runLength ? runLengthPackets(stored) : [&] {
        Bytes flat;
        for (const Bytes& pixel : stored) {
            flat.insert(flat.end(), pixel.begin(), pixel.end());
        }
        return flat;
    }();
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

// What a correct decoder makes of the picture: opaque where the kind keeps no alpha.
std::vector<Pixel> expectedPixels(const TgaCase& tga, std::vector<Pixel> shown) {
    const bool keepsAlpha =
        tga.kind == Kind::TrueColour32 || tga.kind == Kind::Mapped32 ||
        ((tga.kind == Kind::Colour16 || tga.kind == Kind::Mapped16) && tga.alphaBit);
    for (Pixel& pixel : shown) {
        pixel[3] = keepsAlpha ? pixel[3] : 255;
    }
    return shown;
}

DecodedTexture decode(const Bytes& file) {
    return DecodeTexture(file.data(), file.size());
}

std::vector<Pixel> pixelsOf(const DecodedTexture& decoded) {
    std::vector<Pixel> pixels;
    for (int index = 0; index < decoded.width * decoded.height; ++index) {
        const std::uint8_t* at = decoded.rgba.get() + 4 * index;
        pixels.push_back({at[0], at[1], at[2], at[3]});
    }
    return pixels;
}

TEST(TextureDecoding, ReadsEveryKindOfTgaPixelByPixel) {
    const std::vector<TgaCase> cases{
        {"true colour 24, uncompressed, from the bottom", Kind::TrueColour24, false, false, false},
        {"true colour 32, uncompressed, from the top", Kind::TrueColour32, false, true, false},
        {"true colour 32, run-length, from the top", Kind::TrueColour32, true, true, false},
        {"true colour 24, run-length, from the bottom", Kind::TrueColour24, true, false, false},
        {"16-bit with alpha bit, run-length, from the bottom", Kind::Colour16, true, false, true},
        {"16-bit with alpha bit, uncompressed, from the top", Kind::Colour16, false, true, true},
        {"16-bit without alpha bit, uncompressed, from the bottom", Kind::Colour16, false, false,
         false},
        {"grey, uncompressed, from the top", Kind::Grey8, false, true, false},
        {"grey, run-length, from the bottom", Kind::Grey8, true, false, false},
        {"colour-mapped 24, uncompressed, from the bottom", Kind::Mapped24, false, false, false},
        {"colour-mapped 32, run-length, from the top", Kind::Mapped32, true, true, false},
        {"colour-mapped 16 with alpha bit, run-length, from the bottom", Kind::Mapped16, true,
         false, true},
        {"colour-mapped 16 with alpha bit, uncompressed, from the top", Kind::Mapped16, false, true,
         true},
    };
    for (const TgaCase& tga : cases) {
        SCOPED_TRACE(tga.name);
        const std::vector<Pixel> shown = tga.kind == Kind::Grey8 ? greyPicture() : picture();

        const DecodedTexture decoded = decode(tgaFile(tga, shown));

        ASSERT_EQ(decoded.failure, TextureDecodeFailure::None);
        EXPECT_EQ(decoded.format, TextureFileFormat::Tga);
        ASSERT_EQ(decoded.width, kWidth);
        ASSERT_EQ(decoded.height, kHeight);
        EXPECT_EQ(pixelsOf(decoded), expectedPixels(tga, shown));
    }
}

// The most address space the process has held so far, in KiB: memory taken counts even
// where it was never touched.
long peakAddressSpaceKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmPeak:", 0) == 0) {
            return std::stol(line.substr(7));
        }
    }
    return 0;
}

void setSides(Bytes& tga, std::uint32_t width, std::uint32_t height) {
    tga[12] = static_cast<std::uint8_t>(width);
    tga[13] = static_cast<std::uint8_t>(width >> 8);
    tga[14] = static_cast<std::uint8_t>(height);
    tga[15] = static_cast<std::uint8_t>(height >> 8);
}

// Files that claim more than they hold are refused before the picture's memory is taken (a
// decoder that took it first would take tens of megabytes here, or gigabytes).
TEST(TextureDecoding, RefusesClaimsTheBytesCannotHoldWithoutTakingTheirMemory) {
    const Bytes plain = tgaFile({"", Kind::TrueColour32, false, true, false}, picture());
    const Bytes packed = tgaFile({"", Kind::Grey8, true, false, false}, greyPicture());
    Bytes cutShort = plain;
    cutShort.pop_back();
    Bytes cutPacked = packed;
    cutPacked.pop_back();
    Bytes huge = plain;
    setSides(huge, 65535, 65535);
    Bytes bigPlain = plain;
    setSides(bigPlain, 4096, 4096);
    Bytes bigPacked = packed;
    setSides(bigPacked, 4096, 4096);
    Bytes noPixels = plain;
    noPixels.resize(18 + 2);
    // An 8-byte PNG signature and a header claiming 8192 x 8192 pixels in a 40-byte file.
    const Bytes bigPng{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0,    0, 0, 13, 'I', 'H',
                       'D',  'R', 0,   0,   0x20, 0,    0,    0,    0x20, 0, 8, 6,  0,   0,
                       0,    0,   0,   0,   0,    0,    0,    0,    0,    0, 0, 0};
    // A 2 x 2 PNG whose data chunk claims 2 GiB.
    const Bytes hugeChunk{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0,    0,    13,
                          'I',  'H', 'D', 'R', 0,    0,    0,    2,    0, 0,    0,    2,
                          8,    6,   0,   0,   0,    0,    0,    0,    0, 0x7F, 0xFF, 0xFF,
                          0xF0, 'I', 'D', 'A', 'T',  0x78, 0x9C, 0,    0};
    // A BMP header claiming 4096 x 4096 pixels of 24 bits, with no pixels.
    Bytes bigBmp{'B', 'M', 0, 0, 0,    0, 0, 0, 0,    0, 54, 0, 0, 0,  40,
                 0,   0,   0, 0, 0x10, 0, 0, 0, 0x10, 0, 0,  1, 0, 24, 0};
    bigBmp.resize(54 + 64);

    const long before = peakAddressSpaceKilobytes();
    for (const auto& [name, file, format] :
         std::vector<std::tuple<const char*, Bytes, TextureFileFormat>>{
             {"uncompressed, cut short", cutShort, TextureFileFormat::Tga},
             {"run-length, cut short", cutPacked, TextureFileFormat::Tga},
             {"65535 x 65535", huge, TextureFileFormat::Tga},
             {"4096 x 4096 uncompressed", bigPlain, TextureFileFormat::Tga},
             {"4096 x 4096 run-length", bigPacked, TextureFileFormat::Tga},
             {"header only", noPixels, TextureFileFormat::Tga},
             {"PNG of 8192 x 8192", bigPng, TextureFileFormat::Png},
             {"PNG chunk of 2 GiB", hugeChunk, TextureFileFormat::Png},
             {"BMP of 4096 x 4096", bigBmp, TextureFileFormat::Bmp},
         }) {
        SCOPED_TRACE(name);
        const DecodedTexture decoded = decode(file);
        EXPECT_EQ(decoded.failure, TextureDecodeFailure::Damaged);
        EXPECT_EQ(decoded.format, format);
        EXPECT_EQ(decoded.rgba, nullptr);
    }
    EXPECT_LT(peakAddressSpaceKilobytes() - before, 16 * 1024);

    for (const std::string& text : {std::string("kein Bild"), std::string()}) {
        const DecodedTexture decoded = decode(Bytes(text.begin(), text.end()));
        EXPECT_EQ(decoded.failure, TextureDecodeFailure::UnknownFormat);
        EXPECT_FALSE(decoded.format);
    }
}

}  // namespace
