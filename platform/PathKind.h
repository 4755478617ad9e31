#pragma once

#include <cstdint>
#include <string>

// What a path (UTF-8) names. Special files are pipes, devices and sockets.
enum class PathKind { Missing, Regular, Folder, Special };

// What path names once links are followed; size, when given, receives a regular file's size.
PathKind pathKind(const std::string& path, std::uint64_t* size = nullptr);

// What stands at path itself, a link not followed: Link for a symbolic link (on Windows any
// reparse point: a symbolic link or a junction).
enum class EntryKind { Missing, Regular, Folder, Link, Special };
EntryKind entryKind(const std::string& path);

// Whether path can be opened for reading and names no folder. Never waits: a named pipe
// without a writer counts as there.
bool opensForReading(const std::string& path);
