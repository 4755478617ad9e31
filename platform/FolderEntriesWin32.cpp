#include <windows.h>

#include <string_view>

#include "platform/FolderEntries.h"
#include "platform/PathKind.h"
#include "platform/WideText.h"

std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileExW(wideFromUtf8(folder + "*").c_str(), FindExInfoBasic,
                                           &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::vector<FolderEntry> entries;
    do {
        const std::wstring_view name = found.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        FolderEntry entry{utf8FromWide(found.cFileName),
                          (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0};
        // A link to a folder carries the folder attribute itself; a link to a file leads on.
        if (!entry.folder && (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
            entry.folder = pathKind(folder + entry.name) == PathKind::Folder;
        }
        entries.push_back(std::move(entry));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return entries;
}
