#include "document/ChangeSequence.h"

ChangeSequence::ChangeSequence(std::vector<std::unique_ptr<LibraryChange>> changes)
    : changes(std::move(changes)) {}

void ChangeSequence::apply(ResourceLibrary& library) {
    for (const std::unique_ptr<LibraryChange>& change : changes) {
        change->apply(library);
    }
}

void ChangeSequence::revert(ResourceLibrary& library) {
    for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
        (*change)->revert(library);
    }
}
