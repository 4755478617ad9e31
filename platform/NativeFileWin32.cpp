#include <windows.h>

#include "platform/NativeFile.h"
#include "platform/SystemCalls.h"
#include "platform/SystemError.h"
#include "platform/WideText.h"

namespace {

HANDLE handleOf(NativeFile file) {
    return reinterpret_cast<HANDLE>(file);
}

}  // namespace

std::uint32_t openNativeFile(const std::string& path, bool read, bool write, bool create,
                             NativeFile& file) {
    const DWORD access = (read ? GENERIC_READ : 0) | (write ? GENERIC_WRITE : 0);
    const DWORD sharing = write ? 0 : FILE_SHARE_READ;
    // CREATE_ALWAYS would empty the file before the sharing check had a say: OPEN_ALWAYS and
    // an explicit truncation once the file is held.
    const HANDLE handle =
        CreateFileW(wideFromUtf8(path).c_str(), access, sharing, nullptr,
                    create ? OPEN_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return lastSystemErrorCode();
    }
    if (create && !SetEndOfFile(handle)) {
        const std::uint32_t error = lastSystemErrorCode();
        CloseHandle(handle);
        return error;
    }
    file = reinterpret_cast<NativeFile>(handle);
    return 0;
}

void closeNativeFile(NativeFile file) {
    CloseHandle(handleOf(file));
}

std::uint32_t readNativeFile(NativeFile file, void* buffer, std::uint32_t size,
                             std::uint32_t& transferred) {
    auto* target = static_cast<unsigned char*>(buffer);
    transferred = 0;
    while (transferred < size) {
        unsigned long count = 0;
        if (!systemCalls.read(handleOf(file), target + transferred, size - transferred, &count)) {
            // A pipe whose writer has gone has reached its end.
            const std::uint32_t error = lastSystemErrorCode();
            return error == ERROR_BROKEN_PIPE ? 0 : error;
        }
        if (count == 0) {
            break;
        }
        transferred += count;
    }
    return 0;
}

std::uint32_t writeNativeFile(NativeFile file, const void* buffer, std::uint32_t size,
                              std::uint32_t& transferred) {
    const auto* source = static_cast<const unsigned char*>(buffer);
    transferred = 0;
    while (transferred < size) {
        unsigned long count = 0;
        if (!systemCalls.write(handleOf(file), source + transferred, size - transferred, &count)) {
            return lastSystemErrorCode();
        }
        if (count == 0) {
            break;
        }
        transferred += count;
    }
    return 0;
}

std::uint32_t seekNativeFile(NativeFile file, int origin, std::int32_t distance) {
    static constexpr DWORD kMethod[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    LARGE_INTEGER move;
    move.QuadPart = distance;
    return SetFilePointerEx(handleOf(file), move, nullptr, kMethod[origin]) ? 0
                                                                            : lastSystemErrorCode();
}
