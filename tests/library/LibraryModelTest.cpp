#include <gtest/gtest.h>

#include "library/uiresourcecontrol.h"

namespace {

TEST(LibraryModel, NewRecordsHoldTheirInitialValues) {
    const ResourceLibrary library;
    EXPECT_EQ(library.idStart, 0u);
    EXPECT_EQ(library.name, "");
    EXPECT_EQ(library.resourcePath, "");
    EXPECT_EQ(library.textureCount(), 0u);
    EXPECT_EQ(library.resourceCount(), 0u);

    const TextureEntry texture;
    EXPECT_EQ(texture.id, 0);
    EXPECT_EQ(texture.path, "");
    EXPECT_EQ(texture.widthIndex, 4);
    EXPECT_EQ(texture.heightIndex, 4);
    EXPECT_EQ(texture.format, 2);
    EXPECT_EQ(texture.blendType, 1);

    const UiResource resource;
    EXPECT_EQ(resource.kind, 0);
    EXPECT_EQ(resource.id, 0);
    EXPECT_EQ(resource.identifier, "unbenannt");
    EXPECT_TRUE(resource.areas.empty());

    const ResourceArea area;
    for (const float coordinate :
         {area.x1, area.y1, area.x2, area.y2, area.offsetX, area.offsetY}) {
        EXPECT_EQ(coordinate, 0.0f);
    }
    EXPECT_EQ(area.stretchX, 1.0f);
    EXPECT_EQ(area.stretchY, 1.0f);
    EXPECT_EQ(area.textureId, 0);
}

TEST(LibraryModel, ClearEmptiesTheListsAndKeepsTheHeader) {
    ResourceLibrary library;
    library.idStart = 1000;
    library.name = "Menu";
    library.resourcePath = "data\\";
    library.textures.push_back(std::make_unique<TextureEntry>());
    library.resources.push_back(std::make_unique<UiResource>());
    library.resources.push_back(std::make_unique<UiResource>());
    EXPECT_EQ(library.textureCount(), 1u);
    EXPECT_EQ(library.resourceCount(), 2u);

    library.clear();
    EXPECT_EQ(library.textureCount(), 0u);
    EXPECT_EQ(library.resourceCount(), 0u);
    EXPECT_EQ(library.idStart, 1000u);
    EXPECT_EQ(library.name, "Menu");
    EXPECT_EQ(library.resourcePath, "data\\");
}

TEST(LibraryModel, AreaSizeAndCopiedListsAreIndependent) {
    ResourceArea area;
    area.x1 = 10.5f;
    area.x2 = 74.5f;
    area.y2 = 32.0f;
    EXPECT_EQ(area.width(), 64.0f);
    EXPECT_EQ(area.height(), 32.0f);

    UiResource source;
    source.areas.push_back(area);
    UiResource copy;
    copy.areas = source.areas;
    copy.areas[0].x1 = 99.0f;
    EXPECT_EQ(source.areas[0].x1, 10.5f);
}

TEST(LibraryModel, TextureSizesFollowTheSizeList) {
    EXPECT_EQ(textureSizePixels(0), 16u);
    EXPECT_EQ(textureSizePixels(4), 256u);
    EXPECT_EQ(textureSizePixels(7), 2048u);
    EXPECT_EQ(textureSizePixels(8), 0u);
    EXPECT_EQ(textureSizePixels(-1), 0u);
}

}  // namespace
