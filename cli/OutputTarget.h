#pragma once

#include <string>

#include "persistence/tsStream.h"

// Where a command writes its output: a file, or standard output for "-".

inline constexpr const char* kStandardOutputName = "-";

bool isStandardOutput(const std::string& path);

// True when output names the existing file input, the same device and inode, whatever way
// it reaches it: another path, a symbolic link, a hard link, or standard output ("-") open
// on it.
bool isSameFile(const std::string& input, const std::string& output);

// Refuses an output that is the input: says so on standard error and returns true.
bool refuseOutputOverInput(const std::string& input, const std::string& output);

// Writes straight into standard output.
class StandardOutputStream : public tsOutputStream {
public:
    HRESULT write(const void* buffer, std::uint32_t size) override;
};
