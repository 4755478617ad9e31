#include "document/LibraryCheck.h"

#include <algorithm>
#include <unordered_map>

#include "document/TextureFiles.h"
#include "library/Windows1252.h"
#include "platform/LibraryFileNames.h"
#include "platform/PathKind.h"

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isIdentifierCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || isDigit(c) || c == '_';
}

void reportError(LibraryCheckResult& result, const std::string& line) {
    result.lines.push_back(line);
    ++result.errorCount;
}

void checkIdentifiers(const ResourceLibrary& library, LibraryCheckResult& result) {
    for (const auto& resource : library.resources) {
        if (!IsValidIdentifier(resource->identifier)) {
            reportError(result, "Fehler: Ungültiger Bezeichner! " +
                                    utf8FromWindows1252(resource->identifier));
        }
    }
}

// Counts every id once up front, so that big libraries need no pairwise comparison.
void checkSharedIds(const ResourceLibrary& library, LibraryCheckResult& result) {
    std::unordered_map<std::int32_t, std::uint32_t> usage;
    usage.reserve(library.resources.size());
    for (const auto& resource : library.resources) {
        ++usage[resource->id];
    }
    for (const auto& resource : library.resources) {
        if (usage.at(resource->id) > 1) {
            reportError(result, "Fehler: Mehrfach verwendete Resource-ID! Ressource: " +
                                    utf8FromWindows1252(resource->identifier) +
                                    ", RessourceId: " + std::to_string(resource->id));
        }
    }
}

// The resource path is prefixed as it stands: no separator is inserted. One finder for the
// whole check, so that each folder is listed once however many textures lie in it.
void checkTextureFiles(const ResourceLibrary& library, const std::string& libraryFile,
                       LibraryCheckResult& result) {
    const std::string& prefix = library.resourcePath;
    const std::string lookupPath = libraryPathForLookup(libraryFile);
    TextureFileFinder finder;
    for (const auto& texture : library.textures) {
        if (!finder.locate(fileNameFromLibraryText(prefix + texture->path), lookupPath)) {
            reportError(result, "Fehler: Texturedatei konnte nicht geöffnet werden! Dateiname: " +
                                    utf8FromWindows1252(texture->path));
        }
    }
}

}  // namespace

bool IsValidIdentifier(const std::string& text) {
    return !text.empty() && !isDigit(text.front()) &&
           std::all_of(text.begin(), text.end(), isIdentifierCharacter);
}

std::uint32_t CountResourcesWithId(const ResourceLibrary& library, std::int32_t id) {
    return static_cast<std::uint32_t>(
        std::count_if(library.resources.begin(), library.resources.end(),
                      [id](const auto& resource) { return resource->id == id; }));
}

bool FileExists(const std::string& path) {
    std::string posixPath = path;
    std::replace(posixPath.begin(), posixPath.end(), '\\', '/');
    return opensForReading(posixPath);
}

LibraryCheckResult CheckLibrary(const ResourceLibrary& library, const std::string& libraryFile) {
    LibraryCheckResult result;
    result.lines = {"*** Objektdaten prüfen ***", ""};
    checkIdentifiers(library, result);
    checkSharedIds(library, result);
    checkTextureFiles(library, libraryFile, result);
    result.lines.push_back("");
    result.lines.push_back(utf8FromWindows1252(library.name) + " - " +
                           std::to_string(result.errorCount) + " Fehler, " +
                           std::to_string(result.warningCount) + " Warnung(en)");
    return result;
}
