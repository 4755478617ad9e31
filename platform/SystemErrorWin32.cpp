#include <windows.h>

#include "platform/SystemError.h"

std::uint32_t lastSystemErrorCode() {
    const DWORD error = GetLastError();
    switch (error) {
        case ERROR_HANDLE_DISK_FULL:
            return ERROR_DISK_FULL;
        case ERROR_LOCK_VIOLATION:
            return ERROR_SHARING_VIOLATION;
        case ERROR_WRITE_PROTECT:
            return ERROR_ACCESS_DENIED;
        case ERROR_PATH_NOT_FOUND:  // a missing folder on the way, ENOENT on POSIX too
        case ERROR_INVALID_NAME:    // a name Windows cannot hold names no file there is
            return ERROR_FILE_NOT_FOUND;
        default:
            return error;
    }
}
