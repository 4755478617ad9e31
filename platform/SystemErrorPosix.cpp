#include <cerrno>

#include "persistence/systemError.h"
#include "platform/SystemError.h"

std::uint32_t lastSystemErrorCode() {
    return win32CodeFromErrno(errno);
}
