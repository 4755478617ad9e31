#include "support/FailingSystemCall.h"

#include <windows.h>

namespace {

std::size_t callCount = 0;
std::size_t failingCall = 0;
int failingError = 0;
SystemCalls real;

// True when this call is the one to fail; the last error is then set.
bool failsNow() {
    if (++callCount != failingCall) {
        return false;
    }
    SetLastError(static_cast<DWORD>(failingError));
    return true;
}

int failingRead(void* file, void* buffer, unsigned long size, unsigned long* transferred) {
    return failsNow() ? FALSE : real.read(file, buffer, size, transferred);
}

int failingWrite(void* file, const void* buffer, unsigned long size, unsigned long* transferred) {
    return failsNow() ? FALSE : real.write(file, buffer, size, transferred);
}

int failingFsync(void* file) {
    return failsNow() ? FALSE : real.fsync(file);
}

int failingRename(const wchar_t* from, const wchar_t* to, unsigned long flags) {
    return failsNow() ? FALSE : real.rename(from, to, flags);
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
            return "ReadFile";
        case SystemCall::Write:
            return "WriteFile";
        case SystemCall::Fsync:
            return "FlushFileBuffers";
        case SystemCall::Rename:
            return "MoveFileExW";
    }
    return "";
}
