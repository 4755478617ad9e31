#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "library/uiresourcecontrol.h"

// The library check: the faults that would break the game or the generated header.

// True for a C identifier made of a to z, A to Z, 0 to 9 and '_' only, not starting with a
// digit. Bytes are compared singly, so any byte outside that set (an umlaut, a blank) fails.
bool IsValidIdentifier(const std::string& text);

// The number of resources whose id equals id, the one asked about included.
std::uint32_t CountResourcesWithId(const ResourceLibrary& library, std::int32_t id);

// True when path names a file that can be opened for reading; a folder is no file. A
// backslash counts as a directory separator, so libraries made on Windows check the same.
bool FileExists(const std::string& path);

struct LibraryCheckResult {
    std::vector<std::string> lines;  // UTF-8, the library's texts decoded from Windows-1252
    std::int32_t errorCount = 0;
    std::int32_t warningCount = 0;  // no fault counts as a warning; kept for the summary
};

// Checks identifiers, shared resource ids and texture files (resourcePath + path, looked up
// from the current directory and then beside libraryFile, in any letter case, see
// TextureFiles.h) and returns the
// result lines: the heading, an empty line, one line per fault, an empty line and the summary.
// libraryFile is the path the library was read from, empty when there is none.
LibraryCheckResult CheckLibrary(const ResourceLibrary& library,
                                const std::string& libraryFile = std::string());
