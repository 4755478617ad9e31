#include "document/TextureFiles.h"

#include <algorithm>
#include <string_view>

#include "document/LibraryCheck.h"

namespace {

std::string withSlashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

// The folder part of path with its trailing slash; empty for a bare file name.
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// FNV-1a, which can go on where the hash of a shorter name ended.
constexpr std::size_t kHashStart = 14695981039346656037ull;
std::size_t extendedHash(std::size_t hash, std::string_view more) {
    for (const char c : more) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    return hash;
}

std::vector<std::string> partsOf(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        if (end > start) {
            parts.push_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return parts;
}

}  // namespace

std::vector<std::string> TextureFileCandidates(const std::string& fileName,
                                               const std::string& libraryFile) {
    std::vector<std::string> candidates{withSlashes(fileName)};
    const std::string folder = folderOf(libraryFile);
    const bool relative = candidates.front().empty() || candidates.front().front() != '/';
    if (relative && !folder.empty()) {
        candidates.push_back(folder + candidates.front());
    }
    return candidates;
}

std::size_t TextureFileFinder::FolderHash::operator()(const std::string& name) const {
    return extendedHash(kHashStart, name);
}

const FolderListing& TextureFileFinder::listingOf(const std::string& folder) {
    const auto known = listings.find(folder);
    if (known != listings.end()) {
        return known->second;
    }
    return listings.emplace(folder, FolderListing(folder)).first->second;
}

bool TextureFileFinder::knownMissing(const std::string& path, bool folder) const {
    // The nearest folder on the way whose listing was read decides. Walking down from the
    // top, each listed folder overrides what the ones above it said; an empty, "." or ".."
    // part names no entry, so nothing above it counts.
    const std::string_view whole = path;
    bool missing = false;
    std::size_t hash = kHashStart;  // of the folder before start
    for (std::size_t start = 0;;) {
        const std::size_t slash = whole.find('/', start);
        const bool last = slash == std::string_view::npos;
        const std::string_view name = whole.substr(start, last ? whole.npos : slash - start);
        if (name.empty() || name == "." || name == "..") {
            missing = false;
        } else if (const auto listing = listings.find(FolderName{whole.substr(0, start), hash});
                   listing != listings.end() && listing->second.readable()) {
            missing = !listing->second.contains(name, folder || !last);
        }
        if (last) {
            return missing;
        }
        hash = extendedHash(hash, whole.substr(start, slash + 1 - start));
        start = slash + 1;
    }
}

bool TextureFileFinder::opens(const std::string& path) const {
    return !knownMissing(path, false) && FileExists(path);
}

std::optional<std::string> TextureFileFinder::matchIgnoringCase(std::string base,
                                                                const std::string& fileName) {
    if (fileName.empty() || fileName.back() == '/') {
        return std::nullopt;  // a folder's name, no file's
    }
    const std::vector<std::string> parts = partsOf(fileName);
    for (std::size_t index = 0; index < parts.size(); ++index) {
        const std::string& part = parts[index];
        const bool last = index + 1 == parts.size();
        if (part == "." || part == "..") {
            if (last) {
                return std::nullopt;
            }
            base += part + '/';
            continue;
        }
        const std::optional<std::string> entry = listingOf(base).match(part, !last);
        if (!entry) {
            return std::nullopt;
        }
        base += *entry;
        if (!last) {
            base += '/';
        }
    }
    return base;
}

std::vector<std::string> TextureFileFinder::caseMatches(const std::string& fileName,
                                                        const std::string& libraryFile) {
    const std::string name = withSlashes(fileName);
    std::vector<std::optional<std::string>> found;
    if (!name.empty() && name.front() == '/') {
        found.push_back(matchIgnoringCase("/", name));
    } else {
        found.push_back(matchIgnoringCase("", name));
        const std::string folder = folderOf(libraryFile);
        if (!folder.empty()) {
            found.push_back(matchIgnoringCase(folder, name));
        }
    }
    std::vector<std::string> matches;
    for (std::optional<std::string>& match : found) {
        if (match && std::find(matches.begin(), matches.end(), *match) == matches.end()) {
            matches.push_back(std::move(*match));
        }
    }
    return matches;
}

std::optional<std::string> TextureFileFinder::locate(const std::string& fileName,
                                                     const std::string& libraryFile) {
    for (const std::string& candidate : TextureFileCandidates(fileName, libraryFile)) {
        if (opens(candidate)) {
            return candidate;
        }
    }
    // A match is listed; whether it can be read only the file system tells.
    for (const std::string& match : caseMatches(fileName, libraryFile)) {
        if (FileExists(match)) {
            return match;
        }
    }
    return std::nullopt;
}

std::vector<std::string> TextureFileFinder::places(const std::string& fileName,
                                                   const std::string& libraryFile) {
    std::vector<std::string> places = TextureFileCandidates(fileName, libraryFile);
    if (std::any_of(places.begin(), places.end(),
                    [this](const std::string& place) { return opens(place); })) {
        return places;
    }
    for (std::string& match : caseMatches(fileName, libraryFile)) {
        if (std::find(places.begin(), places.end(), match) == places.end()) {
            places.push_back(std::move(match));
        }
    }
    return places;
}

std::optional<std::string> LocateTextureFile(const std::string& fileName,
                                             const std::string& libraryFile) {
    return TextureFileFinder().locate(fileName, libraryFile);
}
