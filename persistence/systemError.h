#pragma once

#include "persistence/hresult.h"

// The system-error code for an errno value: the Win32 code with the same meaning, or
// ERROR_GEN_FAILURE where there is none; S_OK for 0.
HRESULT hresultFromErrno(int error);
