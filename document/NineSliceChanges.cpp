#include "document/NineSliceChanges.h"

#include <cassert>
#include <vector>

#include "document/AreaChange.h"
#include "document/ChangeSequence.h"

std::unique_ptr<LibraryChange> MakeNineSliceButton(std::size_t resourceIndex, std::size_t row,
                                                   const ResourceArea& selected,
                                                   const NineSliceButton& button) {
    std::vector<std::unique_ptr<LibraryChange>> changes;
    changes.push_back(AreaChange::removed(resourceIndex, row, selected));
    std::size_t at = row;
    for (const NineSlicePiece& piece : NineSlicePieces(button)) {
        changes.push_back(AreaChange::inserted(resourceIndex, at++, piece.area));
    }
    return std::make_unique<ChangeSequence>(std::move(changes));
}

std::unique_ptr<LibraryChange> ResizeNineSliceButton(std::size_t resourceIndex,
                                                     const std::vector<ResourceArea>& areas,
                                                     const NineSliceSet& set, int width,
                                                     int height) {
    NineSliceButton resized = set.button;
    resized.width = width;
    resized.height = height;
    const std::vector<NineSlicePiece> pieces = NineSlicePieces(resized);
    assert(pieces.size() == set.rows.size());
    std::vector<std::unique_ptr<LibraryChange>> changes;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::size_t row = set.rows[i];
        changes.push_back(AreaChange::replaced(resourceIndex, row, areas.at(row), pieces[i].area));
    }
    return std::make_unique<ChangeSequence>(std::move(changes));
}
