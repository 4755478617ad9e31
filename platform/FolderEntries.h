#pragma once

#include <optional>
#include <string>
#include <vector>

struct FolderEntry {
    std::string name;  // as the system spells it: UTF-8 on Windows, bytes as they are on POSIX
    bool folder;       // a folder, or a link to one
};

// The entries of folder ("" for the current folder, else a path ending in '/'), without "."
// and ".."; none when the folder cannot be read (missing, no folder, no permission).
std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder);
