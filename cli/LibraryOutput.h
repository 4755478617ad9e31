#pragma once

#include <string>

#include "library/uiresourcecontrol.h"

// Writes library to output in the current format: "-" is standard output, a regular file is
// replaced only once written in full (a failed save leaves it as it was), a pipe or a device
// is written into. A failure is told on standard error with the file and the reason; false
// then.
bool saveLibraryOrReport(const std::string& output, const ResourceLibrary& library);
