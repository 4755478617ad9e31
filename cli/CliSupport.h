#pragma once

#include <string>

#include "library/uiresourcecontrol.h"

// Loads a library as the editor opens one; on failure says so on standard error.
bool loadLibraryOrReport(const std::string& path, ResourceLibrary& library);
