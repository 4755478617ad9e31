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

std::optional<std::string> LocateTextureFile(const std::string& fileName,
                                             const std::string& libraryFile) {
    for (const std::string& candidate : TextureFileCandidates(fileName, libraryFile)) {
        if (FileExists(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}
