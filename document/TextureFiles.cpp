#include "document/TextureFiles.h"

#include <algorithm>

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

const FolderListing& TextureFileFinder::listingOf(const std::string& folder) {
    const auto known = listings.find(folder);
    if (known != listings.end()) {
        return known->second;
    }
    return listings.emplace(folder, FolderListing(folder)).first->second;
}

bool TextureFileFinder::knownMissing(const std::string& path, bool folder) const {
    const std::string parent = folderOf(path);
    const std::string name = path.substr(parent.size());
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    const auto listing = listings.find(parent);
    if (listing != listings.end() && listing->second.readable()) {
        return !listing->second.contains(name, folder);
    }
    // A folder that is not listed may be known missing from its own folder's listing.
    return parent.size() > 1 && knownMissing(parent.substr(0, parent.size() - 1), true);
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
