#include "support/FailingSystemCallParts.h"

#include <cerrno>

namespace {

ssize_t failingRead(int fd, void* buffer, std::size_t size) {
    return failsNow() ? -1 : realSystemCalls().read(fd, buffer, size);
}

ssize_t failingWrite(int fd, const void* buffer, std::size_t size) {
    return failsNow() ? -1 : realSystemCalls().write(fd, buffer, size);
}

int failingFsync(int fd) {
    return failsNow() ? -1 : realSystemCalls().fsync(fd);
}

int failingRename(const char* from, const char* to) {
    return failsNow() ? -1 : realSystemCalls().rename(from, to);
}

}  // namespace

void setFailingError(int error) {
    errno = error;
}

void putFailingCall(SystemCalls& calls, SystemCall call) {
    switch (call) {
        case SystemCall::Read:
            calls.read = failingRead;
            break;
        case SystemCall::Write:
            calls.write = failingWrite;
            break;
        case SystemCall::Fsync:
            calls.fsync = failingFsync;
            break;
        case SystemCall::Rename:
            calls.rename = failingRename;
            break;
    }
}

const char* systemCallName(SystemCall call) {
    switch (call) {
        case SystemCall::Read:
            return "read";
        case SystemCall::Write:
            return "write";
        case SystemCall::Fsync:
            return "fsync";
        case SystemCall::Rename:
            return "rename";
    }
    return "";
}
