#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "library/uiresourcecontrol.h"

// Appends a resource or a texture to a library built in memory.

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
