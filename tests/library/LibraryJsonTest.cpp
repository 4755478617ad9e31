#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <string>

#include "library/LibraryJson.h"
#include "library/uiresourcecontrol.h"
#include "support/LibraryBytes.h"
#include "support/LibraryDump.h"
#include "testing/MemoryStreams.h"

namespace {

const std::string kMenuJson = R"({
  "format": "tolvane-library",
  "version": 1,
  "idStart": 1000,
  "name": "Menu",
  "resourcePath": "",
  "textures": [
    {"id": 0, "path": "leer", "widthIndex": 4, "heightIndex": 4, "format": 2, "blendType": 1}
  ],
  "resources": [
    {
      "kind": 0,
      "id": 1000,
      "identifier": "unbenannt",
      "areas": [
        {"x1": 0, "y1": 0, "x2": 64, "y2": 32, "offsetX": 0, "offsetY": 0, "stretchX": 1, "stretchY": 1, "textureId": 0}
      ]
    }
  ]
}
)";

std::string saved(const ResourceLibrary& library) {
    MemoryOutputStream out;
    EXPECT_EQ(library.save(out), S_OK);
    return out.data();
}

void load(const std::string& bytes, ResourceLibrary& library) {
    MemoryInputStream in(bytes);
    ASSERT_EQ(library.load(in), S_OK);
}

// The text written into a stream is the same.
void expectSameStreamed(const ResourceLibrary& library, const std::string& json) {
    MemoryOutputStream out;
    EXPECT_EQ(writeLibraryJson(library, out), S_OK);
    EXPECT_EQ(out.view(), json);
}

// The library read back from its text form saves to the same bytes and gives the same text.
void expectRoundTrip(const ResourceLibrary& library) {
    const std::string json = libraryToJson(library);
    expectSameStreamed(library, json);
    ResourceLibrary rebuilt;
    const std::optional<LibraryJsonError> error = libraryFromJson(json, rebuilt);
    ASSERT_FALSE(error) << error->line << ':' << error->column << ": " << error->reason;
    EXPECT_EQ(saved(rebuilt), saved(library));
    EXPECT_EQ(libraryToJson(rebuilt), json);
}

float floatOfBits(std::uint32_t bits) {
    return std::bit_cast<float>(bits);
}

TEST(LibraryJson, WorkedExampleText) {
    ResourceLibrary library;
    load(menuExampleBytes(), library);
    EXPECT_EQ(libraryToJson(library), kMenuJson);

    ResourceLibrary rebuilt;
    ASSERT_FALSE(libraryFromJson(kMenuJson, rebuilt));
    EXPECT_EQ(saved(rebuilt), menuExampleBytes());
}

TEST(LibraryJson, OldVersionsComeBackAsTheCurrentOne) {
    ResourceLibrary library;
    load(versionOneExampleBytes(), library);
    ResourceLibrary rebuilt;
    ASSERT_FALSE(libraryFromJson(libraryToJson(library), rebuilt));
    EXPECT_EQ(saved(rebuilt), versionOneExampleAsVersionThree());
}

TEST(LibraryJson, EveryByteOfEveryTextSurvives) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    ResourceLibrary library;
    library.name = all;
    library.resourcePath = std::string(all.rbegin(), all.rend());
    library.textures.push_back(std::make_unique<TextureEntry>());
    library.textures.back()->path = all;
    library.resources.push_back(std::make_unique<UiResource>());
    library.resources.back()->identifier = all + all;
    expectRoundTrip(library);
}

// A text bigger than the buffer it is streamed through, with floats at their widest and an
// element bigger than the buffer, written piece by piece; a failed write stops it.
TEST(LibraryJson, StreamedTextIsTheSameAsTheWholeOne) {
    ResourceLibrary library;
    for (int index = 0; index < 4000; ++index) {
        auto& resource = *library.resources.emplace_back(std::make_unique<UiResource>());
        resource.id = index;
        resource.identifier = "Button_" + std::to_string(index);
        resource.areas.resize(8);
        for (ResourceArea& area : resource.areas) {
            area.x1 = area.y1 = area.x2 = area.y2 = area.offsetX = area.offsetY = area.stretchX =
                area.stretchY = 0.1f * static_cast<float>(index) - 1e-7f;
        }
    }
    library.resources[100]->identifier = std::string(std::size_t{1} << 20, '\x01');
    expectSameStreamed(library, libraryToJson(library));

    FailingOutputStream failing(1);
    EXPECT_EQ(writeLibraryJson(library, failing), E_FAIL);
    EXPECT_EQ(failing.callCount(), 2u);
}

TEST(LibraryJson, TextsAreEscapedWhereTheyWouldBeInvisible) {
    ResourceLibrary library;
    library.name = "a\"b\\c\x01\n\x7F\x81\x9D\x80\xFC";
    const std::string json = libraryToJson(library);
    EXPECT_NE(json.find(R"("name": "a\"b\\c\u0001\u000A\u007F\u0081\u009D€ü",)"), std::string::npos)
        << json;
}

TEST(LibraryJson, EveryFloatSurvivesBitForBit) {
    const std::uint32_t bits[] = {
        0x7FC00000, 0xFFC00000, 0x7F800001, 0xFFBFFFFF,  // NaNs: quiet, signed, signalling
        0x7F800000, 0xFF800000,                          // infinities
        0x80000000, 0x00000000,                          // both zeros
        0x00000001, 0x807FFFFF, 0x00800000,              // subnormals, the smallest normal
        0x7F7FFFFF, 0x3DCCCCCD, 0x4B800001, 0xC2280000,  // largest, 0.1, 2^24 + 2, -42
        0x47C34F80, 0x47C35000, 0xC61C4000,              // 99999, 100000, -10000
    };
    ResourceLibrary library;
    library.resources.push_back(std::make_unique<UiResource>());
    for (std::size_t i = 0; i < std::size(bits); ++i) {
        ResourceArea area;
        area.x1 = area.y1 = area.x2 = area.y2 = floatOfBits(bits[i]);
        area.offsetX = area.offsetY = area.stretchX = area.stretchY = floatOfBits(bits[i]);
        library.resources.back()->areas.push_back(area);
    }
    expectRoundTrip(library);

    const std::string json = libraryToJson(library);
    for (const char* written :
         {R"("x1": "NaN:0x7FC00000")", R"("x1": "NaN:0xFFBFFFFF")", R"("x1": "Infinity")",
          R"("x1": "-Infinity")", R"("x1": -0,)", R"("x1": 1e-45,)", R"("x1": 0.1,)",
          R"("x1": 99999,)", R"("x1": 1e+05,)", R"("x1": -10000,)"}) {
        EXPECT_NE(json.find(written), std::string::npos) << written;
    }
}

TEST(LibraryJson, IntegersKeepSignAndRange) {
    ResourceLibrary library;
    library.idStart = 0xFFFFFFFF;
    library.textures.push_back(std::make_unique<TextureEntry>());
    TextureEntry& texture = *library.textures.back();
    texture.id = std::numeric_limits<std::int32_t>::min();
    texture.widthIndex = -1;
    texture.heightIndex = std::numeric_limits<std::int32_t>::max();
    texture.format = -7;
    texture.blendType = 99;
    library.resources.push_back(std::make_unique<UiResource>());
    UiResource& resource = *library.resources.back();
    resource.kind = -1;
    resource.id = std::numeric_limits<std::int32_t>::min();
    resource.areas.emplace_back().textureId = -5;
    expectRoundTrip(library);
    EXPECT_NE(libraryToJson(library).find(R"("idStart": 4294967295,)"), std::string::npos);
}

TEST(LibraryJson, FieldsMayComeInAnyOrderWithAnySpacing) {
    const std::string json =
        "\xEF\xBB\xBF"  // a byte order mark
        R"({"resources":[],"textures":[{"blendType":1,"format":2,"heightIndex":4,)"
        R"("widthIndex":4,"path":"leer","id":0}],"resourcePath":"","name":"M\u00fcnu",)"
        "\r\n\t\"idStart\" : 7 , \"version\":1,\"format\":\"tolvane-library\"}";
    ResourceLibrary library;
    ASSERT_FALSE(libraryFromJson(json, library));
    EXPECT_EQ(library.name, "M\xFCnu");
    EXPECT_EQ(library.idStart, 7u);
    EXPECT_EQ(library.textureCount(), 1u);
}

struct Refusal {
    std::string from;  // replaced in the worked example's text...
    std::string to;    // ...by this
    std::size_t line;
    std::size_t column;
    std::string reason;
    bool cutAfter = false;  // the text ends after to
};

TEST(LibraryJson, RefusesEveryFaultWithItsPositionAndKeepsTheLibrary) {
    const Refusal refusals[] = {
        {"\"idStart\": 1000,", "\"idStart\": 1000", 5, 3,
         "kein gültiges JSON: hier muss ',' oder '}' stehen"},
        {"  ]\n}\n", "  ]\n", 20, 1, "kein gültiges JSON: der Text endet zu früh"},
        {"\"x2\": 64", "\"x2\": -", 16, 35, "kein gültiges JSON: der Text endet zu früh", true},
        {"  ]\n}\n", std::string("  ]\n}\n\0{}", 9), 21, 1,
         "kein gültiges JSON: nach dem Objekt darf nichts mehr folgen"},
        {"\"name\": \"Menu\"", "\"name\": \"M\xC3\"", 5, 13,
         "kein gültiges JSON: kein gültiges UTF-8"},
        {"\"name\": \"Menu\"", "\"name\": \"M\\uDC00\"", 5, 13,
         "kein gültiges JSON: ein UTF-16-Ersatzzeichen steht ohne seinen Partner"},
        {"\"unbenannt\"", "\"unben", 14, 27, "kein gültiges JSON: der Text endet zu früh", true},
        {"\"x2\": 64", "\"x2\": 01", 16, 35,
         "kein gültiges JSON: nach einer führenden 0 darf keine Ziffer folgen"},
        {"\"x2\": 64", "\"x2\": 1.", 16, 36,
         "kein gültiges JSON: nach dem Dezimalpunkt muss eine Ziffer stehen"},
        {"\"x2\": 64", "\"x2\": .5", 16, 34, "kein gültiges JSON: hier steht kein gültiger Wert"},
        {"\"x2\": 64", "\"x2\": nan", 16, 35, "kein gültiges JSON: hier steht kein gültiger Wert"},
        {"\"x2\": 64", "\"x2\": inf", 16, 34, "kein gültiges JSON: hier steht kein gültiger Wert"},
        {"\"name\": \"Menu\"", "\"name\": \"Menü\", \"colour\": 3", 5, 19,
         "unbekanntes Feld \"colour\""},
        {"\"kind\": 0,", "\"kind\": 0, \"kind\": 1,", 12, 18, "das Feld \"kind\" steht doppelt"},
        {", \"textureId\": 0}", "}", 16, 104, "das Feld \"textureId\" fehlt"},
        {"  \"version\": 1,\n", "", 19, 1, "das Feld \"version\" fehlt"},
        {"\"id\": 1000", "\"id\": \"1000\"", 13, 13, "\"id\" muss eine ganze Zahl sein"},
        {"\"id\": 1000", "\"id\": 1000.0", 13, 13, "\"id\" muss eine ganze Zahl sein"},
        {"\"kind\": 0", "\"kind\": null", 12, 15, "\"kind\" muss eine ganze Zahl sein"},
        {"\"name\": \"Menu\"", "\"name\": 5", 5, 11, "\"name\" muss ein Text sein"},
        {"\"x2\": 64", "\"x2\": true", 16, 34, "\"x2\" muss eine Zahl sein"},
        {"\"x2\": 64", "\"x2\": \"64\"", 16, 34,
         "\"x2\" muss eine Zahl, \"Infinity\", \"-Infinity\" oder \"NaN:0x\" mit 8 "
         "Hexadezimalziffern sein"},
        {"\"textures\": [", "\"textures\": {\"a\": [", 7, 15, "\"textures\" muss eine Liste sein"},
        {"\"areas\": [\n", "\"areas\": [3, \n", 15, 17,
         "ein Eintrag der Liste muss ein Objekt sein, nicht eine Zahl"},
        {"\"idStart\": 1000", "\"idStart\": -1", 4, 14,
         "\"idStart\" liegt außerhalb von 0 bis 4294967295"},
        {"\"idStart\": 1000", "\"idStart\": 4294967296", 4, 14,
         "\"idStart\" liegt außerhalb von 0 bis 4294967295"},
        {"\"id\": 1000", "\"id\": -2147483649", 13, 13,
         "\"id\" liegt außerhalb von -2147483648 bis 2147483647"},
        {"\"x2\": 64", "\"x2\": 1e39", 16, 34,
         "\"x2\" liegt außerhalb dessen, was eine 32-Bit-Gleitkommazahl fasst"},
        {"\"path\": \"leer\"", "\"path\": \"l\\u0080\"", 8, 23,
         "\"path\" enthält ein Zeichen, das Windows-1252 nicht kennt"},
        {"\"name\": \"Menu\"", "\"name\": \"日本\"", 5, 11,
         "\"name\" enthält ein Zeichen, das Windows-1252 nicht kennt"},
        {"\"tolvane-library\"", "\"tiled-map\"", 2, 13, "\"format\" muss \"tolvane-library\" sein"},
        {"\"version\": 1", "\"version\": 2", 3, 14, "die Version 2 der Textform ist unbekannt"},
    };
    for (const Refusal& refusal : refusals) {
        std::string json = kMenuJson;
        const std::size_t at = json.find(refusal.from);
        ASSERT_NE(at, std::string::npos) << refusal.from;
        json.replace(at, refusal.from.size(), refusal.to);
        if (refusal.cutAfter) {
            json.resize(at + refusal.to.size());
        }

        ResourceLibrary library;
        library.name = "unverändert";
        const std::optional<LibraryJsonError> error = libraryFromJson(json, library);
        ASSERT_TRUE(error) << refusal.to;
        EXPECT_EQ(error->line, refusal.line) << refusal.to;
        EXPECT_EQ(error->column, refusal.column) << refusal.to;
        EXPECT_EQ(error->reason, refusal.reason);
        EXPECT_EQ(dumpLibrary(library), "library idStart=0 name='unverändert' path=''\n");
    }
}

TEST(LibraryJson, RefusesWhatIsNoLibraryObject) {
    for (const std::string json : {"", "[]", "\"text\"", "{} {}", "\xFF"}) {
        ResourceLibrary library;
        const std::optional<LibraryJsonError> error = libraryFromJson(json, library);
        ASSERT_TRUE(error) << json;
        EXPECT_EQ(error->line, 1u);
    }
}

}  // namespace
