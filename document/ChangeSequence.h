#pragma once

#include <memory>
#include <vector>

#include "document/LibraryChange.h"

// Several changes made as one step: applied in order, reverted in the reverse order.
class ChangeSequence : public LibraryChange {
public:
    explicit ChangeSequence(std::vector<std::unique_ptr<LibraryChange>> changes);

    void apply(ResourceLibrary& library) override;
    void revert(ResourceLibrary& library) override;

private:
    std::vector<std::unique_ptr<LibraryChange>> changes;
};
