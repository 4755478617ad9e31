#include "document/FolderListing.h"

#include <algorithm>
#include <functional>

#include "library/Windows1252.h"
#include "platform/FolderEntries.h"

namespace {

bool hasBytesBeyondAscii(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Appends Windows-1252 bytes with every capital letter made small, as Windows compares names.
void appendFolded(std::string& out, std::string_view bytes) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
            out += static_cast<char>(byte + 0x20);
        } else if (byte == 0x8A || byte == 0x8C || byte == 0x8E) {  // Š Œ Ž
            out += static_cast<char>(byte + 0x10);
        } else if (byte == 0x9F) {  // Ÿ
            out += static_cast<char>(0xFF);
        } else {
            out += c;
        }
    }
}

// The folded name an entry is found by: its name in Windows-1252 where it is UTF-8 that
// Windows-1252 can hold, else its bytes as they are.
void appendKey(std::string& out, std::string_view name) {
    if (!hasBytesBeyondAscii(name)) {
        appendFolded(out, name);
        return;
    }
    const std::optional<std::string> windows = windows1252FromUtf8Exactly(std::string(name));
    appendFolded(out, windows ? std::string_view(*windows) : name);
}

std::string keyOfPart(std::string_view part) {
    std::string key;
    appendFolded(key, part);
    return key;
}

}  // namespace

FolderListing::FolderListing(const std::string& folder) {
    const std::optional<std::vector<FolderEntry>> listed = listFolder(folder);
    isReadable = listed.has_value();
    if (!listed) {
        return;
    }
    for (const FolderEntry& entry : *listed) {
        const std::string_view name = entry.name;
        Entry added{};
        added.nameAt = static_cast<std::uint32_t>(text.size());
        added.nameSize = static_cast<std::uint32_t>(name.size());
        text += name;
        added.keyAt = static_cast<std::uint32_t>(text.size());
        appendKey(text, name);
        added.keySize = static_cast<std::uint32_t>(text.size() - added.keyAt);
        added.keyHash = std::hash<std::string_view>()(keyOf(added));
        added.folder = entry.folder;
        entries.push_back(added);
    }
    std::sort(entries.begin(), entries.end(), [this](const Entry& a, const Entry& b) {
        if (a.keyHash != b.keyHash) {
            return a.keyHash < b.keyHash;
        }
        const int byKey = keyOf(a).compare(keyOf(b));
        return byKey != 0 ? byKey < 0 : nameOf(a) < nameOf(b);
    });
}

std::string_view FolderListing::nameOf(const Entry& entry) const {
    return std::string_view(text).substr(entry.nameAt, entry.nameSize);
}

std::string_view FolderListing::keyOf(const Entry& entry) const {
    return std::string_view(text).substr(entry.keyAt, entry.keySize);
}

std::pair<std::vector<FolderListing::Entry>::const_iterator,
          std::vector<FolderListing::Entry>::const_iterator>
FolderListing::withKey(std::string_view key) const {
    const std::uint64_t hash = std::hash<std::string_view>()(key);
    const auto first =
        std::partition_point(entries.begin(), entries.end(), [&](const Entry& entry) {
            return entry.keyHash != hash ? entry.keyHash < hash : keyOf(entry) < key;
        });
    const auto last = std::partition_point(first, entries.end(), [&](const Entry& entry) {
        return entry.keyHash == hash && keyOf(entry) == key;
    });
    return {first, last};
}

const FolderListing::Entry* FolderListing::spelt(std::string_view name, bool folder) const {
    std::string key;
    appendKey(key, name);
    const auto [first, last] = withKey(key);
    const auto found = std::find_if(first, last, [&](const Entry& entry) {
        return nameOf(entry) == name && entry.folder == folder;
    });
    return found != last ? &*found : nullptr;
}

bool FolderListing::contains(std::string_view name, bool folder) const {
    return spelt(name, folder) != nullptr;
}

std::optional<std::string> FolderListing::match(const std::string& part, bool folder) const {
    const Entry* found = spelt(part, folder);
    if (found == nullptr && hasBytesBeyondAscii(part)) {
        found = spelt(utf8FromWindows1252(part), folder);
    }
    if (found == nullptr) {
        const auto [first, last] = withKey(keyOfPart(part));
        const auto suitable =
            std::find_if(first, last, [&](const Entry& entry) { return entry.folder == folder; });
        found = suitable != last ? &*suitable : nullptr;
    }
    return found != nullptr ? std::optional<std::string>(nameOf(*found)) : std::nullopt;
}
