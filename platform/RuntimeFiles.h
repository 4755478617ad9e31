#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

// Files opened through the C and C++ runtime, named by UTF-8 paths: on Windows the runtime's
// narrow functions take the ANSI code page, so the wide ones are called.

// std::fopen; errno tells why it failed.
std::FILE* openFile(const std::string& path, const char* mode);

// A descriptor open for appending (created when missing), for write(); -1 on failure.
int openForAppending(const std::string& path);

// The path as std::filesystem and the file streams take it.
std::filesystem::path filePath(const std::string& path);
