#include "bench/GeneratedLibrary.h"

#include <string>

namespace {

constexpr std::uint32_t kIdStart = 1000;
constexpr float kCellSize = 32.0f;
constexpr std::uint32_t kRowsPerTexture = 8;

std::unique_ptr<TextureEntry> makeTexture(std::int32_t id) {
    auto texture = std::make_unique<TextureEntry>();
    texture->id = id;
    texture->path = "textures\\gui_" + std::to_string(id) + ".png";
    texture->widthIndex = 4;   // 256 pixels: one row of eight cells
    texture->heightIndex = 4;  // 256 pixels: eight rows
    return texture;
}

// The areas of a button sit side by side in one row of cells; the row and the texture
// change from button to button so that the values vary.
ResourceArea makeArea(std::uint32_t resourceIndex, std::uint32_t areaIndex) {
    ResourceArea area;
    area.x1 = static_cast<float>(areaIndex) * kCellSize;
    area.y1 = static_cast<float>(resourceIndex % kRowsPerTexture) * kCellSize;
    area.x2 = area.x1 + kCellSize;
    area.y2 = area.y1 + kCellSize;
    area.offsetX = static_cast<float>(areaIndex) * 0.5f;
    area.offsetY = -static_cast<float>(areaIndex) * 0.25f;
    area.stretchX = 1.0f + static_cast<float>(areaIndex) * 0.125f;
    area.stretchY = 1.0f;
    area.textureId =
        static_cast<std::int32_t>(resourceIndex / kRowsPerTexture % kGeneratedTextureCount);
    return area;
}

std::unique_ptr<UiResource> makeResource(std::uint32_t index) {
    auto resource = std::make_unique<UiResource>();
    resource->id = static_cast<std::int32_t>(kIdStart + index);
    resource->identifier = "Button_" + std::to_string(index);
    resource->areas.reserve(kGeneratedAreasPerResource);
    for (std::uint32_t area = 0; area < kGeneratedAreasPerResource; ++area) {
        resource->areas.push_back(makeArea(index, area));
    }
    return resource;
}

}  // namespace

std::unique_ptr<ResourceLibrary> makeGeneratedLibrary(std::uint32_t resourceCount) {
    auto library = std::make_unique<ResourceLibrary>();
    library->idStart = kIdStart;
    library->name = "Benchmark";
    library->resourcePath = "gui\\";
    for (std::uint32_t id = 0; id < kGeneratedTextureCount; ++id) {
        library->textures.push_back(makeTexture(static_cast<std::int32_t>(id)));
    }
    library->resources.reserve(resourceCount);
    for (std::uint32_t index = 0; index < resourceCount; ++index) {
        library->resources.push_back(makeResource(index));
    }
    return library;
}
