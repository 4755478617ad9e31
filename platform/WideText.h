#pragma once

#include <string>

// Windows only: paths and arguments are UTF-8 inside the programs and UTF-16 at the system's
// boundary. Broken sequences become U+FFFD.

std::wstring wideFromUtf8(const std::string& utf8);
std::string utf8FromWide(const std::wstring& wide);
