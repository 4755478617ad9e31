#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The entries of one folder, read once and found by name as Windows finds them: ignoring the
// letter case of ASCII and Windows-1252 letters. Names on disk that are UTF-8 match the
// Windows-1252 letters they spell, as file names come out when a folder made on Windows is
// unpacked on Linux.
class FolderListing {
public:
    // folder: "" for the current folder, else a path ending in '/'.
    explicit FolderListing(const std::string& folder);

    // False when the folder could not be read (missing, no folder, no permission).
    bool readable() const { return isReadable; }

    // Whether an entry spelt exactly name is there, a folder or not as asked.
    bool contains(std::string_view name, bool folder) const;

    // The entry that stands for part (Windows-1252 bytes), a folder or not as asked: the one
    // spelt exactly so, else the one spelt so in UTF-8, else the first in byte order that
    // matches ignoring letter case; none when none matches.
    std::optional<std::string> match(const std::string& part, bool folder) const;

private:
    struct Entry {
        std::uint64_t keyHash;  // orders the entries cheaply; equal folded names stay together
        std::uint32_t nameAt;
        std::uint32_t nameSize;
        std::uint32_t keyAt;
        std::uint32_t keySize;
        bool folder;
    };

    std::string_view nameOf(const Entry& entry) const;
    std::string_view keyOf(const Entry& entry) const;
    // The entries whose folded name is key, in byte order of their names.
    std::pair<std::vector<Entry>::const_iterator, std::vector<Entry>::const_iterator> withKey(
        std::string_view key) const;
    const Entry* spelt(std::string_view name, bool folder) const;

    bool isReadable = false;
    std::string text;            // every entry's name followed by its folded name
    std::vector<Entry> entries;  // sorted by keyHash, folded name and name
};
