#pragma once

#include <string>

// The file name a library's text names (resource path and texture paths are Windows-1252
// bytes), as the system takes it: decoded to UTF-8 on Windows, as the ANSI calls of the
// program that made the library did; bytes as they are on POSIX, where the texture lookup
// matches them to names on disk itself.
std::string fileNameFromLibraryText(const std::string& windows1252);

// The path of a library file as the texture lookup takes its folder: on Windows with '/' for
// every backslash, which separates folders there; as it is on POSIX.
std::string libraryPathForLookup(const std::string& path);
