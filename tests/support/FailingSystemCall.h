#pragma once

#include <cerrno>
#include <cstddef>

#include "platform/SystemCalls.h"

// The system calls that a test can make fail.
enum class SystemCall { Read, Write, Fsync, Rename };

// An input/output error of the system, as the failing call reports it: errno EIO, on Windows
// ERROR_GEN_FAILURE.
#ifdef _WIN32
inline constexpr int kInputOutputError = 31;
#else
inline constexpr int kInputOutputError = EIO;
#endif

// For its life, makes the failing-th call (counting from 1) of one system call fail with
// error (an errno value, on Windows a Win32 code) and counts the calls made; every other call goes
// to the system. One at a time.
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
