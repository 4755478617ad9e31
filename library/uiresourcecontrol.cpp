#include "library/uiresourcecontrol.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "library/FieldIo.h"
#include "persistence/trace.h"

namespace {

constexpr const char* kSource = "library\\uiresourcecontrol.cpp";
constexpr int kBadMagicLine = 45;
constexpr int kBadVersionLine = 59;
constexpr int kBadMagicAssertLine = 99;

// Older versions store one size code for width and height; only 0 to 4 were valid then.
constexpr std::int32_t kLargestOldSizeCode = 4;

// Room made for a resource's areas before they are read; a damaged count asks for no more.
constexpr std::uint32_t kAreasReservedAtOnce = 64;

// Reads count records into list, each created with its initial values. A record that
// fails to arrive in full is kept as far as it came, and nothing after it is created, so
// a damaged count cannot make the reader loop on past the end of the stream.
template <typename Record, typename List>
HRESULT readRecords(tsInputStream& stream, std::uint32_t version, std::uint32_t count, List& list) {
    for (std::uint32_t i = 0; i < count; ++i) {
        auto record = std::make_unique<Record>();
        const HRESULT result = record->read(stream, version);
        list.push_back(std::move(record));
        if (FAILED(result)) {
            return result;
        }
    }
    return S_OK;
}

}  // namespace

std::uint32_t textureSizePixels(std::int32_t index) {
    return index >= 0 && index <= 7 ? 16u << index : 0u;
}

HRESULT TextureEntry::read(tsInputStream& stream, std::uint32_t version) {
    FieldReader in(stream);
    in.readInt32(id);
    in.readText(path);
    if (version >= 3) {
        in.readInt32(widthIndex);
        in.readInt32(heightIndex);
        in.readInt32(format);
        in.readInt32(blendType);
        return in.result();
    }
    std::uint32_t ignored = 0;
    std::int32_t sizeCode = -1;
    in.readUInt32(ignored);
    in.readInt32(format);
    if (in.readInt32(sizeCode) && sizeCode >= 0 && sizeCode <= kLargestOldSizeCode) {
        widthIndex = sizeCode;
        heightIndex = sizeCode;
    }
    in.readInt32(blendType);
    return in.result();
}

HRESULT TextureEntry::write(tsOutputStream& stream) const {
    FieldWriter out(stream);
    out.writeInt32(id);
    out.writeText(path);
    out.writeInt32(widthIndex);
    out.writeInt32(heightIndex);
    out.writeInt32(format);
    out.writeInt32(blendType);
    return out.result();
}

HRESULT ResourceArea::read(tsInputStream& stream, std::uint32_t version) {
    FieldReader in(stream);
    in.readFloat(x1);
    in.readFloat(y1);
    in.readFloat(x2);
    in.readFloat(y2);
    in.readFloat(offsetX);
    in.readFloat(offsetY);
    if (version >= 2) {
        in.readFloat(stretchX);
        in.readFloat(stretchY);
    }
    in.readInt32(textureId);
    return in.result();
}

HRESULT ResourceArea::write(tsOutputStream& stream) const {
    FieldWriter out(stream);
    out.writeFloat(x1);
    out.writeFloat(y1);
    out.writeFloat(x2);
    out.writeFloat(y2);
    out.writeFloat(offsetX);
    out.writeFloat(offsetY);
    out.writeFloat(stretchX);
    out.writeFloat(stretchY);
    out.writeInt32(textureId);
    return out.result();
}

HRESULT UiResource::read(tsInputStream& stream, std::uint32_t version) {
    FieldReader in(stream);
    std::uint32_t areaCount = 0;  // an unreadable count means no areas
    in.readInt32(kind);
    in.readInt32(id);
    in.readText(identifier);
    in.readUInt32(areaCount);
    if (!in.ok()) {
        return in.result();
    }
    areas.reserve(areas.size() + std::min(areaCount, kAreasReservedAtOnce));
    for (std::uint32_t i = 0; i < areaCount; ++i) {
        ResourceArea area;
        const HRESULT result = area.read(stream, version);
        areas.push_back(area);
        if (FAILED(result)) {
            return result;
        }
    }
    return S_OK;
}

HRESULT UiResource::write(tsOutputStream& stream) const {
    FieldWriter out(stream);
    out.writeInt32(kind);
    out.writeInt32(id);
    out.writeText(identifier);
    out.writeUInt32(static_cast<std::uint32_t>(areas.size()));
    for (const ResourceArea& area : areas) {
        out.writeRecord(area);
    }
    return out.result();
}

HRESULT ResourceLibrary::load(tsInputStream& stream) {
    FieldReader in(stream);
    std::uint8_t magic[sizeof kLibraryMagic] = {};
    if (!in.readBytes(magic, sizeof magic) ||
        std::memcmp(magic, kLibraryMagic, sizeof kLibraryMagic) != 0) {
        TRACE_ERROR(kSource, kBadMagicLine, "Not a valid resource file format.\n");
        ASSERT_HRESULT(E_FAIL, kSource, kBadMagicAssertLine);
        return E_FAIL;
    }
    std::uint32_t version = 0;
    if (!in.readUInt32(version) || version < kOldestLibraryVersion || version > kLibraryVersion) {
        TRACE_ERROR(kSource, kBadVersionLine, "Not supported file version.\n");
        return E_FAIL;
    }

    // From here on a short file is no failure: what could not be read keeps its value.
    in.readUInt32(idStart);
    in.readText(name);
    in.readText(resourcePath);
    std::uint32_t textureTotal = 0;
    if (in.readUInt32(textureTotal) &&
        SUCCEEDED(readRecords<TextureEntry>(stream, version, textureTotal, textures))) {
        std::uint32_t resourceTotal = 0;
        if (in.readUInt32(resourceTotal)) {
            readRecords<UiResource>(stream, version, resourceTotal, resources);
        }
    }
    return S_OK;
}

HRESULT ResourceLibrary::save(tsOutputStream& stream) const {
    FieldWriter out(stream);
    out.writeBytes(kLibraryMagic, sizeof kLibraryMagic);
    out.writeUInt32(kLibraryVersion);
    out.writeUInt32(idStart);
    out.writeText(name);
    out.writeText(resourcePath);
    out.writeUInt32(textureCount());
    for (const auto& texture : textures) {
        out.writeRecord(*texture);
    }
    out.writeUInt32(resourceCount());
    for (const auto& resource : resources) {
        out.writeRecord(*resource);
    }
    return out.result();
}

void ResourceLibrary::clear() {
    textures.clear();
    resources.clear();
}

void ResourceLibrary::swap(ResourceLibrary& other) noexcept {
    std::swap(idStart, other.idStart);
    name.swap(other.name);
    resourcePath.swap(other.resourcePath);
    textures.swap(other.textures);
    resources.swap(other.resources);
}
