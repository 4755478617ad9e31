#pragma once

#include <optional>
#include <string>
#include <string_view>

// Library texts are Windows-1252 bytes; the user sees and types Unicode.

// UTF-8 for Windows-1252 bytes. The five unassigned bytes map to the C1 controls of the
// same value, as Windows itself maps them.
std::string utf8FromWindows1252(const std::string& bytes);

// Windows-1252 bytes for UTF-8; a character Windows-1252 cannot hold, and every byte of a
// broken UTF-8 sequence, becomes '?'.
std::string windows1252FromUtf8(const std::string& utf8);

// Windows-1252 bytes for UTF-8 in which every character has a byte (the five unassigned
// bytes come back from their C1 controls); nothing when one has none or the UTF-8 is broken.
std::optional<std::string> windows1252FromUtf8Exactly(std::string_view utf8);
