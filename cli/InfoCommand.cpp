#include <array>
#include <charconv>
#include <cstdint>
#include <iostream>
#include <string>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "library/Windows1252.h"

namespace {

std::string text(const std::string& windows1252) {
    return '"' + utf8FromWindows1252(windows1252) + '"';
}

// The shortest form that reads back as the same float.
std::string number(float value) {
    std::array<char, 32> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    return std::string(buffer.data(), end);
}

std::string sizeName(std::int32_t index) {
    const std::uint32_t pixels = textureSizePixels(index);
    return pixels != 0 ? std::to_string(pixels) : "? (Index " + std::to_string(index) + ")";
}

template <std::size_t N>
std::string choiceName(const std::array<const char*, N>& names, std::int32_t value) {
    return value >= 0 && static_cast<std::size_t>(value) < N
               ? names[static_cast<std::size_t>(value)]
               : "? (" + std::to_string(value) + ")";
}

constexpr std::array<const char*, 3> kFormatNames = {"BMP", "TGA", "PNG"};
constexpr std::array<const char*, 3> kBlendTypeNames = {"Solid", "Transparent",
                                                        "Transparent Additive"};

void printTexture(const TextureEntry& texture) {
    std::cout << "  Textur " << texture.id << ": Pfad " << text(texture.path) << ", "
              << sizeName(texture.widthIndex) << " x " << sizeName(texture.heightIndex)
              << " Pixel, Format " << choiceName(kFormatNames, texture.format) << ", Typ "
              << choiceName(kBlendTypeNames, texture.blendType) << '\n';
}

void printArea(const ResourceArea& area) {
    std::cout << "    Bereich: X1 " << number(area.x1) << ", Y1 " << number(area.y1) << ", X2 "
              << number(area.x2) << ", Y2 " << number(area.y2) << ", X Offset "
              << number(area.offsetX) << ", Y Offset " << number(area.offsetY) << ", Streckung X "
              << number(area.stretchX) << ", Streckung Y " << number(area.stretchY) << ", Textur "
              << area.textureId << '\n';
}

void printResource(const UiResource& resource) {
    std::cout << "  Ressource " << resource.id << ": Art " << resource.kind << ", Bezeichner "
              << text(resource.identifier) << ", " << resource.areas.size() << " Bereich(e)\n";
    for (const ResourceArea& area : resource.areas) {
        printArea(area);
    }
}

}  // namespace

int runInfo(const Arguments& arguments) {
    ResourceLibrary library;
    const LoadStatus status = loadLibraryOrReport(arguments[0], library);
    if (status == LoadStatus::Failed) {
        return kExitFileError;
    }
    std::cout << "Name der GUI-Biliothek: " << text(library.name) << '\n'
              << "Id Startzahl: " << library.idStart << '\n'
              << "lokaler Ressourcepfad: " << text(library.resourcePath) << '\n'
              << "Texturen: " << library.textureCount() << '\n';
    for (const auto& texture : library.textures) {
        printTexture(*texture);
    }
    std::cout << "Ressourcen: " << library.resourceCount() << '\n';
    for (const auto& resource : library.resources) {
        printResource(*resource);
    }
    // What a file cut short held is shown all the same; the status still tells.
    return std::cout.flush() && status == LoadStatus::Loaded ? kExitSuccess : kExitFileError;
}
