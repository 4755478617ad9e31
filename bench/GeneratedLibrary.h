#pragma once

#include <cstdint>
#include <memory>

#include "library/uiresourcecontrol.h"

// A synthetic library for benchmarks: resourceCount buttons, each with
// kGeneratedAreasPerResource areas cut from the kGeneratedTextureCount textures. Resource ids
// count up from the library's idStart and identifiers are unique and valid, so the library
// passes a check apart from its texture files, which do not exist. No text is empty, so each
// text costs one prefix transfer and one text transfer each way.
inline constexpr std::uint32_t kGeneratedAreasPerResource = 8;
inline constexpr std::uint32_t kGeneratedTextureCount = 4;

std::unique_ptr<ResourceLibrary> makeGeneratedLibrary(std::uint32_t resourceCount);
