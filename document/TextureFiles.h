#pragma once

#include <optional>
#include <string>
#include <vector>

// Where the texture files of a library are looked for. A texture's file name is the
// library's resourcePath + the texture's path, concatenated as they stand; a backslash counts
// as a directory separator. The name is looked up in the current folder first and, where it
// is not found there and is relative, in the folder of the library file, so that a library
// opened from anywhere finds the textures beside it.

// The places to look, in order: the name itself (from the current folder) and, for a
// relative name and a known library file, the name under the library file's folder.
// libraryFile may be empty (a library that was never saved).
std::vector<std::string> TextureFileCandidates(const std::string& fileName,
                                               const std::string& libraryFile);

// The first candidate that can be opened for reading, or none.
std::optional<std::string> LocateTextureFile(const std::string& fileName,
                                             const std::string& libraryFile);
