#pragma once

#include <cstddef>

#include "persistence/SystemCalls.h"

// The system calls that a test can make fail.
enum class SystemCall { Read, Write, Fsync, Rename };

// For its life, makes the failing-th call (counting from 1) of one system call fail with
// error and counts the calls made; every other call goes to the system. One at a time.
class FailingSystemCall {
public:
    FailingSystemCall(SystemCall call, std::size_t failing, int error);
    ~FailingSystemCall();
    FailingSystemCall(const FailingSystemCall&) = delete;
    FailingSystemCall& operator=(const FailingSystemCall&) = delete;

    // The calls made so far, the failed one included.
    std::size_t calls() const;
    // Whether the call to fail was made.
    bool failed() const { return calls() >= failing; }

private:
    SystemCalls previous;
    std::size_t failing;
};

// The name of a system call, for test messages.
const char* systemCallName(SystemCall call);
