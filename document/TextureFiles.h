#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "document/FolderListing.h"

// Where the texture files of a library are looked for. A texture's file name is the
// library's resourcePath + the texture's path, concatenated as they stand; a backslash counts
// as a directory separator. The name is looked up in the current folder first and, where it
// is not found there and is relative, in the folder of the library file, so that a library
// opened from anywhere finds the textures beside it.
//
// Libraries are made on Windows, where file names ignore letter case. When neither place has
// the name as written, each of its parts is matched to an existing folder entry ignoring the
// case of ASCII and Windows-1252 letters, again in the current folder first and then beside
// the library; a part holding Windows-1252 letters beyond ASCII also matches those letters
// spelt in UTF-8, as file names come out when such a folder is unpacked on Linux. Among
// several matching entries the one spelt exactly as written wins, else the first in byte
// order, so the choice never depends on the order a folder lists its entries in.

// The places to look as written, in order: the name itself (from the current folder) and,
// for a relative name and a known library file, the name under the library file's folder.
// libraryFile may be empty (a library that was never saved).
std::vector<std::string> TextureFileCandidates(const std::string& fileName,
                                               const std::string& libraryFile);

// Looks texture files up. It keeps the listing of every folder it has read, so that one
// finder serves a whole check and reads each folder once, however many textures lie in it;
// a new finder sees the folders as they are now.
class TextureFileFinder {
public:
    // The file to read: the first place as written that can be opened for reading, else the
    // first letter-case match that can; none when there is none.
    std::optional<std::string> locate(const std::string& fileName, const std::string& libraryFile);

    // The places as written, followed, when none of them can be opened, by the letter-case
    // matches (current folder, then beside the library) that differ from them.
    std::vector<std::string> places(const std::string& fileName, const std::string& libraryFile);

private:
    // Folders are found by a hash that grows byte by byte, so that the folders along a path
    // are looked up in one pass over it, however deep it goes.
    struct FolderName {
        std::string_view name;
        std::size_t hash;
    };
    struct FolderHash {
        using is_transparent = void;
        std::size_t operator()(const std::string& name) const;
        std::size_t operator()(const FolderName& name) const { return name.hash; }
    };
    struct FolderEqual {
        using is_transparent = void;
        bool operator()(const std::string& a, const std::string& b) const { return a == b; }
        bool operator()(const FolderName& a, const std::string& b) const { return a.name == b; }
        bool operator()(const std::string& a, const FolderName& b) const { return a == b.name; }
    };

    const FolderListing& listingOf(const std::string& folder);
    // Whether the listings read so far show that path, a file or a folder as asked, is not
    // there; so a check tries no path whose folder it has listed already in vain.
    bool knownMissing(const std::string& path, bool folder) const;
    // fileName matched part by part under base ("" for the current folder, else a folder
    // ending in '/').
    std::optional<std::string> matchIgnoringCase(std::string base, const std::string& fileName);
    // The letter-case matches in the places TextureFileCandidates names.
    std::vector<std::string> caseMatches(const std::string& fileName,
                                         const std::string& libraryFile);
    // Whether path can be opened for reading, asking the file system only where the listings
    // leave it open.
    bool opens(const std::string& path) const;

    std::unordered_map<std::string, FolderListing, FolderHash, FolderEqual> listings;
};

// TextureFileFinder::locate with a finder of its own.
std::optional<std::string> LocateTextureFile(const std::string& fileName,
                                             const std::string& libraryFile);
