#include "platform/LibraryFileNames.h"

std::string fileNameFromLibraryText(const std::string& windows1252) {
    return windows1252;
}

std::string libraryPathForLookup(const std::string& path) {
    return path;
}
