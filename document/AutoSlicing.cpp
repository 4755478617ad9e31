#include "document/AutoSlicing.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "document/IslandFinding.h"
#include "document/SliceOrder.h"

namespace {

bool sharePixels(const PixelRect& a, const PixelRect& b) {
    return a.x1 < b.x2 && b.x1 < a.x2 && a.y1 < b.y2 && b.y1 < a.y2;
}

// The larger of the empty columns and the empty rows between two boxes.
long long gapBetween(const PixelRect& a, const PixelRect& b) {
    const long long columns = std::max(a.x1, b.x1) - static_cast<long long>(std::min(a.x2, b.x2));
    const long long rows = std::max(a.y1, b.y1) - static_cast<long long>(std::min(a.y2, b.y2));
    return std::max({columns, rows, 0LL});
}

int findRoot(std::vector<int>& parent, int at) {
    while (parent[static_cast<std::size_t>(at)] != at) {
        int& up = parent[static_cast<std::size_t>(at)];
        up = parent[static_cast<std::size_t>(up)];
        at = up;
    }
    return at;
}

std::string settingsProblem(const AutoSliceSettings& settings) {
    if (settings.threshold < 0 || settings.threshold > 255) {
        return "Die Alpha-Schwelle muss zwischen 0 und 255 liegen.";
    }
    if (settings.minimumSize < 0) {
        return "Die Mindestgröße darf nicht negativ sein.";
    }
    if (settings.mergeGap < 0) {
        return "Der Abstand zum Zusammenfassen darf nicht negativ sein.";
    }
    return {};
}

std::string nothingShows(std::int32_t blendType, int threshold) {
    if (blendType == 2) {
        return threshold == 0 ? "Die Textur ist ganz schwarz: kein Pixel ist sichtbar."
                              : "Kein Pixel der Textur ist heller als die Schwelle " +
                                    std::to_string(threshold) + ".";
    }
    return threshold == 0 ? "Die Textur ist ganz durchsichtig: kein Pixel ist sichtbar."
                          : "Kein Pixel der Textur hat ein Alpha über der Schwelle " +
                                std::to_string(threshold) + ".";
}

bool everyPixelShows(const TexturePixels& texture, ShowRule rule) {
    for (int y = 0; y < texture.height; ++y) {
        const std::uint32_t* row = texture.argb + static_cast<std::ptrdiff_t>(y) * texture.stride;
        if (!std::all_of(row, row + texture.width,
                         [rule](std::uint32_t p) { return rule.shows(p); })) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<std::vector<PixelRect>> MergedBoxes(std::vector<PixelRect> boxes, int gap,
                                                  bool overlapping, std::stop_token stop) {
    const long long reach = std::max(gap, 0);
    std::vector<int> parent;
    while (true) {
        // Sorted by left edge, a box can only join the boxes after it that start within its
        // reach.
        std::sort(boxes.begin(), boxes.end(),
                  [](const PixelRect& a, const PixelRect& b) { return a.x1 < b.x1; });
        parent.resize(boxes.size());
        std::iota(parent.begin(), parent.end(), 0);
        bool joined = false;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (i % 1024 == 0 && stop.stop_requested()) {
                return std::nullopt;
            }
            const PixelRect& a = boxes[i];
            for (std::size_t j = i + 1; j < boxes.size() && boxes[j].x1 <= a.x2 + reach; ++j) {
                const PixelRect& b = boxes[j];
                const bool joins =
                    sharePixels(a, b) ? overlapping : gap > 0 && gapBetween(a, b) <= gap;
                if (joins) {
                    const int rootA = findRoot(parent, static_cast<int>(i));
                    const int rootB = findRoot(parent, static_cast<int>(j));
                    if (rootA != rootB) {
                        parent[static_cast<std::size_t>(rootB)] = rootA;
                        joined = true;
                    }
                }
            }
        }
        if (!joined) {
            return boxes;
        }
        // Each group's bounding box, gathered at its root.
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            PixelRect& root =
                boxes[static_cast<std::size_t>(findRoot(parent, static_cast<int>(i)))];
            const PixelRect& box = boxes[i];
            root = {std::min(root.x1, box.x1), std::min(root.y1, box.y1), std::max(root.x2, box.x2),
                    std::max(root.y2, box.y2)};
        }
        std::vector<PixelRect> groups;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (parent[i] == static_cast<int>(i)) {
                groups.push_back(boxes[i]);
            }
        }
        boxes.swap(groups);
    }
}

std::optional<SliceCandidates> AutoSliceCandidates(const TexturePixels& texture,
                                                   std::int32_t blendType,
                                                   const AutoSliceSettings& settings,
                                                   std::stop_token stop) {
    if (blendType == 0) {
        return RefusedSlice(
            "Automatisch zerlegen lassen sich nur Texturen vom Typ Transparent oder Transparent "
            "Additive; eine Textur vom Typ Solid zeigt jedes Pixel. Sie lässt sich im Raster "
            "zerlegen.",
            true);
    }
    if (std::string problem = settingsProblem(settings); !problem.empty()) {
        return RefusedSlice(std::move(problem));
    }
    const ShowRule rule{blendType, settings.threshold};
    std::optional<std::vector<PixelRect>> islands = FindIslands(texture, rule, stop);
    if (!islands) {
        return std::nullopt;
    }
    if (islands->empty()) {
        return RefusedSlice(nothingShows(blendType, settings.threshold));
    }
    if (islands->size() == 1 &&
        islands->front() == PixelRect{0, 0, texture.width, texture.height} &&
        everyPixelShows(texture, rule)) {
        return RefusedSlice(
            "Jedes Pixel der Textur ist sichtbar: es gibt keine Lücken, an denen sie sich "
            "zerlegen ließe. Sie lässt sich im Raster zerlegen.",
            true);
    }
    const std::size_t islandCount = islands->size();
    std::optional<std::vector<PixelRect>> boxes =
        MergedBoxes(std::move(*islands), settings.mergeGap, settings.mergeOverlapping, stop);
    if (!boxes) {
        return std::nullopt;
    }
    std::erase_if(*boxes, [&settings](const PixelRect& box) {
        return box.width() < settings.minimumSize && box.height() < settings.minimumSize;
    });
    if (boxes->empty()) {
        const std::string size = "die Mindestgröße von " +
                                 GermanNumber(static_cast<std::size_t>(settings.minimumSize)) +
                                 (settings.minimumSize == 1 ? " Pixel." : " Pixeln.");
        return RefusedSlice(islandCount == 1 ? "Die einzige Insel ist kleiner als " + size
                                             : "Alle " + GermanNumber(islandCount) +
                                                   " Inseln sind kleiner als " + size);
    }
    if (boxes->size() > kMaxSliceCandidates) {
        return TooManyCandidates(boxes->size(),
                                 "Mindestgröße, Alpha-Schwelle oder Zusammenfassen erhöhen.");
    }
    SliceCandidates result;
    result.rects = InReadingOrder(std::move(*boxes));
    return result;
}
