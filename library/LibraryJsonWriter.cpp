#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "library/LibraryJson.h"
#include "library/Windows1252.h"

namespace {

// Control characters, DEL and the C1 controls are written as \u escapes: they would be
// invisible in a diff.
void appendEscapedCode(std::string& out, unsigned code) {
    std::array<char, 8> escape{};
    std::snprintf(escape.data(), escape.size(), "\\u%04X", code);
    out += escape.data();
}

void appendText(std::string& out, const std::string& windows1252) {
    const std::string utf8 = utf8FromWindows1252(windows1252);
    out += '"';
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += static_cast<char>(byte);
        } else if (byte < 0x20 || byte == 0x7F) {
            appendEscapedCode(out, byte);
        } else if (byte == 0xC2 && i + 1 < utf8.size() &&
                   static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
            appendEscapedCode(out, static_cast<unsigned char>(utf8[++i]));
        } else {
            out += static_cast<char>(byte);
        }
    }
    out += '"';
}

template <typename Integer>
void appendInteger(std::string& out, Integer value) {
    std::array<char, 16> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    out.append(digits.data(), end);
}

void appendFloat(std::string& out, float value) {
    if (std::isnan(value)) {
        std::array<char, 24> text{};
        std::snprintf(text.data(), text.size(), "\"NaN:0x%08X\"",
                      static_cast<unsigned>(std::bit_cast<std::uint32_t>(value)));
        out += text.data();
    } else if (std::isinf(value)) {
        out += value > 0 ? "\"Infinity\"" : "\"-Infinity\"";
    } else {
        std::array<char, 32> digits{};
        const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
        out.append(digits.data(), end);
    }
}

// Writes "name": value pairs, separated as the layout asks.
class ObjectWriter {
public:
    ObjectWriter(std::string& out, const char* separator) : out(out), separator(separator) {}

    std::string& field(const char* name) {
        if (!first) {
            out += separator;
        }
        first = false;
        out += '"';
        out += name;
        out += "\": ";
        return out;
    }

private:
    std::string& out;
    const char* separator;
    bool first = true;
};

void appendTexture(std::string& out, const TextureEntry& texture) {
    out += "    {";
    ObjectWriter fields(out, ", ");
    appendInteger(fields.field("id"), texture.id);
    appendText(fields.field("path"), texture.path);
    appendInteger(fields.field("widthIndex"), texture.widthIndex);
    appendInteger(fields.field("heightIndex"), texture.heightIndex);
    appendInteger(fields.field("format"), texture.format);
    appendInteger(fields.field("blendType"), texture.blendType);
    out += '}';
}

void appendArea(std::string& out, const ResourceArea& area) {
    out += "        {";
    ObjectWriter fields(out, ", ");
    appendFloat(fields.field("x1"), area.x1);
    appendFloat(fields.field("y1"), area.y1);
    appendFloat(fields.field("x2"), area.x2);
    appendFloat(fields.field("y2"), area.y2);
    appendFloat(fields.field("offsetX"), area.offsetX);
    appendFloat(fields.field("offsetY"), area.offsetY);
    appendFloat(fields.field("stretchX"), area.stretchX);
    appendFloat(fields.field("stretchY"), area.stretchY);
    appendInteger(fields.field("textureId"), area.textureId);
    out += '}';
}

// "[]" when empty, else one element a line between the brackets, closed at indent.
template <typename List, typename AppendElement>
void appendList(std::string& out, const List& list, const char* indent, AppendElement append) {
    if (list.empty()) {
        out += "[]";
        return;
    }
    out += "[\n";
    for (std::size_t i = 0; i < list.size(); ++i) {
        append(out, list[i]);
        out += i + 1 < list.size() ? ",\n" : "\n";
    }
    out += indent;
    out += ']';
}

void appendResource(std::string& out, const UiResource& resource) {
    out += "    {\n      ";
    ObjectWriter fields(out, ",\n      ");
    appendInteger(fields.field("kind"), resource.kind);
    appendInteger(fields.field("id"), resource.id);
    appendText(fields.field("identifier"), resource.identifier);
    appendList(fields.field("areas"), resource.areas, "      ", appendArea);
    out += "\n    }";
}

void appendLibrary(std::string& out, const ResourceLibrary& library) {
    out += "{\n  ";
    ObjectWriter fields(out, ",\n  ");
    appendText(fields.field("format"), kLibraryJsonFormat);
    appendInteger(fields.field("version"), kLibraryJsonVersion);
    appendInteger(fields.field("idStart"), library.idStart);
    appendText(fields.field("name"), library.name);
    appendText(fields.field("resourcePath"), library.resourcePath);
    appendList(fields.field("textures"), library.textures, "  ",
               [](std::string& text, const auto& texture) { appendTexture(text, *texture); });
    appendList(fields.field("resources"), library.resources, "  ",
               [](std::string& text, const auto& resource) { appendResource(text, *resource); });
    out += "\n}\n";
}

// The text is written into one allocation of at least its size. Grown step by step, a big
// library's text would be copied into fresh memory at every doubling, which beyond the
// processor's cache makes each resource cost more the more there are.
constexpr std::size_t kTextByteSizeMax = 6;     // a byte written as a \u escape
constexpr std::size_t kSeparatorSizeMax = 2;    // ",\n" after an element of a list
constexpr std::size_t kFilledListExtraMax = 8;  // "[\n", indent and "]" instead of "[]"

template <typename Element, typename Append>
std::size_t writtenSize(Append append, const Element& element) {
    std::string text;
    append(text, element);
    return text.size();
}

// The written sizes with every number at its widest (any NaN is the widest float), every text
// empty and every list empty.
constexpr std::int32_t kWidestInteger = std::numeric_limits<std::int32_t>::min();

std::size_t textureSizeMax() {
    TextureEntry texture;
    texture.id = texture.widthIndex = texture.heightIndex = texture.format = texture.blendType =
        kWidestInteger;
    return writtenSize(appendTexture, texture);
}

std::size_t areaSizeMax() {
    ResourceArea area;
    area.x1 = area.y1 = area.x2 = area.y2 = area.offsetX = area.offsetY = area.stretchX =
        area.stretchY = std::numeric_limits<float>::quiet_NaN();
    area.textureId = kWidestInteger;
    return writtenSize(appendArea, area);
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
    return writtenSize(appendLibrary, library);
}

std::size_t writtenSizeBound(const ResourceLibrary& library) {
    static const std::size_t texture = textureSizeMax() + kSeparatorSizeMax;
    static const std::size_t area = areaSizeMax() + kSeparatorSizeMax;
    static const std::size_t resource = resourceSizeMax() + kSeparatorSizeMax + kFilledListExtraMax;
    static const std::size_t header = headerSizeMax() + 2 * kFilledListExtraMax;
    std::size_t size =
        header + kTextByteSizeMax * (library.name.size() + library.resourcePath.size());
    for (const auto& entry : library.textures) {
        size += texture + kTextByteSizeMax * entry->path.size();
    }
    for (const auto& entry : library.resources) {
        size += resource + area * entry->areas.size() + kTextByteSizeMax * entry->identifier.size();
    }
    return size;
}

}  // namespace

std::string libraryToJson(const ResourceLibrary& library) {
    std::string out;
    out.reserve(writtenSizeBound(library));
    appendLibrary(out, library);
    return out;
}
