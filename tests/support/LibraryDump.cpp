#include "support/LibraryDump.h"

#include <bit>
#include <sstream>

namespace {

std::string bits(float value) {
    std::ostringstream out;
    out << value << "/" << std::hex << std::bit_cast<std::uint32_t>(value);
    return out.str();
}

}  // namespace

std::string dumpLibrary(const ResourceLibrary& library) {
    std::ostringstream out;
    out << "library idStart=" << library.idStart << " name='" << library.name << "' path='"
        << library.resourcePath << "'\n";
    for (const auto& texture : library.textures) {
        out << "texture id=" << texture->id << " path='" << texture->path
            << "' w=" << texture->widthIndex << " h=" << texture->heightIndex
            << " format=" << texture->format << " blend=" << texture->blendType << "\n";
    }
    for (const auto& resource : library.resources) {
        out << "resource kind=" << resource->kind << " id=" << resource->id << " identifier='"
            << resource->identifier << "'\n";
        for (const ResourceArea& area : resource->areas) {
            out << "  area " << bits(area.x1) << " " << bits(area.y1) << " " << bits(area.x2) << " "
                << bits(area.y2) << " " << bits(area.offsetX) << " " << bits(area.offsetY) << " "
                << bits(area.stretchX) << " " << bits(area.stretchY)
                << " texture=" << area.textureId << "\n";
        }
    }
    return out.str();
}
