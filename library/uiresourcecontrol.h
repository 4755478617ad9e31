#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "persistence/tsStream.h"

// The in-memory form of one GUI resource library. Texts are held as the file's bytes
// (Windows-1252); the model checks no ranges and keeps no index by id.

// The oldest and newest file versions the reader takes; the writer writes the newest.
inline constexpr std::uint32_t kOldestLibraryVersion = 1;
inline constexpr std::uint32_t kLibraryVersion = 3;
// The 16 bytes every library file starts with.
inline constexpr std::uint8_t kLibraryMagic[16] = {0x39, 0xF9, 0xB3, 0x0A, 0x62, 0x93, 0xD1, 0x11,
                                                   0x9A, 0x2B, 0x08, 0x00, 0x00, 0x30, 0x05, 0x12};

// One texture of the table.
class TextureEntry {
public:
    virtual ~TextureEntry() = default;
    virtual HRESULT read(tsInputStream& stream, std::uint32_t version);
    virtual HRESULT write(tsOutputStream& stream) const;
    bool operator==(const TextureEntry&) const = default;

    std::int32_t id = 0;
    std::string path;
    std::int32_t widthIndex = 4;  // index into the size list: 16 << index pixels
    std::int32_t heightIndex = 4;
    std::int32_t format = 2;     // 0 BMP, 1 TGA, 2 PNG
    std::int32_t blendType = 1;  // 0 Solid, 1 Transparent, 2 Transparent Additive
};

// A rectangle cut out of a texture, with its placement and stretch.
class ResourceArea {
public:
    virtual ~ResourceArea() = default;
    ResourceArea() = default;
    ResourceArea(const ResourceArea&) = default;
    ResourceArea& operator=(const ResourceArea&) = default;

    virtual HRESULT read(tsInputStream& stream, std::uint32_t version);
    virtual HRESULT write(tsOutputStream& stream) const;

    bool operator==(const ResourceArea&) const = default;

    float width() const { return x2 - x1; }
    float height() const { return y2 - y1; }

    float x1 = 0.0f;
    float y1 = 0.0f;
    float x2 = 0.0f;
    float y2 = 0.0f;
    float offsetX = 0.0f;
    float offsetY = 0.0f;
    float stretchX = 1.0f;
    float stretchY = 1.0f;
    std::int32_t textureId = 0;
};

// One GUI resource; kind 0 is a button.
class UiResource {
public:
    virtual ~UiResource() = default;
    virtual HRESULT read(tsInputStream& stream, std::uint32_t version);
    virtual HRESULT write(tsOutputStream& stream) const;

    std::int32_t kind = 0;
    std::int32_t id = 0;
    std::string identifier = "unbenannt";
    std::vector<ResourceArea> areas;
};

class ResourceLibrary {
public:
    ResourceLibrary() = default;
    virtual ~ResourceLibrary() = default;
    ResourceLibrary(const ResourceLibrary&) = delete;
    ResourceLibrary& operator=(const ResourceLibrary&) = delete;

    // Adds what the stream holds to the lists and overwrites the header fields.
    // E_FAIL for a stream that is not a library or has an unsupported version.
    virtual HRESULT load(tsInputStream& stream);
    // Writes the newest version; the code of the first write that failed, or S_OK.
    virtual HRESULT save(tsOutputStream& stream) const;

    // Destroys every texture and resource; the header fields stay.
    void clear();
    // Exchanges everything, header fields and records, with other.
    void swap(ResourceLibrary& other) noexcept;
    std::uint32_t textureCount() const { return static_cast<std::uint32_t>(textures.size()); }
    std::uint32_t resourceCount() const { return static_cast<std::uint32_t>(resources.size()); }

    std::uint32_t idStart = 0;
    std::string name;
    std::string resourcePath;
    std::vector<std::unique_ptr<TextureEntry>> textures;
    std::vector<std::unique_ptr<UiResource>> resources;
};

// Pixels for a width or height index (16 << index), or 0 outside the list of 0 to 7.
std::uint32_t textureSizePixels(std::int32_t index);
