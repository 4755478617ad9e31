#pragma once

#include <cstdint>

// The last failed system call's reason as a Win32 error code: GetLastError on Windows, with
// codes of the same meaning made one, so that both systems give the same texts; errno
// translated on POSIX. 0 when there was none.
std::uint32_t lastSystemErrorCode();
