#include "document/TextureTableChange.h"

#include <algorithm>
#include <ranges>

std::vector<TextureEntry> TextureTableChange::rowsOf(const ResourceLibrary& library) {
    std::vector<TextureEntry> result;
    result.reserve(library.textures.size());
    for (const auto& texture : library.textures) {
        result.push_back(*texture);
    }
    return result;
}

// Rows equal at the start and at the end are left out. Of the rows between, those at the same
// position are replaced where they differ; the surplus of the longer side is then taken out or
// put in behind them.
TextureTableChange TextureTableChange::between(const std::vector<TextureEntry>& before,
                                               const ResourceLibrary& library) {
    const auto& now = library.textures;
    const std::size_t shorter = std::min(before.size(), now.size());
    std::size_t first = 0;
    while (first < shorter && before[first] == *now[first]) {
        ++first;
    }
    std::size_t endBefore = before.size();
    std::size_t endNow = now.size();
    while (endBefore > first && endNow > first && before[endBefore - 1] == *now[endNow - 1]) {
        --endBefore;
        --endNow;
    }

    TextureTableChange result;
    std::size_t index = first;
    for (; index < endBefore && index < endNow; ++index) {
        if (!(before[index] == *now[index])) {
            result.rows.push_back({index, before[index], *now[index]});
        }
    }
    for (std::size_t old = index; old < endBefore; ++old) {
        result.rows.push_back({index, before[old], std::nullopt});
    }
    for (; index < endNow; ++index) {
        result.rows.push_back({index, std::nullopt, *now[index]});
    }
    return result;
}

void TextureTableChange::apply(ResourceLibrary& library) {
    for (const Row& row : rows) {
        change(library, row.index, row.before, row.after);
    }
}

void TextureTableChange::revert(ResourceLibrary& library) {
    for (const Row& row : rows | std::views::reverse) {
        change(library, row.index, row.after, row.before);
    }
}

void TextureTableChange::change(ResourceLibrary& library, std::size_t index,
                                const std::optional<TextureEntry>& from,
                                const std::optional<TextureEntry>& to) {
    auto& textures = library.textures;
    if (from && to) {
        *textures.at(index) = *to;
    } else if (to) {
        textures.insert(textures.begin() + static_cast<std::ptrdiff_t>(index),
                        std::make_unique<TextureEntry>(*to));
    } else {
        textures.erase(textures.begin() + static_cast<std::ptrdiff_t>(index));
    }
}
