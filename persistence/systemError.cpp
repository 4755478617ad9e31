#include "persistence/systemError.h"

#include <cerrno>

std::uint32_t win32CodeFromErrno(int error) {
    switch (error) {
        case 0:
            return 0;
        case ENOENT:
            return ERROR_FILE_NOT_FOUND;
        case ENOTDIR:
            return ERROR_PATH_NOT_FOUND;
        case EMFILE:
            return ERROR_TOO_MANY_OPEN_FILES;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EBADF:  // a transfer against the handle's access mode
        case EROFS:
            return ERROR_ACCESS_DENIED;
        case EWOULDBLOCK:
            return ERROR_SHARING_VIOLATION;
        case EEXIST:
            return ERROR_FILE_EXISTS;
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return ERROR_DISK_FULL;
        default:
            return ERROR_GEN_FAILURE;
    }
}

HRESULT hresultFromErrno(int error) {
    return hresultFromWin32(win32CodeFromErrno(error));
}
