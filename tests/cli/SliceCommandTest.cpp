#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "CliRun.h"
#include "document/AutoSlicing.h"
#include "document/GridSlicing.h"
#include "document/PremultipliedTexture.h"
#include "document/SliceApplication.h"
#include "library/LibraryFile.h"
#include "persistence/MemoryStreams.h"
#include "support/TemporaryFolder.h"

namespace {

// An uncompressed 32-bit TGA with its rows from the top, every pixel transparent but those
// filled.
class TgaSheet {
public:
    TgaSheet(int width, int height)
        : width(width), height(height), bgra(std::size_t(width * height) * 4, '\0') {}

    TgaSheet& fill(int x1, int y1, int x2, int y2, std::uint8_t alpha = 255) {
        for (int y = y1; y < y2; ++y) {
            for (int x = x1; x < x2; ++x) {
                char* pixel = &bgra[std::size_t(y * width + x) * 4];
                pixel[0] = '\x40', pixel[1] = '\x80', pixel[2] = '\xc0';
                pixel[3] = static_cast<char>(alpha);
            }
        }
        return *this;
    }
    std::string bytes() const {
        std::string header(18, '\0');
        header[2] = 2;  // true colour, uncompressed
        header[12] = static_cast<char>(width), header[13] = static_cast<char>(width >> 8);
        header[14] = static_cast<char>(height), header[15] = static_cast<char>(height >> 8);
        header[16] = 32;
        header[17] = 0x28;  // eight alpha bits, rows from the top
        return header + bgra;
    }

private:
    int width;
    int height;
    std::string bgra;
};

void addTexture(ResourceLibrary& library, std::int32_t id, const std::string& path,
                std::int32_t blendType) {
    auto texture = std::make_unique<TextureEntry>();
    texture->id = id;
    texture->path = path;
    texture->blendType = blendType;
    library.textures.push_back(std::move(texture));
}

ResourceArea areaOn(std::int32_t textureId, float x1, float y1, float x2, float y2) {
    ResourceArea area;
    area.x1 = x1, area.y1 = y1, area.x2 = x2, area.y2 = y2;
    area.offsetX = 3;
    area.textureId = textureId;
    return area;
}

std::string savedBytes(const ResourceLibrary& library) {
    MemoryOutputStream bytes;
    EXPECT_EQ(library.save(bytes), S_OK);
    return bytes.data();
}

class SliceCommand : public ::testing::Test {
protected:
    // A 48 x 24 sheet: a square, a square with a pixel touching its corner, a half transparent
    // piece, a wide bar, a speck. Button 1000 cuts an area around the first square and one
    // from the solid texture 1.
    SliceCommand() {
        TgaSheet sheet(48, 24);
        sheet.fill(2, 2, 10, 10).fill(14, 2, 22, 10).fill(22, 10, 23, 11);
        sheet.fill(30, 4, 34, 8, 100).fill(2, 14, 20, 20).fill(40, 20, 41, 21);
        sheetBytes = sheet.bytes();
        writeFileBytes(folder.file("sheet.tga"), sheetBytes);
        writeFileBytes(folder.file("solid.tga"), TgaSheet(8, 8).fill(0, 0, 8, 8).bytes());

        addTexture(library, 0, "sheet.tga", 1);
        addTexture(library, 1, "solid.tga", 0);
        addTexture(library, 2, "missing.tga", 1);
        addTexture(library, 3, "/dev/zero", 1);  // a device never ends
        auto button = std::make_unique<UiResource>();
        button->id = 1000;
        button->areas = {areaOn(0, 0, 0, 12, 12), areaOn(1, 0, 0, 8, 8)};
        library.resources.push_back(std::move(button));
        save();
    }
    void save() { ASSERT_EQ(saveLibraryFile(path, library), S_OK); }

    // What the editor's panel makes of the same sheet: the same core calls on the decoded
    // picture, applied to the library as its one step.
    std::string slicedAsTheEditorDoes(
        const std::function<std::optional<SliceCandidates>(const TexturePixels&)>& slice,
        ExistingAreas existing) {
        const DecodedTexture decoded = DecodeTexture(
            reinterpret_cast<const std::uint8_t*>(sheetBytes.data()), sheetBytes.size());
        const PremultipliedTexture picture = PremultiplyTexture(decoded);
        const SliceCandidates candidates = *slice(picture.pixels());
        EXPECT_EQ(candidates.message, "");
        const SlicePlan plan = PlanSlice(library, 0, 0, candidates.rects, existing);
        plan.change->apply(library);
        const std::string bytes = savedBytes(library);
        plan.change->revert(library);
        return bytes;
    }

    CliResult slice(std::vector<std::string> options) {
        options.insert(options.begin(), {"slice", path, "--resource", "1000"});
        return runCli(options);
    }

    TemporaryFolder folder;
    const std::string path = folder.file("lib.gui");
    std::string sheetBytes;
    ResourceLibrary library;
};

TEST_F(SliceCommand, AutomaticSlicingAddsWhatTheEditorAdds) {
    const std::string out = folder.file("out.gui");
    const CliResult result = slice({"--texture", "0", "--auto", "-o", out});
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out,
              "Bereich 2: X1 14, Y1 2, X2 23, Y2 11\n"
              "Bereich 3: X1 30, Y1 4, X2 34, Y2 8\n"
              "Bereich 4: X1 2, Y1 14, X2 20, Y2 20\n"
              "3 Bereiche hinzugefügt, 1 ausgelassen (überlappen vorhandene Bereiche).\n");
    EXPECT_EQ(readFileBytes(out),
              slicedAsTheEditorDoes(
                  [](const TexturePixels& pixels) { return AutoSliceCandidates(pixels, 1, {}); },
                  ExistingAreas::KeepAndAdd));
    EXPECT_EQ(readFileBytes(path), savedBytes(library));  // -o leaves the library alone

    // Once more, every piece is there already: nothing is added, nothing written.
    const std::string sliced = readFileBytes(out);
    const CliResult again =
        runCli({"slice", out, "--resource", "1000", "--texture", "0", "--auto"});
    EXPECT_EQ(again.exitStatus, 1);
    EXPECT_EQ(again.err, cliFailure(out,
                                    "Alle überlappen vorhandene Bereiche dieser Textur: es käme "
                                    "kein Bereich hinzu."));
    EXPECT_EQ(readFileBytes(out), sliced);
}

TEST_F(SliceCommand, GridSlicingReplacesInPlace) {
    const CliResult result =
        slice({"--grid", "12x12", "--trim", "--texture", "0", "--replace", "--merge-overlapping"});
    EXPECT_EQ(result.exitStatus, 64);  // an option of the other way
    EXPECT_EQ(result.err.substr(0, result.err.find('\n')),
              "tolvane-cli slice: --merge-overlapping gilt nur mit --auto");

    const CliResult grid = slice({"--grid", "12x12", "--trim", "--texture", "0", "--replace"});
    EXPECT_EQ(grid.exitStatus, 0);
    EXPECT_EQ(grid.out.substr(grid.out.rfind("Bereich 6")),
              "Bereich 6: X1 40, Y1 20, X2 41, Y2 21\n"
              "6 Bereiche hinzugefügt, 1 vorhandene ersetzt.\n");
    GridSettings settings;
    settings.cellWidth = settings.cellHeight = 12;
    settings.trimCells = true;
    EXPECT_EQ(readFileBytes(path), slicedAsTheEditorDoes(
                                       [&settings](const TexturePixels& pixels) {
                                           return GridCandidates(pixels, 1, settings);
                                       },
                                       ExistingAreas::Replace));
}

TEST_F(SliceCommand, RefusalsLeaveTheLibraryAsItWas) {
    struct Case {
        std::vector<std::string> options;
        int status;
        std::string err;  // its first line
    };
    const std::string lib = "tolvane-cli: " + path + ": ";
    for (const Case& c : std::vector<Case>{
             {{"--texture", "0"}, 64, "tolvane-cli slice: --grid, --cells oder --auto fehlt"},
             {{"--texture", "0", "--grid", "8x8", "--auto"},
              64,
              "tolvane-cli slice: nur eines von --grid, --cells und --auto geht"},
             {{"--texture", "0", "--grid", "8"},
              64,
              "tolvane-cli slice: --grid erwartet BREITExHÖHE wie 64x32, nicht \"8\""},
             {{"--texture", "0", "--auto", "--min"},
              64,
              "tolvane-cli slice: nach --min fehlt der Wert"},
             {{"--texture", "0", "--auto", "--auto"},
              64,
              "tolvane-cli slice: --auto steht zweimal da"},
             {{"--texture", "0", "--auto", "--bogus"},
              64,
              "tolvane-cli slice: unbekannte Option --bogus"},
             {{"--texture", "0", "--auto", "-o", "-"},
              64,
              "tolvane-cli slice: -o - geht nicht: die Standardausgabe zeigt die neuen Bereiche"},
             {{"--texture", "7", "--auto"}, 1, lib + "keine Textur mit der Id 7"},
             {{"--texture", "1", "--auto"},
              1,
              "tolvane-cli: solid.tga: Automatisch zerlegen lassen sich nur Texturen vom Typ "
              "Transparent oder Transparent Additive; eine Textur vom Typ Solid zeigt jedes "
              "Pixel. Sie lässt sich im Raster zerlegen."},
             {{"--texture", "0", "--grid", "49x8"},
              1,
              "tolvane-cli: sheet.tga: Die Zellen sind breiter als die Textur (48 Pixel)."},
             {{"--texture", "2", "--auto"}, 2, "tolvane-cli: missing.tga: Datei nicht gefunden"},
#ifndef _WIN32
             {{"--texture", "3", "--auto"},
              2,
              "tolvane-cli: /dev/zero: ist keine gewöhnliche Datei"},
#endif
         }) {
        const CliResult result = slice(c.options);
        EXPECT_EQ(result.exitStatus, c.status) << c.err;
        EXPECT_EQ(result.err.substr(0, result.err.find('\n')), c.err);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(readFileBytes(path), savedBytes(library)) << c.err;
    }
}

TEST_F(SliceCommand, AnIdNamingSeveralRecordsIsRefused) {
    library.resources.push_back(std::make_unique<UiResource>());
    library.resources.back()->id = 1000;
    addTexture(library, 0, "other.tga", 1);
    save();
    EXPECT_EQ(slice({"--texture", "0", "--auto"}).err,
              cliFailure(path, "2 Ressourcen mit der Id 1000"));
    library.resources.back()->id = 1001;
    save();
    EXPECT_EQ(slice({"--texture", "0", "--auto"}).err, cliFailure(path, "2 Texturen mit der Id 0"));
    EXPECT_EQ(runCli({"slice", path, "--resource", "5", "--texture", "0", "--auto"}).err,
              cliFailure(path, "keine Ressource mit der Id 5"));
}

}  // namespace
