#include <windows.h>

#include <random>

#include "platform/FileReplacement.h"
#include "platform/SystemCalls.h"
#include "platform/SystemError.h"
#include "platform/WideText.h"

std::uint32_t createTemporaryBeside(const std::string& target, std::string& temporary) {
    const std::string::size_type slash = target.find_last_of("/\\");
    const std::string folder =
        slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::minstd_rand random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = folder + ".tolvane-";
        for (int index = 0; index < 6; ++index) {
            name += kLetters[random() % (sizeof kLetters - 1)];
        }
        const HANDLE handle = CreateFileW(wideFromUtf8(name).c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
            temporary = name;
            return 0;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) {
            return lastSystemErrorCode();
        }
    }
    return ERROR_FILE_EXISTS;
}

std::uint32_t syncFile(const std::string& path) {
    // FlushFileBuffers needs write access; the file is ours and nobody else's yet.
    const HANDLE handle = CreateFileW(wideFromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return lastSystemErrorCode();
    }
    const std::uint32_t result = systemCalls.fsync(handle) ? 0 : lastSystemErrorCode();
    CloseHandle(handle);
    return result;
}

std::uint32_t replaceFile(const std::string& temporary, const std::string& target) {
    // The new file keeps the attributes a new file gets; Windows has no mode bits to carry over.
    return systemCalls.rename(wideFromUtf8(temporary).c_str(), wideFromUtf8(target).c_str(),
                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : lastSystemErrorCode();
}

void removeFile(const std::string& path) {
    DeleteFileW(wideFromUtf8(path).c_str());
}

std::string resolvedPath(const std::string& path) {
    // MoveFileExW replaces a symbolic link itself; links on Windows are rare and need rights
    // to make, so the path is taken as it stands.
    return path;
}
