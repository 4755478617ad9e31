// What one opening of the texture dialog changed, taken back and made again: the table comes
// back row for row, and only the rows that differ are kept.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/TextureTableChange.h"
#include "library/uiresourcecontrol.h"

namespace {

// A table of one row per path, each with the id of its path's first letter.
void fill(ResourceLibrary& library, const std::vector<std::string>& paths) {
    library.textures.clear();
    for (const std::string& path : paths) {
        auto texture = std::make_unique<TextureEntry>();
        texture->id = path.at(0);
        texture->path = path;
        library.textures.push_back(std::move(texture));
    }
}

std::vector<std::string> paths(const ResourceLibrary& library) {
    std::vector<std::string> result;
    for (const auto& texture : library.textures) {
        result.push_back(texture->path + "#" + std::to_string(texture->id));
    }
    return result;
}

struct TableCase {
    const char* what;
    std::vector<std::string> before;
    std::vector<std::string> after;
    std::size_t keptRows;
};

TEST(TextureTableChange, TakesBackAndMakesAgainExactlyWhatChanged) {
    const std::vector<TableCase> cases = {
        {"nothing", {"a", "b", "c"}, {"a", "b", "c"}, 0},
        {"one row edited", {"a", "b", "c"}, {"a", "x", "c"}, 1},
        {"row added at the end", {"a", "b"}, {"a", "b", "c"}, 1},
        {"row taken from the middle", {"a", "b", "c", "d"}, {"a", "c", "d"}, 1},
        {"first and last edited", {"a", "b", "c", "d"}, {"x", "b", "c", "y"}, 2},
        {"all taken", {"a", "b", "c"}, {}, 3},
        {"into an empty table", {}, {"a", "b"}, 2},
        {"taken and added", {"a", "b", "c"}, {"a", "c", "n"}, 2},
    };
    for (const TableCase& c : cases) {
        SCOPED_TRACE(c.what);
        ResourceLibrary before;
        fill(before, c.before);
        ResourceLibrary library;
        fill(library, c.after);
        const std::vector<std::string> afterRows = paths(library);

        TextureTableChange change =
            TextureTableChange::between(TextureTableChange::rowsOf(before), library);
        EXPECT_EQ(change.rowCount(), c.keptRows);
        EXPECT_EQ(change.empty(), c.keptRows == 0);
        change.revert(library);
        EXPECT_EQ(paths(library), paths(before));
        change.apply(library);
        EXPECT_EQ(paths(library), afterRows);
    }
}

TEST(TextureTableChange, KeepsEveryFieldOfARow) {
    ResourceLibrary library;
    fill(library, {"a"});
    const std::vector<TextureEntry> before = TextureTableChange::rowsOf(library);
    TextureEntry& row = *library.textures[0];
    row.widthIndex = 7;
    row.heightIndex = 0;
    row.format = 1;
    row.blendType = 2;
    TextureTableChange change = TextureTableChange::between(before, library);
    ASSERT_EQ(change.rowCount(), 1u);
    change.revert(library);
    EXPECT_EQ(*library.textures[0], before[0]);
}

}  // namespace
