#pragma once

#include <cstdint>
#include <string>

// Files as the system opens them, under the file stream. Every failure is a Win32 error code
// (0 is success): the system's own on Windows, translated from errno on POSIX.

// A file descriptor, or on Windows a HANDLE.
using NativeFile = std::intptr_t;
inline constexpr NativeFile kNoNativeFile = -1;

// Opens path (UTF-8) with the sharing of the Windows rules: readers share with readers, a
// writer shares with nobody (on POSIX through advisory locks, so only cooperating programs are
// held off). create makes the file, or empties an existing one once it is held, so a refused
// open changes nothing. A folder is ERROR_ACCESS_DENIED.
std::uint32_t openNativeFile(const std::string& path, bool read, bool write, bool create,
                             NativeFile& file);

void closeNativeFile(NativeFile file);

// Transfers size bytes, going on after a partial transfer, up to the end of the file;
// transferred receives how many moved. A failure keeps its code, whatever had moved.
std::uint32_t readNativeFile(NativeFile file, void* buffer, std::uint32_t size,
                             std::uint32_t& transferred);
std::uint32_t writeNativeFile(NativeFile file, const void* buffer, std::uint32_t size,
                              std::uint32_t& transferred);

// Moves the position from the start (origin 0), the current position (1) or the end (2);
// a move before the start is ERROR_NEGATIVE_SEEK.
std::uint32_t seekNativeFile(NativeFile file, int origin, std::int32_t distance);
