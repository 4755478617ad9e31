#include "document/IslandFinding.h"

#include <algorithm>
#include <numeric>

namespace {

// Pixels x1 up to x2 of one row that show, and the island they belong to.
struct Run {
    int x1;
    int x2;
    int label;
};

PixelRect united(const PixelRect& a, const PixelRect& b) {
    return {std::min(a.x1, b.x1), std::min(a.y1, b.y1), std::max(a.x2, b.x2), std::max(a.y2, b.y2)};
}

// Finds the islands row by row. Each row's runs of shown pixels are joined to the runs of the
// row above that they touch (overlapping or diagonally adjacent); the islands are labelled
// afresh every row, so only those still growing are held. An island that no run of the next
// row continues is complete.
class IslandScan {
public:
    static constexpr int kCompleted = -2;

    // The runs of the row being read, to be filled in order of x.
    std::vector<Run>& nextRow() {
        current.clear();
        return current;
    }

    // Gives each run of row y an island, joining the islands of the runs above it touches.
    void link(int y) {
        std::size_t first = 0;
        for (Run& run : current) {
            while (first < previous.size() && previous[first].x2 < run.x1) {
                ++first;
            }
            int label = -1;
            for (std::size_t at = first; at < previous.size() && previous[at].x1 <= run.x2; ++at) {
                const int root = find(previous[at].label);
                if (label < 0) {
                    label = root;
                } else if (root != label) {
                    parent[static_cast<std::size_t>(root)] = label;
                    box(label) = united(box(label), box(root));
                }
            }
            const PixelRect pixels{run.x1, y, run.x2, y + 1};
            if (label < 0) {
                label = static_cast<int>(parent.size());
                parent.push_back(label);
                boxes.push_back(pixels);
            } else {
                box(label) = united(box(label), pixels);
            }
            run.label = label;
        }
    }

    // The label the run of the current row covering pixel x has, or -1.
    int labelAt(int x) const {
        for (const Run& run : current) {
            if (x >= run.x1 && x < run.x2) {
                return run.label;
            }
        }
        return -1;
    }

    // Ends the current row: the islands of the row above that it does not continue go to
    // complete(box, whether it is tracked's island). Returns the label tracked's island has
    // from now on, or kCompleted.
    template <typename Complete>
    int close(int tracked, Complete&& complete) {
        const int trackedRoot = tracked >= 0 ? find(tracked) : -1;
        renumbered.assign(parent.size(), -1);
        nextBoxes.clear();
        for (Run& run : current) {
            const int root = find(run.label);
            int& label = renumbered[static_cast<std::size_t>(root)];
            if (label < 0) {
                label = static_cast<int>(nextBoxes.size());
                nextBoxes.push_back(box(root));
            }
            run.label = label;
        }
        for (const Run& run : previous) {
            const int root = find(run.label);
            int& label = renumbered[static_cast<std::size_t>(root)];
            if (label == -1) {
                label = kCompleted;
                complete(box(root), root == trackedRoot);
            }
        }
        const int result =
            trackedRoot >= 0 ? renumbered[static_cast<std::size_t>(trackedRoot)] : -1;
        boxes.swap(nextBoxes);
        parent.resize(boxes.size());
        std::iota(parent.begin(), parent.end(), 0);
        previous.swap(current);
        return result;
    }

    // After the last row: every island still held is complete.
    template <typename Complete>
    void finish(int tracked, Complete&& complete) {
        for (std::size_t label = 0; label < boxes.size(); ++label) {
            complete(boxes[label], static_cast<int>(label) == tracked);
        }
    }

private:
    int find(int label) {
        while (parent[static_cast<std::size_t>(label)] != label) {
            int& up = parent[static_cast<std::size_t>(label)];
            up = parent[static_cast<std::size_t>(up)];
            label = up;
        }
        return label;
    }
    PixelRect& box(int label) { return boxes[static_cast<std::size_t>(label)]; }

    std::vector<Run> previous;
    std::vector<Run> current;
    std::vector<int> parent;  // the labels of the row above (roots) and of the current one
    std::vector<PixelRect> boxes;
    std::vector<int> renumbered;
    std::vector<PixelRect> nextBoxes;
};

// Fills runs with the runs of shown pixels of one row.
template <typename Shows>
void readRow(const std::uint32_t* row, int width, Shows shows, std::vector<Run>& runs) {
    int x = 0;
    while (true) {
        while (x < width && !shows(row[x])) {
            ++x;
        }
        if (x == width) {
            return;
        }
        const int start = x;
        while (x < width && shows(row[x])) {
            ++x;
        }
        runs.push_back({start, x, -1});
    }
}

// Calls scan(shows) with the test of rule as a function the compiler sees through.
template <typename Scan>
auto withShowTest(ShowRule rule, Scan&& scan) {
    const std::uint32_t threshold = static_cast<std::uint32_t>(std::clamp(rule.threshold, 0, 255));
    switch (rule.blendType) {
        case 0:
            return scan([](std::uint32_t) { return true; });
        case 2:
            return scan([threshold](std::uint32_t p) {
                return (p >> 16 & 0xff) > threshold || (p >> 8 & 0xff) > threshold ||
                       (p & 0xff) > threshold;
            });
        default:
            return scan([threshold](std::uint32_t p) { return (p >> 24) > threshold; });
    }
}

const std::uint32_t* rowOf(const TexturePixels& texture, int y) {
    return texture.argb + static_cast<std::ptrdiff_t>(y) * texture.stride;
}

}  // namespace

bool ShowRule::shows(std::uint32_t argb) const {
    return withShowTest(*this, [argb](auto test) { return test(argb); });
}

std::optional<std::vector<PixelRect>> FindIslands(const TexturePixels& texture, ShowRule rule,
                                                  std::stop_token stop) {
    return withShowTest(rule, [&](auto shows) -> std::optional<std::vector<PixelRect>> {
        std::vector<PixelRect> islands;
        const auto keep = [&islands](const PixelRect& box, bool) { islands.push_back(box); };
        IslandScan scan;
        for (int y = 0; y < texture.height; ++y) {
            if (stop.stop_requested()) {
                return std::nullopt;
            }
            readRow(rowOf(texture, y), texture.width, shows, scan.nextRow());
            scan.link(y);
            scan.close(-1, keep);
        }
        scan.finish(-1, keep);
        return islands;
    });
}

std::optional<PixelRect> IslandAt(const TexturePixels& texture, ShowRule rule, int x, int y) {
    if (x < 0 || y < 0 || x >= texture.width || y >= texture.height ||
        !rule.shows(rowOf(texture, y)[x])) {
        return std::nullopt;
    }
    return withShowTest(rule, [&](auto shows) {
        std::optional<PixelRect> found;
        const auto keep = [&found](const PixelRect& box, bool tracked) {
            if (tracked) {
                found = box;
            }
        };
        IslandScan scan;
        int tracked = -1;
        for (int row = 0; row < texture.height && !found; ++row) {
            readRow(rowOf(texture, row), texture.width, shows, scan.nextRow());
            scan.link(row);
            if (row == y) {
                tracked = scan.labelAt(x);
            }
            tracked = scan.close(tracked, keep);
        }
        if (!found) {
            scan.finish(tracked, keep);
        }
        return found;
    });
}
