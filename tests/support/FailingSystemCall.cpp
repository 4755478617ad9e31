#include "support/FailingSystemCallParts.h"

namespace {

std::size_t callCount = 0;
std::size_t failingCall = 0;
int failingError = 0;
SystemCalls real;

}  // namespace

bool failsNow() {
    if (++callCount != failingCall) {
        return false;
    }
    setFailingError(failingError);
    return true;
}

const SystemCalls& realSystemCalls() {
    return real;
}

FailingSystemCall::FailingSystemCall(SystemCall call, std::size_t failing, int error)
    : previous(systemCalls), failing(failing) {
    real = systemCalls;
    callCount = 0;
    failingCall = failing;
    failingError = error;
    putFailingCall(systemCalls, call);
}

FailingSystemCall::~FailingSystemCall() {
    systemCalls = previous;
}

std::size_t FailingSystemCall::calls() const {
    return callCount;
}
