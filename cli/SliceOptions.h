#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cli/Commands.h"
#include "document/AutoSlicing.h"
#include "document/GridSlicing.h"
#include "document/SliceApplication.h"

// The call of `tolvane-cli slice`: options in any order around the one library.
struct SliceOptions {
    std::string library;
    std::int32_t resourceId = 0;
    std::int32_t textureId = 0;
    bool automatic = false;  // --auto, else a grid (--grid or --cells)
    GridSettings grid;
    AutoSliceSettings islands;
    ExistingAreas existing = ExistingAreas::KeepAndAdd;
    std::string output;  // -o; the library itself when not given
};

// The options of arguments (those after "slice"), or what is wrong with them in the words
// printed after "tolvane-cli slice: " (German).
struct ParsedSliceOptions {
    std::optional<SliceOptions> options;
    std::string problem;
};
ParsedSliceOptions ParseSliceOptions(const Arguments& arguments);

// The synopsis and options, as `tolvane-cli slice --help` prints them.
extern const char* const kSliceHelp;
