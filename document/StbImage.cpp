// The image decoder from Debian's libstb-dev, compiled here rather than linked from its shared
// library, so that our sanitizer and fuzzing builds instrument it and our size limit holds.
// Only the formats a texture table can name are built in; pictures come from memory.

#include <cassert>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "document/TextureDecoding.h"

namespace {

// The decoder copies nothing from a null pointer where a PNG's first data chunk is empty;
// memcpy must not be given one even then, so copies of nothing are skipped.
void* copyBytes(void* to, const void* from, std::size_t count) {
    return count == 0 ? to : std::memcpy(to, from, count);
}

}  // namespace

#define memcpy copyBytes

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_SIMD
#define STBI_MAX_DIMENSIONS kMaxTextureSide
#include <stb/stb_image.h>
