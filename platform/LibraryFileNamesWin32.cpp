#include <algorithm>

#include "library/Windows1252.h"
#include "platform/LibraryFileNames.h"

std::string fileNameFromLibraryText(const std::string& windows1252) {
    return utf8FromWindows1252(windows1252);
}

std::string libraryPathForLookup(const std::string& path) {
    std::string lookup = path;
    std::replace(lookup.begin(), lookup.end(), '\\', '/');
    return lookup;
}
