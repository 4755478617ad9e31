#include "ui/texture_editor/PreviewScene.h"

#include <algorithm>
#include <unordered_set>

#include "document/TextureFiles.h"

namespace {

constexpr int kSizeIndexCount = 8;  // 16, 32, ... 2048 pixels

int sizeOfIndex(std::int32_t index) {
    return index >= 0 && index < kSizeIndexCount ? 16 << index : 0;
}

}  // namespace

int PreviewScene::firstSelected() const {
    return selectedRows.empty() ? -1 : selectedRows.front();
}

bool PreviewScene::isSelected(int row) const {
    return std::binary_search(selectedRows.begin(), selectedRows.end(), row);
}

int PreviewScene::shownRow() const {
    const int first = firstSelected();
    if (first >= 0 && first < static_cast<int>(areas.size())) {
        return first;
    }
    return areas.empty() ? -1 : 0;
}

const PreviewTexture* PreviewScene::textureOf(std::int32_t textureId) const {
    for (auto texture = textures.rbegin(); texture != textures.rend(); ++texture) {
        if (texture->id == textureId) {
            return &*texture;
        }
    }
    return nullptr;
}

PreviewScene BuildPreviewScene(const ResourceLibrary& library, const std::string& libraryFile,
                               const UiResource* resource, std::vector<int> selectedRows,
                               WorkingArea working, std::optional<std::int32_t> wantedTexture) {
    PreviewScene scene;
    if (resource == nullptr) {
        return scene;
    }
    scene.hasResource = true;
    scene.id = resource->id;
    scene.identifier = resource->identifier;
    scene.areas = resource->areas;
    std::sort(selectedRows.begin(), selectedRows.end());
    scene.selectedRows = std::move(selectedRows);
    if (working.area != nullptr) {
        if (working.row >= 0 && working.row < static_cast<int>(scene.areas.size())) {
            scene.areas[static_cast<std::size_t>(working.row)] = *working.area;
            scene.selectedRows = {working.row};
        } else {
            scene.areas.push_back(*working.area);
            scene.selectedRows = {static_cast<int>(scene.areas.size()) - 1};
        }
    }
    scene.textureChoices.reserve(library.textures.size());
    for (const auto& texture : library.textures) {
        scene.textureChoices.emplace_back(texture->id, texture->path);
    }
    const auto inLibrary = [&scene](std::int32_t id) {
        return std::any_of(scene.textureChoices.begin(), scene.textureChoices.end(),
                           [id](const auto& choice) { return choice.first == id; });
    };
    if (wantedTexture && inLibrary(*wantedTexture)) {
        scene.shownTexture = wantedTexture;
    } else if (scene.shownRow() >= 0) {
        scene.shownTexture = scene.areas[static_cast<std::size_t>(scene.shownRow())].textureId;
    } else if (!scene.textureChoices.empty()) {
        scene.shownTexture = scene.textureChoices.front().first;
    }
    // Only the textures the areas name and the one shown: a keystroke must not work through
    // a big texture table.
    std::unordered_set<std::int32_t> named;
    for (const ResourceArea& area : scene.areas) {
        named.insert(area.textureId);
    }
    if (scene.shownTexture) {
        named.insert(*scene.shownTexture);
    }
    TextureFileFinder finder;
    for (const auto& texture : library.textures) {
        if (!named.contains(texture->id)) {
            continue;
        }
        scene.textures.push_back({texture->id, texture->path,
                                  finder.places(library.resourcePath + texture->path, libraryFile),
                                  sizeOfIndex(texture->widthIndex),
                                  sizeOfIndex(texture->heightIndex), texture->format,
                                  texture->blendType});
    }
    return scene;
}
