#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What makes a file itself, whatever path reaches it: the device and inode, on Windows the
// volume's serial number and the file index.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FileIdentity&) const = default;
};

// None when path (UTF-8) names nothing that can be asked.
std::optional<FileIdentity> fileIdentity(const std::string& path);
std::optional<FileIdentity> standardOutputIdentity();
