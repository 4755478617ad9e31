#include "document/AreaClipboard.h"

#include <algorithm>
#include <set>
#include <utility>

#include "document/AreaListChange.h"
#include "document/ChangeSequence.h"
#include "document/TextureTableChange.h"
#include "library/LibraryJson.h"

namespace {

// The row of library's table an area with textureId cuts from: the last with that id, as the
// area list and the preview take it.
const TextureEntry* textureWithId(const ResourceLibrary& library, std::int32_t textureId) {
    const TextureEntry* found = nullptr;
    for (const auto& texture : library.textures) {
        if (texture->id == textureId) {
            found = texture.get();
        }
    }
    return found;
}

std::int32_t freeTextureId(const std::set<std::int32_t>& taken) {
    std::int32_t id = 0;
    while (taken.contains(id)) {
        ++id;
    }
    return id;
}

}  // namespace

std::string AreasAsText(const ResourceLibrary& library, const UiResource& resource,
                        const std::vector<std::size_t>& rows) {
    ResourceLibrary copied;
    copied.idStart = library.idStart;
    copied.name = library.name;
    copied.resourcePath = library.resourcePath;
    auto holder = std::make_unique<UiResource>();
    holder->kind = resource.kind;
    holder->id = resource.id;
    holder->identifier = resource.identifier;
    std::set<std::int32_t> named;
    for (const std::size_t row : rows) {
        const ResourceArea& area = resource.areas.at(row);
        holder->areas.push_back(area);
        if (!named.insert(area.textureId).second) {
            continue;
        }
        if (const TextureEntry* texture = textureWithId(library, area.textureId)) {
            copied.textures.push_back(std::make_unique<TextureEntry>(*texture));
        }
    }
    copied.resources.push_back(std::move(holder));
    return libraryToJson(copied);
}

AreaPaste PlanAreaPaste(const ResourceLibrary& target, std::size_t resourceIndex,
                        const ResourceLibrary& copied) {
    AreaPaste paste;
    const std::vector<ResourceArea>& before = target.resources.at(resourceIndex)->areas;
    std::vector<ResourceArea> after = before;
    std::set<std::int32_t> taken;
    for (const auto& texture : target.textures) {
        taken.insert(texture->id);
    }
    std::vector<std::pair<std::int32_t, std::int32_t>> renamed;  // copied id, target id
    for (const auto& resource : copied.resources) {
        for (ResourceArea area : resource->areas) {
            const auto known = std::find_if(renamed.begin(), renamed.end(), [&area](const auto& r) {
                return r.first == area.textureId;
            });
            if (known != renamed.end()) {
                area.textureId = known->second;
            } else if (const TextureEntry* texture = textureWithId(copied, area.textureId)) {
                const TextureEntry* there = textureWithId(target, area.textureId);
                std::int32_t id = area.textureId;
                if (there == nullptr || there->path != texture->path) {
                    TextureEntry added = *texture;
                    added.id = taken.contains(id) ? freeTextureId(taken) : id;
                    taken.insert(added.id);
                    paste.addedTextures.push_back(added);
                    id = added.id;
                }
                renamed.emplace_back(area.textureId, id);
                area.textureId = id;
            }
            paste.rows.push_back(static_cast<int>(after.size()));
            after.push_back(area);
        }
    }
    if (paste.rows.empty()) {
        return paste;
    }
    std::vector<std::unique_ptr<LibraryChange>> changes;
    if (!paste.addedTextures.empty()) {
        ResourceLibrary table;
        for (const auto& texture : target.textures) {
            table.textures.push_back(std::make_unique<TextureEntry>(*texture));
        }
        for (const TextureEntry& added : paste.addedTextures) {
            table.textures.push_back(std::make_unique<TextureEntry>(added));
        }
        changes.push_back(std::make_unique<TextureTableChange>(
            TextureTableChange::between(TextureTableChange::rowsOf(target), table)));
    }
    changes.push_back(std::make_unique<AreaListChange>(resourceIndex, before, std::move(after)));
    paste.step = std::make_unique<ChangeSequence>(std::move(changes));
    return paste;
}
