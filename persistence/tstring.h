#pragma once

#include <string>

#include "persistence/hresult.h"
#include "persistence/tsStream.h"

// Counted strings: a length prefix of 1, 3 or 7 bytes, then the text's bytes without a
// terminator. Texts are byte strings; nothing is converted.

HRESULT tsWriteString(const std::string& text, tsOutputStream& stream);

// Replaces target on success, cut at its first zero byte; leaves it unchanged on failure.
HRESULT tsReadString(std::string& target, tsInputStream& stream);

// Upper-cases a to z in place; every other byte stays as it is.
HRESULT tsMakeUpper(std::string& text);
