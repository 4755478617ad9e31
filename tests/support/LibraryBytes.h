#pragma once

#include <bit>
#include <cstdint>
#include <string>

// Builds library file contents field by field, the way the tests write them out by hand.
class LibraryBytes {
public:
    static constexpr char kMagic[] =
        "\x39\xF9\xB3\x0A\x62\x93\xD1\x11\x9A\x2B\x08\x00\x00\x30\x05\x12";

    LibraryBytes& magic() { return raw(std::string(kMagic, 16)); }
    LibraryBytes& u32(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes += static_cast<char>((value >> shift) & 0xFF);
        }
        return *this;
    }
    LibraryBytes& i32(std::int32_t value) { return u32(static_cast<std::uint32_t>(value)); }
    LibraryBytes& f32(float value) { return u32(std::bit_cast<std::uint32_t>(value)); }
    // A counted string of up to 254 bytes.
    LibraryBytes& text(const std::string& value) {
        bytes += static_cast<char>(value.size());
        return raw(value);
    }
    LibraryBytes& raw(const std::string& value) {
        bytes += value;
        return *this;
    }

    // The start of a library: magic, version, idStart, name and resource path.
    LibraryBytes& header(std::uint32_t version, std::uint32_t idStart, const std::string& name,
                         const std::string& resourcePath = "") {
        return magic().u32(version).u32(idStart).text(name).text(resourcePath);
    }

    const std::string& str() const { return bytes; }

private:
    std::string bytes;
};

// The 121-byte library "Menu": idStart 1000, texture 0 "leer", resource 1000 "unbenannt"
// with one 64 x 32 area.
inline std::string menuExampleBytes() {
    return LibraryBytes()
        .header(3, 1000, "Menu")
        .u32(1)
        .i32(0)
        .text("leer")
        .i32(4)
        .i32(4)
        .i32(2)
        .i32(1)
        .u32(1)
        .i32(0)
        .i32(1000)
        .text("unbenannt")
        .u32(1)
        .f32(0)
        .f32(0)
        .f32(64)
        .f32(32)
        .f32(0)
        .f32(0)
        .f32(1)
        .f32(1)
        .i32(0)
        .str();
}

// clang-format off
// A version 1 library "Alt": texture 2 "a.bmp" in the old record (size code 3, BMP,
// Transparent) and resource 7 "Knopf" with one 28-byte area.
inline std::string versionOneExampleBytes() {
    return LibraryBytes()
        .header(1, 7, "Alt")
        .u32(1)
        .i32(2).text("a.bmp").u32(0).i32(0).i32(3).i32(1)
        .u32(1)
        .i32(0).i32(7).text("Knopf").u32(1)
        .f32(1).f32(2).f32(3).f32(4).f32(0).f32(0).i32(2)
        .str();
}

// The same library as the current version writes it.
inline std::string versionOneExampleAsVersionThree() {
    return LibraryBytes()
        .header(3, 7, "Alt")
        .u32(1)
        .i32(2).text("a.bmp").i32(3).i32(3).i32(0).i32(1)
        .u32(1)
        .i32(0).i32(7).text("Knopf").u32(1)
        .f32(1).f32(2).f32(3).f32(4).f32(0).f32(0).f32(1).f32(1).i32(2)
        .str();
}
// clang-format on
