#include "document/SliceApplication.h"

#include <algorithm>
#include <numeric>

#include "document/AreaListChange.h"

namespace {

// For each candidate, whether it shares pixels with one of existing: a sweep from left to
// right, so that a sheet sliced again against thousands of areas stays quick.
std::vector<bool> overlapsExisting(const std::vector<PixelRect>& candidates,
                                   std::vector<EdgeRect> existing) {
    std::sort(existing.begin(), existing.end(),
              [](const EdgeRect& a, const EdgeRect& b) { return a.x1 < b.x1; });
    std::vector<std::size_t> order(candidates.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&candidates](std::size_t a, std::size_t b) {
        return candidates[a].x1 < candidates[b].x1;
    });
    std::vector<bool> overlaps(candidates.size(), false);
    std::vector<const EdgeRect*> active;  // started left of a candidate's right edge
    std::size_t next = 0;
    for (const std::size_t index : order) {
        const PixelRect& c = candidates[index];
        while (next < existing.size() && existing[next].x1 < c.x2) {
            active.push_back(&existing[next++]);
        }
        // Candidates come by left edge, so an area ending left of this one ends left of all
        // that follow.
        std::erase_if(active, [&c](const EdgeRect* e) { return e->x2 <= c.x1; });
        overlaps[index] = std::any_of(active.begin(), active.end(), [&c](const EdgeRect* e) {
            return e->x1 < c.x2 && c.x1 < e->x2 && e->y1 < c.y2 && c.y1 < e->y2;
        });
    }
    return overlaps;
}

EdgeRect edgesOf(const ResourceArea& area) {
    return EdgeRect{area.x1, area.y1, area.x2, area.y2}.normalized();
}

std::string keptNote(std::size_t leftOut, std::size_t added) {
    if (leftOut == 0) {
        return {};
    }
    if (added == 0) {
        return leftOut == 1 ? "Er überlappt einen vorhandenen Bereich dieser Textur: es käme kein "
                              "Bereich hinzu."
                            : "Alle überlappen vorhandene Bereiche dieser Textur: es käme kein "
                              "Bereich hinzu.";
    }
    return leftOut == 1
               ? "1 überlappt einen vorhandenen Bereich und wird ausgelassen."
               : GermanNumber(leftOut) + " überlappen vorhandene Bereiche und werden ausgelassen.";
}

std::string replacedNote(std::size_t removed) {
    if (removed == 0) {
        return {};
    }
    return removed == 1
               ? "1 vorhandener Bereich dieser Textur wird ersetzt."
               : GermanNumber(removed) + " vorhandene Bereiche dieser Textur werden ersetzt.";
}

}  // namespace

ResourceArea SlicedArea(const PixelRect& rect, std::int32_t textureId) {
    ResourceArea area;
    area.x1 = static_cast<float>(rect.x1);
    area.y1 = static_cast<float>(rect.y1);
    area.x2 = static_cast<float>(rect.x2);
    area.y2 = static_cast<float>(rect.y2);
    area.offsetX = 0.0f;
    area.offsetY = 0.0f;
    area.stretchX = 1.0f;
    area.stretchY = 1.0f;
    area.textureId = textureId;
    return area;
}

SlicePlan PlanSlice(const ResourceLibrary& library, std::size_t resourceIndex,
                    std::int32_t textureId, const std::vector<PixelRect>& candidates,
                    ExistingAreas existing) {
    const std::vector<ResourceArea>& before = library.resources.at(resourceIndex)->areas;
    const auto onTexture = [textureId](const ResourceArea& area) {
        return area.textureId == textureId;
    };
    SlicePlan plan;
    std::vector<ResourceArea> after;
    if (existing == ExistingAreas::Replace) {
        std::copy_if(before.begin(), before.end(), std::back_inserter(after),
                     [&onTexture](const ResourceArea& area) { return !onTexture(area); });
        plan.removed = before.size() - after.size();
        for (const PixelRect& rect : candidates) {
            plan.added.push_back(SlicedArea(rect, textureId));
        }
        plan.note = replacedNote(plan.removed);
    } else {
        after = before;
        std::vector<EdgeRect> kept;
        for (const ResourceArea& area : before) {
            if (onTexture(area)) {
                kept.push_back(edgesOf(area));
            }
        }
        const std::vector<bool> overlaps = overlapsExisting(candidates, std::move(kept));
        for (std::size_t at = 0; at < candidates.size(); ++at) {
            if (overlaps[at]) {
                plan.leftOut.push_back(at);
            } else {
                plan.added.push_back(SlicedArea(candidates[at], textureId));
            }
        }
        plan.note = keptNote(plan.leftOut.size(), plan.added.size());
    }
    plan.firstNewRow = after.size();
    if (plan.added.empty()) {
        if (candidates.empty()) {
            plan.note = "Es gibt keine Bereiche zum Übernehmen.";
        }
        return plan;
    }
    after.insert(after.end(), plan.added.begin(), plan.added.end());
    plan.change = std::make_unique<AreaListChange>(resourceIndex, before, std::move(after));
    return plan;
}
