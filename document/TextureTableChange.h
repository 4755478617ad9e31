#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "document/LibraryChange.h"
#include "library/uiresourcecontrol.h"

// What one editing of the texture table changed, as the rows that differ: each row put in,
// taken out or replaced. Rows that stayed as they were are not kept.
class TextureTableChange : public LibraryChange {
public:
    // The rows of the library's table, by value, to compare with later.
    static std::vector<TextureEntry> rowsOf(const ResourceLibrary& library);
    // The change from the table before to the library's table now; empty when they are equal.
    static TextureTableChange between(const std::vector<TextureEntry>& before,
                                      const ResourceLibrary& library);

    bool empty() const { return rows.empty(); }
    std::size_t rowCount() const { return rows.size(); }

    void apply(ResourceLibrary& library) override;
    void revert(ResourceLibrary& library) override;

private:
    struct Row {
        std::size_t index;
        std::optional<TextureEntry> before;
        std::optional<TextureEntry> after;
    };
    static void change(ResourceLibrary& library, std::size_t index,
                       const std::optional<TextureEntry>& from,
                       const std::optional<TextureEntry>& to);

    std::vector<Row> rows;  // applied in order
};
