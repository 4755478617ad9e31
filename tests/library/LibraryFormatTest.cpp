#include <gtest/gtest.h>

#include <functional>

#include "library/uiresourcecontrol.h"
#include "support/LibraryBytes.h"
#include "support/LibraryDump.h"
#include "support/TraceCapture.h"
#include "testing/MemoryStreams.h"

namespace {

std::string saved(const ResourceLibrary& library) {
    MemoryOutputStream out;
    EXPECT_EQ(library.save(out), S_OK);
    return out.data();
}

template <typename Record>
std::string written(const Record& record) {
    MemoryOutputStream out;
    EXPECT_EQ(record.write(out), S_OK);
    return out.data();
}

HRESULT loadBytes(const std::string& bytes, ResourceLibrary& library) {
    MemoryInputStream in(bytes);
    return library.load(in);
}

void buildMenuExample(ResourceLibrary& library) {
    library.idStart = 1000;
    library.name = "Menu";
    auto texture = std::make_unique<TextureEntry>();
    texture->path = "leer";
    library.textures.push_back(std::move(texture));
    auto resource = std::make_unique<UiResource>();
    resource->id = 1000;
    ResourceArea area;
    area.x2 = 64.0f;
    area.y2 = 32.0f;
    resource->areas.push_back(area);
    library.resources.push_back(std::move(resource));
}

TEST(LibraryFormat, MenuExampleBothWays) {
    ResourceLibrary built;
    buildMenuExample(built);
    EXPECT_EQ(saved(built), menuExampleBytes());
    EXPECT_EQ(menuExampleBytes().size(), 121u);

    ResourceLibrary loaded;
    ASSERT_EQ(loadBytes(menuExampleBytes(), loaded), S_OK);
    EXPECT_EQ(dumpLibrary(loaded), dumpLibrary(built));
}

TEST(LibraryFormat, EmptyLibraryIs34Bytes) {
    const ResourceLibrary empty;
    EXPECT_EQ(saved(empty), LibraryBytes().header(3, 0, "").u32(0).u32(0).str());
    EXPECT_EQ(saved(empty).size(), 34u);
}

TEST(LibraryFormat, RecordsAreWrittenFieldByField) {
    TextureEntry texture;
    texture.path = "leer";
    EXPECT_EQ(written(texture),
              LibraryBytes().i32(0).text("leer").i32(4).i32(4).i32(2).i32(1).str());
    EXPECT_EQ(written(texture).size(), 25u);

    UiResource resource;
    resource.areas.emplace_back();
    const std::string bytes = written(resource);
    EXPECT_EQ(bytes.size(), 58u);
    EXPECT_EQ(bytes, LibraryBytes()
                         .i32(0)
                         .i32(0)
                         .text("unbenannt")
                         .u32(1)
                         .f32(0)
                         .f32(0)
                         .f32(0)
                         .f32(0)
                         .f32(0)
                         .f32(0)
                         .f32(1)
                         .f32(1)
                         .i32(0)
                         .str());
}

TEST(LibraryFormat, NegativeAndUnusualValuesRoundTripBitForBit) {
    ResourceLibrary library;
    library.idStart = 0xFFFFFFFFu;
    library.name = std::string(
        "Gr\xF6\xDF"
        "e",
        5);
    library.resourcePath = std::string(300, 'p');  // a three-byte prefix
    auto texture = std::make_unique<TextureEntry>();
    texture->id = -7;
    texture->widthIndex = 99;
    texture->format = -1;
    library.textures.push_back(std::move(texture));
    auto resource = std::make_unique<UiResource>();
    resource->kind = 3;
    resource->id = -1000;
    resource->identifier = "";
    ResourceArea area;
    area.x1 = -0.0f;
    area.y1 = 1e-40f;  // subnormal
    area.x2 = 3.4e38f;
    area.stretchX = 0.1f;
    area.textureId = -5;
    resource->areas = {area, ResourceArea()};
    library.resources.push_back(std::move(resource));

    ResourceLibrary back;
    ASSERT_EQ(loadBytes(saved(library), back), S_OK);
    EXPECT_EQ(dumpLibrary(back), dumpLibrary(library));
}

TEST(LibraryFormat, LoadAppendsToWhatTheListsHold) {
    ResourceLibrary library;
    ASSERT_EQ(loadBytes(menuExampleBytes(), library), S_OK);
    library.name = "changed";
    ASSERT_EQ(loadBytes(menuExampleBytes(), library), S_OK);
    EXPECT_EQ(library.textureCount(), 2u);
    EXPECT_EQ(library.resourceCount(), 2u);
    EXPECT_EQ(library.name, "Menu");
}

TEST(LibraryFormat, RefusesWhatIsNotALibrary) {
    const std::string wrongMagic = "\x38" + menuExampleBytes().substr(1);
    for (const std::string& bytes : {std::string(), menuExampleBytes().substr(0, 15), wrongMagic}) {
        TraceCapture trace;
        ResourceLibrary library;
        library.name = "kept";
        EXPECT_EQ(loadBytes(bytes, library), E_FAIL);
        EXPECT_EQ(library.name, "kept");
        EXPECT_EQ(library.textureCount() + library.resourceCount(), 0u);
        const std::vector<std::string> lines = trace.lines();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[lines.size() - 2],
                  "uiresourcecontrol.cpp(45) : TRACE_ERROR: Not a valid resource file format.");
        EXPECT_EQ(lines.back(),
                  "uiresourcecontrol.cpp(99) : TRACE_ERROR: Error: ASSERT_HRESULT(0x80004005)");
    }
}

TEST(LibraryFormat, RefusesUnsupportedVersions) {
    for (const std::uint32_t version : {0u, 4u, 0xFFFFFFFFu}) {
        TraceCapture trace;
        std::string bytes = menuExampleBytes();
        bytes.replace(16, 4, LibraryBytes().u32(version).str());
        ResourceLibrary library;
        EXPECT_EQ(loadBytes(bytes, library), E_FAIL);
        EXPECT_EQ(library.idStart, 0u);
        EXPECT_EQ(library.textureCount() + library.resourceCount(), 0u);
        EXPECT_EQ(trace.lines(),
                  std::vector<std::string>{
                      "uiresourcecontrol.cpp(59) : TRACE_ERROR: Not supported file version."});
    }
}

// A version 1 file: old texture records, 28-byte areas without stretch factors.
TEST(LibraryFormat, VersionOneLoadsAndSavesAsVersionThree) {
    const std::string v1 = LibraryBytes()
                               .header(1, 10, "Alt", "gfx\\")
                               .u32(1)
                               .i32(3)
                               .text("a.tga")
                               .u32(0xDEADBEEF)
                               .i32(1)
                               .i32(2)
                               .i32(0)
                               .u32(1)
                               .i32(0)
                               .i32(10)
                               .text("Knopf")
                               .u32(2)
                               .f32(1)
                               .f32(2)
                               .f32(3)
                               .f32(4)
                               .f32(5)
                               .f32(6)
                               .i32(3)
                               .f32(7)
                               .f32(8)
                               .f32(9)
                               .f32(10)
                               .f32(11)
                               .f32(12)
                               .i32(4)
                               .str();
    ResourceLibrary library;
    ASSERT_EQ(loadBytes(v1, library), S_OK);
    ASSERT_EQ(library.resourceCount(), 1u);
    ASSERT_EQ(library.resources[0]->areas.size(), 2u);
    EXPECT_EQ(library.resources[0]->areas[1].stretchX, 1.0f);
    EXPECT_EQ(library.resources[0]->areas[1].textureId, 4);

    const std::string v3 = LibraryBytes()
                               .header(3, 10, "Alt", "gfx\\")
                               .u32(1)
                               .i32(3)
                               .text("a.tga")
                               .i32(2)
                               .i32(2)
                               .i32(1)
                               .i32(0)
                               .u32(1)
                               .i32(0)
                               .i32(10)
                               .text("Knopf")
                               .u32(2)
                               .f32(1)
                               .f32(2)
                               .f32(3)
                               .f32(4)
                               .f32(5)
                               .f32(6)
                               .f32(1)
                               .f32(1)
                               .i32(3)
                               .f32(7)
                               .f32(8)
                               .f32(9)
                               .f32(10)
                               .f32(11)
                               .f32(12)
                               .f32(1)
                               .f32(1)
                               .i32(4)
                               .str();
    EXPECT_EQ(saved(library), v3);
}

// A version 2 file: old texture records with one size code, areas with stretch factors.
TEST(LibraryFormat, VersionTwoTakesSizeCodesUpToFour) {
    const auto oldTexture = [](LibraryBytes& bytes, std::int32_t sizeCode) -> LibraryBytes& {
        return bytes.i32(1).text("t").u32(0x12345678).i32(0).i32(sizeCode).i32(2);
    };
    LibraryBytes bytes;
    bytes.header(2, 0, "").u32(3);
    oldTexture(bytes, 3);
    oldTexture(bytes, 6);
    oldTexture(bytes, -1);
    bytes.u32(1)
        .i32(0)
        .i32(0)
        .text("b")
        .u32(1)
        .f32(0)
        .f32(0)
        .f32(16)
        .f32(16)
        .f32(0)
        .f32(0)
        .f32(2)
        .f32(0.5f)
        .i32(1);

    ResourceLibrary library;
    ASSERT_EQ(loadBytes(bytes.str(), library), S_OK);
    ASSERT_EQ(library.textureCount(), 3u);
    EXPECT_EQ(library.textures[0]->widthIndex, 3);
    EXPECT_EQ(library.textures[0]->heightIndex, 3);
    EXPECT_EQ(library.textures[0]->format, 0);
    EXPECT_EQ(library.textures[0]->blendType, 2);
    for (int i : {1, 2}) {
        EXPECT_EQ(library.textures[i]->widthIndex, 4);
        EXPECT_EQ(library.textures[i]->heightIndex, 4);
    }
    EXPECT_EQ(library.resources[0]->areas[0].stretchX, 2.0f);
    EXPECT_EQ(library.resources[0]->areas[0].stretchY, 0.5f);

    const std::string v3 = saved(library);
    EXPECT_EQ(v3.substr(16, 4), LibraryBytes().u32(3).str());
    EXPECT_EQ(v3.substr(30, 22), LibraryBytes().i32(1).text("t").i32(3).i32(3).i32(0).i32(2).str());
}

// What a library cut short at every possible length must hold: each field that arrived in
// full, initial values for the rest of the record being read, nothing after it.
class TruncatedLibrary : public ::testing::Test {
protected:
    using Change = std::function<void(ResourceLibrary&)>;

    void field(std::size_t size, Change change) {
        fullBytes += std::string(size, '\0');  // placeholder: only the offsets matter here
        steps.push_back({fullBytes.size(), std::move(change)});
    }

    std::string expectedAt(std::size_t length) {
        ResourceLibrary expected;
        prepare(expected);
        for (const auto& [end, change] : steps) {
            if (end <= length) {
                change(expected);
            }
        }
        return dumpLibrary(expected);
    }

    static void prepare(ResourceLibrary& library) {
        library.idStart = 77;
        library.name = "vorher";
        library.resourcePath = "vorher\\";
    }

    std::string fullBytes;
    std::vector<std::pair<std::size_t, Change>> steps;
};

TEST_F(TruncatedLibrary, EveryLengthGivesTheSpecifiedResult) {
    const std::string bytes = LibraryBytes()
                                  .header(3, 500, "Spiel", "d\\")
                                  .u32(1)
                                  .i32(9)
                                  .text("k.png")
                                  .i32(1)
                                  .i32(2)
                                  .i32(0)
                                  .i32(2)
                                  .u32(1)
                                  .i32(6)
                                  .i32(501)
                                  .text("Start")
                                  .u32(2)
                                  .f32(1)
                                  .f32(2)
                                  .f32(3)
                                  .f32(4)
                                  .f32(5)
                                  .f32(6)
                                  .f32(7)
                                  .f32(8)
                                  .i32(9)
                                  .f32(11)
                                  .f32(12)
                                  .f32(13)
                                  .f32(14)
                                  .f32(15)
                                  .f32(16)
                                  .f32(17)
                                  .f32(18)
                                  .i32(19)
                                  .str();
    const auto texture = [](ResourceLibrary& l) -> TextureEntry& { return *l.textures.back(); };
    const auto resource = [](ResourceLibrary& l) -> UiResource& { return *l.resources.back(); };
    const auto area = [](ResourceLibrary& l) -> ResourceArea& {
        return l.resources.back()->areas.back();
    };

    field(20, [](ResourceLibrary&) {});
    field(4, [](ResourceLibrary& l) { l.idStart = 500; });
    field(6, [](ResourceLibrary& l) { l.name = "Spiel"; });
    field(3, [](ResourceLibrary& l) { l.resourcePath = "d\\"; });
    field(4, [](ResourceLibrary& l) { l.textures.push_back(std::make_unique<TextureEntry>()); });
    field(4, [&](ResourceLibrary& l) { texture(l).id = 9; });
    field(6, [&](ResourceLibrary& l) { texture(l).path = "k.png"; });
    field(4, [&](ResourceLibrary& l) { texture(l).widthIndex = 1; });
    field(4, [&](ResourceLibrary& l) { texture(l).heightIndex = 2; });
    field(4, [&](ResourceLibrary& l) { texture(l).format = 0; });
    field(4, [&](ResourceLibrary& l) { texture(l).blendType = 2; });
    field(4, [](ResourceLibrary& l) { l.resources.push_back(std::make_unique<UiResource>()); });
    field(4, [&](ResourceLibrary& l) { resource(l).kind = 6; });
    field(4, [&](ResourceLibrary& l) { resource(l).id = 501; });
    field(6, [&](ResourceLibrary& l) { resource(l).identifier = "Start"; });
    // Once the area count arrived the first area is being read; once it is complete, the
    // second one is.
    field(4, [&](ResourceLibrary& l) { resource(l).areas.emplace_back(); });
    float ResourceArea::*const floats[] = {&ResourceArea::x1,       &ResourceArea::y1,
                                           &ResourceArea::x2,       &ResourceArea::y2,
                                           &ResourceArea::offsetX,  &ResourceArea::offsetY,
                                           &ResourceArea::stretchX, &ResourceArea::stretchY};
    for (int a = 0; a < 2; ++a) {
        if (a == 1) {
            field(0, [&](ResourceLibrary& l) { resource(l).areas.emplace_back(); });
        }
        for (int f = 0; f < 8; ++f) {
            field(4, [&, value = static_cast<float>(10 * a + f + 1),
                      member = floats[f]](ResourceLibrary& l) { area(l).*member = value; });
        }
        field(4, [&, a](ResourceLibrary& l) { area(l).textureId = 10 * a + 9; });
    }
    ASSERT_EQ(fullBytes.size(), bytes.size());

    for (std::size_t length = 0; length <= bytes.size(); ++length) {
        SCOPED_TRACE("length " + std::to_string(length));
        ResourceLibrary library;
        prepare(library);
        const HRESULT result = loadBytes(bytes.substr(0, length), library);
        EXPECT_EQ(result, length < 20 ? E_FAIL : S_OK);
        EXPECT_EQ(dumpLibrary(library), expectedAt(length));
    }
}

TEST(LibraryFormat, DamagedCountsEndWithTheData) {
    // Billions of textures and areas claimed, a handful of bytes held.
    const std::string textures = LibraryBytes().header(3, 0, "").u32(0xFFFFFFFF).i32(1).str();
    ResourceLibrary library;
    EXPECT_EQ(loadBytes(textures, library), S_OK);
    EXPECT_EQ(library.textureCount(), 1u);
    EXPECT_EQ(library.resourceCount(), 0u);

    const std::string areas = LibraryBytes()
                                  .header(3, 0, "")
                                  .u32(0)
                                  .u32(2)
                                  .i32(0)
                                  .i32(1)
                                  .text("a")
                                  .u32(0xFFFFFFFF)
                                  .f32(1)
                                  .str();
    ResourceLibrary other;
    EXPECT_EQ(loadBytes(areas, other), S_OK);
    ASSERT_EQ(other.resourceCount(), 1u);
    ASSERT_EQ(other.resources[0]->areas.size(), 1u);
    EXPECT_EQ(other.resources[0]->areas[0].x1, 1.0f);
}

TEST(LibraryFormat, SaveReportsTheFirstFailedWrite) {
    ResourceLibrary library;
    buildMenuExample(library);
    const std::size_t calls = [&] {
        FailingOutputStream counting;
        library.save(counting);
        return counting.callCount();
    }();
    for (std::size_t failAfter = 0; failAfter < calls; ++failAfter) {
        FailingOutputStream out(failAfter);
        EXPECT_EQ(library.save(out), E_FAIL) << "failing from write " << failAfter;
        EXPECT_EQ(out.callCount(), failAfter + 1);  // nothing is written after a failure
    }
}

}  // namespace
