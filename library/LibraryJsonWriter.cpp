// The text form is written straight into one buffer, sized beforehand for the widest text
// the library can give: every number formatted in place with std::to_chars, every fixed
// piece copied with its length known when compiled, every text byte from a table. Written
// into a stream, the buffer is a fixed one, handed on whenever the next element of a list
// might not fit.

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "library/LibraryFile.h"
#include "library/LibraryJson.h"
#include "library/Windows1252.h"

namespace {

// Writes forward from a position with room enough behind it: for the whole text
// (writtenSizeBound), or, when it writes into a stream, for what makeRoom made room for.
class TextWriter {
public:
    explicit TextWriter(char* at) : at(at) {}

    // Writes into out through buffer.
    TextWriter(std::string& buffer, tsOutputStream& out)
        : at(buffer.data()), buffer(&buffer), out(&out) {}

    char* position() const { return at; }

    bool streams() const { return out != nullptr; }

    // Makes room for size bytes when writing into a stream: hands what the buffer holds on
    // when the rest is too small, and grows the buffer when that is.
    void makeRoom(std::size_t size) {
        if (static_cast<std::size_t>(buffer->data() + buffer->size() - at) >= size) {
            return;
        }
        flush();
        if (buffer->size() < size) {
            buffer->resize(size);
            at = buffer->data();
        }
    }

    // Hands what the buffer holds on to the stream; the stream's first failure.
    HRESULT flush() {
        const auto size = static_cast<std::size_t>(at - buffer->data());
        if (size > 0 && SUCCEEDED(result)) {
            result = writeWhole(*out, std::string_view(buffer->data(), size));
        }
        at = buffer->data();
        return result;
    }

    template <std::size_t Size>
    void put(const char (&literal)[Size]) {
        std::memcpy(at, literal, Size - 1);
        at += Size - 1;
    }

    void put(char c) { *at++ = c; }

    // Copies all of bytes but moves on by size alone: one fixed copy instead of a call for
    // size bytes, where the room for all is there.
    template <std::size_t Size>
    void putFirst(const std::array<char, Size>& bytes, std::size_t size) {
        std::memcpy(at, bytes.data(), Size);
        at += size;
    }

    template <typename Number>
    void putNumber(Number value, std::size_t sizeMax) {
        at = std::to_chars(at, at + sizeMax, value).ptr;
    }

private:
    char* at;
    std::string* buffer = nullptr;  // when writing into a stream
    tsOutputStream* out = nullptr;
    HRESULT result = S_OK;
};

constexpr std::size_t kIntegerSizeMax = 11;      // -2147483648
constexpr std::size_t kFloatSizeMax = 16;        // "NaN:0x7FC00000", quotes included
constexpr std::size_t kPlainIntegerSizeMax = 6;  // -99999, see isPlainInteger
constexpr std::size_t kTextByteSizeMax = 6;      // a byte written as a \u escape

// A byte of a Windows-1252 text as the text form writes it. Control characters, DEL and the
// C1 controls are \u escapes: they would be invisible in a diff.
struct WrittenByte {
    std::array<char, kTextByteSizeMax> bytes{};
    std::size_t size = 0;
};

constexpr char kHexDigits[] = "0123456789ABCDEF";

WrittenByte escapedCode(unsigned code) {
    return WrittenByte{{'\\', 'u', '0', '0', kHexDigits[code >> 4], kHexDigits[code & 0xF]}, 6};
}

std::array<WrittenByte, 256> makeWrittenBytes() {
    std::array<WrittenByte, 256> table{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        const std::string utf8 = utf8FromWindows1252(std::string(1, static_cast<char>(byte)));
        WrittenByte& written = table[byte];
        if (byte == '"' || byte == '\\') {
            written = WrittenByte{{'\\', static_cast<char>(byte)}, 2};
        } else if (byte < 0x20 || byte == 0x7F) {
            written = escapedCode(byte);
        } else if (static_cast<unsigned char>(utf8[0]) == 0xC2 &&
                   static_cast<unsigned char>(utf8[1]) < 0xA0) {
            written = escapedCode(static_cast<unsigned char>(utf8[1]));
        } else {
            utf8.copy(written.bytes.data(), utf8.size());
            written.size = utf8.size();
        }
    }
    return table;
}

void appendText(TextWriter& out, std::string_view windows1252) {
    static const std::array<WrittenByte, 256> kWritten = makeWrittenBytes();
    out.put('"');
    for (const char byte : windows1252) {
        const WrittenByte& written = kWritten[static_cast<unsigned char>(byte)];
        out.putFirst(written.bytes, written.size);  // there is room for a \u escape
    }
    out.put('"');
}

template <typename Integer>
void appendInteger(TextWriter& out, Integer value) {
    out.putNumber(value, kIntegerSizeMax);
}

// Whether the shortest form of value is the digits of the integer it is: below 100000,
// where "1e+04" is no shorter than "10000" and a tie goes to the plain digits. Negative zero
// is written as -0.
bool isPlainInteger(float value) {
    constexpr float kLimit = 100000;
    return std::abs(value) < kLimit &&
           static_cast<float>(static_cast<std::int32_t>(value)) == value &&
           !(value == 0 && std::signbit(value));
}

void appendFloat(TextWriter& out, float value) {
    if (std::isnan(value)) {
        const auto bits = std::bit_cast<std::uint32_t>(value);
        out.put("\"NaN:0x");
        for (int shift = 28; shift >= 0; shift -= 4) {
            out.put(kHexDigits[(bits >> shift) & 0xF]);
        }
        out.put('"');
    } else if (std::isinf(value)) {
        if (value > 0) {
            out.put("\"Infinity\"");
        } else {
            out.put("\"-Infinity\"");
        }
    } else if (isPlainInteger(value)) {
        // Most coordinates are whole pixels: written as the integer, which is the shortest
        // form of such a float, found faster.
        out.putNumber(static_cast<std::int32_t>(value), kPlainIntegerSizeMax);
    } else {
        out.putNumber(value, kFloatSizeMax);
    }
}

void appendTexture(TextWriter& out, const TextureEntry& texture) {
    out.put("    {\"id\": ");
    appendInteger(out, texture.id);
    out.put(", \"path\": ");
    appendText(out, texture.path);
    out.put(", \"widthIndex\": ");
    appendInteger(out, texture.widthIndex);
    out.put(", \"heightIndex\": ");
    appendInteger(out, texture.heightIndex);
    out.put(", \"format\": ");
    appendInteger(out, texture.format);
    out.put(", \"blendType\": ");
    appendInteger(out, texture.blendType);
    out.put('}');
}

void appendArea(TextWriter& out, const ResourceArea& area) {
    out.put("        {\"x1\": ");
    appendFloat(out, area.x1);
    out.put(", \"y1\": ");
    appendFloat(out, area.y1);
    out.put(", \"x2\": ");
    appendFloat(out, area.x2);
    out.put(", \"y2\": ");
    appendFloat(out, area.y2);
    out.put(", \"offsetX\": ");
    appendFloat(out, area.offsetX);
    out.put(", \"offsetY\": ");
    appendFloat(out, area.offsetY);
    out.put(", \"stretchX\": ");
    appendFloat(out, area.stretchX);
    out.put(", \"stretchY\": ");
    appendFloat(out, area.stretchY);
    out.put(", \"textureId\": ");
    appendInteger(out, area.textureId);
    out.put('}');
}

// "[]" when empty, else one element a line between the brackets, the closing one after
// indent.
template <std::size_t IndentSize, typename List, typename AppendElement>
void appendList(TextWriter& out, const List& list, const char (&indent)[IndentSize],
                AppendElement append) {
    if (list.empty()) {
        out.put("[]");
        return;
    }
    out.put("[\n");
    for (std::size_t i = 0; i < list.size(); ++i) {
        append(out, list[i]);
        if (i + 1 < list.size()) {
            out.put(",\n");
        } else {
            out.put('\n');
        }
    }
    out.put(indent);
    out.put(']');
}

void appendResource(TextWriter& out, const UiResource& resource) {
    out.put("    {\n      \"kind\": ");
    appendInteger(out, resource.kind);
    out.put(",\n      \"id\": ");
    appendInteger(out, resource.id);
    out.put(",\n      \"identifier\": ");
    appendText(out, resource.identifier);
    out.put(",\n      \"areas\": ");
    appendList(out, resource.areas, "      ", appendArea);
    out.put("\n    }");
}

// The room for what a list element's text can take, and for what the library's text takes
// beside its lists' elements (see writtenSizeBound).
std::size_t textureRoom(const TextureEntry& texture);
std::size_t resourceRoom(const UiResource& resource);
std::size_t libraryRoom(const ResourceLibrary& library);

void appendLibrary(TextWriter& out, const ResourceLibrary& library) {
    // Written into a stream, the room for the library's own pieces is kept beside that of
    // each list element, as they stand between the elements and after them.
    const std::size_t ownRoom = out.streams() ? libraryRoom(library) : 0;
    if (out.streams()) {
        out.makeRoom(ownRoom);
    }
    out.put("{\n  \"format\": ");
    appendText(out, kLibraryJsonFormat);
    out.put(",\n  \"version\": ");
    appendInteger(out, kLibraryJsonVersion);
    out.put(",\n  \"idStart\": ");
    appendInteger(out, library.idStart);
    out.put(",\n  \"name\": ");
    appendText(out, library.name);
    out.put(",\n  \"resourcePath\": ");
    appendText(out, library.resourcePath);
    out.put(",\n  \"textures\": ");
    appendList(out, library.textures, "  ", [ownRoom](TextWriter& text, const auto& texture) {
        if (text.streams()) {
            text.makeRoom(ownRoom + textureRoom(*texture));
        }
        appendTexture(text, *texture);
    });
    out.put(",\n  \"resources\": ");
    appendList(out, library.resources, "  ", [ownRoom](TextWriter& text, const auto& resource) {
        if (text.streams()) {
            text.makeRoom(ownRoom + resourceRoom(*resource));
        }
        appendResource(text, *resource);
    });
    out.put("\n}\n");
}

// The buffer is sized for the written text at its widest: every integer and every float
// that is no plain integer at its widest (any NaN is the widest float), every text byte a
// \u escape, and the fixed pieces, measured by writing an element with empty texts and lists.
// Floats are looked at one by one, since most are plain integers: a buffer much bigger than
// the text would cost more in fresh memory than the look.
constexpr std::size_t kSeparatorSizeMax = 2;    // ",\n" after an element of a list
constexpr std::size_t kFilledListExtraMax = 8;  // "[\n", indent and "]" instead of "[]"
constexpr std::size_t kElementSizeMax = 512;    // without texts and list elements

template <typename Element, typename Append>
std::size_t writtenSize(Append append, const Element& element) {
    std::array<char, kElementSizeMax> scratch{};
    TextWriter out(scratch.data());
    append(out, element);
    return static_cast<std::size_t>(out.position() - scratch.data());
}

constexpr std::int32_t kWidestInteger = std::numeric_limits<std::int32_t>::min();

std::size_t textureSizeMax() {
    TextureEntry texture;
    texture.id = texture.widthIndex = texture.heightIndex = texture.format = texture.blendType =
        kWidestInteger;
    texture.path.clear();
    return writtenSize(appendTexture, texture);
}

constexpr std::size_t kAreaFloatCount = 8;

// An area's size without its floats.
std::size_t areaSizeWithoutFloatsMax() {
    ResourceArea area;
    area.x1 = area.y1 = area.x2 = area.y2 = area.offsetX = area.offsetY = area.stretchX =
        area.stretchY = std::numeric_limits<float>::quiet_NaN();
    area.textureId = kWidestInteger;
    return writtenSize(appendArea, area) - kAreaFloatCount * kFloatSizeMax;
}

std::size_t floatSizeMax(float value) {
    return isPlainInteger(value) ? kPlainIntegerSizeMax : kFloatSizeMax;
}

std::size_t areaFloatsSizeMax(const ResourceArea& area) {
    return floatSizeMax(area.x1) + floatSizeMax(area.y1) + floatSizeMax(area.x2) +
           floatSizeMax(area.y2) + floatSizeMax(area.offsetX) + floatSizeMax(area.offsetY) +
           floatSizeMax(area.stretchX) + floatSizeMax(area.stretchY);
}

std::size_t resourceSizeMax() {
    UiResource resource;
    resource.kind = resource.id = kWidestInteger;
    resource.identifier.clear();
    return writtenSize(appendResource, resource);
}

std::size_t headerSizeMax() {
    ResourceLibrary library;
    library.idStart = std::numeric_limits<std::uint32_t>::max();
    library.name.clear();
    library.resourcePath.clear();
    return writtenSize(appendLibrary, library);
}

std::size_t textureRoom(const TextureEntry& texture) {
    static const std::size_t fixed = textureSizeMax() + kSeparatorSizeMax;
    return fixed + kTextByteSizeMax * texture.path.size();
}

std::size_t resourceRoom(const UiResource& resource) {
    static const std::size_t fixed = resourceSizeMax() + kSeparatorSizeMax + kFilledListExtraMax;
    static const std::size_t area = areaSizeWithoutFloatsMax() + kSeparatorSizeMax;
    std::size_t size =
        fixed + area * resource.areas.size() + kTextByteSizeMax * resource.identifier.size();
    for (const ResourceArea& each : resource.areas) {
        size += areaFloatsSizeMax(each);
    }
    return size;
}

std::size_t libraryRoom(const ResourceLibrary& library) {
    static const std::size_t fixed =
        headerSizeMax() + 2 * kFilledListExtraMax +
        kTextByteSizeMax * std::char_traits<char>::length(kLibraryJsonFormat);
    return fixed + kTextByteSizeMax * (library.name.size() + library.resourcePath.size());
}

std::size_t writtenSizeBound(const ResourceLibrary& library) {
    std::size_t size = libraryRoom(library);
    for (const auto& entry : library.textures) {
        size += textureRoom(*entry);
    }
    for (const auto& entry : library.resources) {
        size += resourceRoom(*entry);
    }
    return size;
}

// The buffer a text written into a stream goes through.
constexpr std::size_t kStreamBufferSize = std::size_t{1} << 20;

}  // namespace

std::string libraryToJson(const ResourceLibrary& library) {
    std::string text(writtenSizeBound(library), '\0');
    TextWriter out(text.data());
    appendLibrary(out, library);
    text.resize(static_cast<std::size_t>(out.position() - text.data()));
    return text;
}

HRESULT writeLibraryJson(const ResourceLibrary& library, tsOutputStream& out) {
    std::string buffer(kStreamBufferSize, '\0');
    TextWriter text(buffer, out);
    appendLibrary(text, library);
    return text.flush();
}
