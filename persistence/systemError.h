#pragma once

#include <cstdint>

#include "persistence/hresult.h"

// The Win32 code with the same meaning as an errno value, or ERROR_GEN_FAILURE where there is
// none; 0 for 0.
std::uint32_t win32CodeFromErrno(int error);

// The system-error code for an errno value: hresultFromWin32 of win32CodeFromErrno.
HRESULT hresultFromErrno(int error);
