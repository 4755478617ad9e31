#include "support/FailingSystemCall.h"

#include <cerrno>

namespace {

std::size_t callCount = 0;
std::size_t failingCall = 0;
int failingError = 0;
SystemCalls real;

// True when this call is the one to fail; errno is then set.
bool failsNow() {
    if (++callCount != failingCall) {
        return false;
    }
    errno = failingError;
    return true;
}

ssize_t failingRead(int fd, void* buffer, std::size_t size) {
    return failsNow() ? -1 : real.read(fd, buffer, size);
}

ssize_t failingWrite(int fd, const void* buffer, std::size_t size) {
    return failsNow() ? -1 : real.write(fd, buffer, size);
}

int failingFsync(int fd) {
    return failsNow() ? -1 : real.fsync(fd);
}

int failingRename(const char* from, const char* to) {
    return failsNow() ? -1 : real.rename(from, to);
}

}  // namespace

FailingSystemCall::FailingSystemCall(SystemCall call, std::size_t failing, int error)
    : previous(systemCalls), failing(failing) {
    real = systemCalls;
    callCount = 0;
    failingCall = failing;
    failingError = error;
    switch (call) {
        case SystemCall::Read:
            systemCalls.read = failingRead;
            break;
        case SystemCall::Write:
            systemCalls.write = failingWrite;
            break;
        case SystemCall::Fsync:
            systemCalls.fsync = failingFsync;
            break;
        case SystemCall::Rename:
            systemCalls.rename = failingRename;
            break;
    }
}

FailingSystemCall::~FailingSystemCall() {
    systemCalls = previous;
}

std::size_t FailingSystemCall::calls() const {
    return callCount;
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
