#include <windows.h>

#include "platform/FileIdentity.h"
#include "platform/WideText.h"

namespace {

std::optional<FileIdentity> identityOf(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION information;
    if (GetFileType(handle) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(handle, &information)) {
        return std::nullopt;
    }
    return FileIdentity{
        information.dwVolumeSerialNumber,
        static_cast<std::uint64_t>(information.nFileIndexHigh) << 32 | information.nFileIndexLow};
}

}  // namespace

std::optional<FileIdentity> fileIdentity(const std::string& path) {
    const HANDLE handle = CreateFileW(wideFromUtf8(path).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    const std::optional<FileIdentity> identity = identityOf(handle);
    CloseHandle(handle);
    return identity;
}

std::optional<FileIdentity> standardOutputIdentity() {
    return identityOf(GetStdHandle(STD_OUTPUT_HANDLE));
}
