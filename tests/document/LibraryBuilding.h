#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "library/uiresourcecontrol.h"

// Appends a resource or a texture to a library built in memory, and makes areas.

inline void addResource(ResourceLibrary& library, std::int32_t id, const std::string& identifier) {
    auto resource = std::make_unique<UiResource>();
    resource->id = id;
    resource->identifier = identifier;
    library.resources.push_back(std::move(resource));
}

inline void addTexture(ResourceLibrary& library, const std::string& path) {
    auto texture = std::make_unique<TextureEntry>();
    texture->path = path;
    library.textures.push_back(std::move(texture));
}

// An area cutting (x1, y1)-(x2, y2) out of texture textureId, the rest as a new area has it.
inline ResourceArea areaOf(float x1, float y1, float x2, float y2, std::int32_t textureId = 0) {
    ResourceArea area;
    area.x1 = x1;
    area.y1 = y1;
    area.x2 = x2;
    area.y2 = y2;
    area.textureId = textureId;
    return area;
}
