#include "support/FailingSystemCallParts.h"

#include <windows.h>

namespace {

int failingRead(void* file, void* buffer, unsigned long size, unsigned long* transferred) {
    return failsNow() ? FALSE : realSystemCalls().read(file, buffer, size, transferred);
}

int failingWrite(void* file, const void* buffer, unsigned long size, unsigned long* transferred) {
    return failsNow() ? FALSE : realSystemCalls().write(file, buffer, size, transferred);
}

int failingFsync(void* file) {
    return failsNow() ? FALSE : realSystemCalls().fsync(file);
}

int failingRename(const wchar_t* from, const wchar_t* to, unsigned long flags) {
    return failsNow() ? FALSE : realSystemCalls().rename(from, to, flags);
}

}  // namespace

void setFailingError(int error) {
    SetLastError(static_cast<DWORD>(error));
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
