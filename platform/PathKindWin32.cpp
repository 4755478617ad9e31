#include <windows.h>

#include "platform/PathKind.h"
#include "platform/WideText.h"

namespace {

bool attributesOf(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
    return GetFileAttributesExW(wideFromUtf8(path).c_str(), GetFileExInfoStandard, &data) != 0;
}

}  // namespace

PathKind pathKind(const std::string& path, std::uint64_t* size) {
    // Opened without access rights, following reparse points, so that a link tells what it
    // leads to; FILE_FLAG_BACKUP_SEMANTICS lets folders open too.
    const HANDLE handle = CreateFileW(wideFromUtf8(path).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return PathKind::Missing;
    }
    PathKind kind = PathKind::Special;
    BY_HANDLE_FILE_INFORMATION information;
    if (GetFileType(handle) == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &information)) {
        if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            kind = PathKind::Folder;
        } else {
            kind = PathKind::Regular;
        }
        if (size != nullptr) {
            *size = static_cast<std::uint64_t>(information.nFileSizeHigh) << 32 |
                    information.nFileSizeLow;
        }
    }
    CloseHandle(handle);
    return kind;
}

EntryKind entryKind(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!attributesOf(path, data)) {
        // A device name (NUL, CON) has no attributes and yet opens.
        return pathKind(path) == PathKind::Special ? EntryKind::Special : EntryKind::Missing;
    }
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        return EntryKind::Link;
    }
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return EntryKind::Folder;
    }
    return pathKind(path) == PathKind::Regular ? EntryKind::Regular : EntryKind::Special;
}

bool opensForReading(const std::string& path) {
    const HANDLE handle =
        CreateFileW(wideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;  // a folder does not open without FILE_FLAG_BACKUP_SEMANTICS
    }
    CloseHandle(handle);
    return true;
}
