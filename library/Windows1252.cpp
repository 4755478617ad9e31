#include "library/Windows1252.h"

#include <cstdint>

namespace {

// Code points of the bytes 0x80 to 0x9F; the rest of the code page equals Latin-1.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t codePointOf(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : char32_t{byte};
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::optional<char> byteFor(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    return std::nullopt;
}

// Decodes one UTF-8 sequence at position; advances position. Returns U+FFFD for a broken one.
char32_t nextCodePoint(std::string_view utf8, std::size_t& position) {
    const auto lead = static_cast<unsigned char>(utf8[position++]);
    int continuation = 0;
    char32_t c = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        continuation = 1, c = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        continuation = 2, c = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        continuation = 3, c = lead & 0x07, smallest = 0x10000;
    } else {
        return 0xFFFD;
    }
    for (int i = 0; i < continuation; ++i) {
        if (position >= utf8.size() ||
            (static_cast<unsigned char>(utf8[position]) & 0xC0) != 0x80) {
            return 0xFFFD;
        }
        c = (c << 6) | (static_cast<unsigned char>(utf8[position++]) & 0x3F);
    }
    return c < smallest || c > 0x10FFFF ? 0xFFFD : c;
}

}  // namespace

std::string utf8FromWindows1252(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char byte : bytes) {
        appendUtf8(out, codePointOf(static_cast<unsigned char>(byte)));
    }
    return out;
}

std::string windows1252FromUtf8(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t position = 0; position < utf8.size();) {
        out += byteFor(nextCodePoint(utf8, position)).value_or('?');
    }
    return out;
}

std::optional<std::string> windows1252FromUtf8Exactly(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t position = 0; position < utf8.size();) {
        const std::optional<char> byte = byteFor(nextCodePoint(utf8, position));
        if (!byte) {
            return std::nullopt;
        }
        out += *byte;
    }
    return out;
}
