#pragma once

#include "support/FailingSystemCall.h"

// What the shared part of FailingSystemCall and each system's part give each other.

// Shared: true when this call is the one to fail, with the error then set; the calls that go
// to the system.
bool failsNow();
const SystemCalls& realSystemCalls();

// Each system's: sets error as the system's last error; puts the failing twin of call into
// calls.
void setFailingError(int error);
void putFailingCall(SystemCalls& calls, SystemCall call);
