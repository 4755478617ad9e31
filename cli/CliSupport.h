#pragma once

#include <string>

#include "library/uiresourcecontrol.h"

// How far a library could be read.
enum class LoadStatus {
    Loaded,   // in full
    Partial,  // the file was cut short: the library holds what came first
    Failed,   // nothing usable
};

// Tells on standard error that path failed: "tolvane-cli: PATH: REASON".
void reportFileFailure(const std::string& path, const std::string& reason);

// Loads a library as the editor opens one; a failure, or a file that did not read in full,
// is told on standard error with the file and the reason.
LoadStatus loadLibraryOrReport(const std::string& path, ResourceLibrary& library);
