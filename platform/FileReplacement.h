#pragma once

#include <cstdint>
#include <string>

// The pieces of the safe save: a temporary file beside the target, put on the disk and moved
// into the target's place in one step. Paths are UTF-8; failures are Win32 error codes (0 is
// success).

// Creates an empty file beside target under a short name of fixed length that no one else
// uses, so that it fits wherever the target's name fits.
std::uint32_t createTemporaryBeside(const std::string& target, std::string& temporary);

// Puts the file's written bytes on the disk (fsync; FlushFileBuffers).
std::uint32_t syncFile(const std::string& path);

// Gives temporary the target's permissions (or a new file's) and moves it into the target's
// place, replacing whatever name stands there (rename; MoveFileExW with
// MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
std::uint32_t replaceFile(const std::string& temporary, const std::string& target);

void removeFile(const std::string& path);

// The file a path finally names once symbolic links are followed, so that replacing a link's
// target keeps the link; the path itself where it names none.
std::string resolvedPath(const std::string& path);
