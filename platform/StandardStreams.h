#pragma once

#include <cstdint>

// Standard input and output carry bytes: libraries, JSON and headers pass through "-" unchanged.

// Switches the runtime's standard input, output and error to binary (on Windows they translate
// line ends otherwise) and, on Windows, a console to UTF-8 output for the program's run; on
// POSIX there is nothing to do.
void useBinaryStandardStreams();

// Writes size bytes straight into standard output, past the runtime's buffer; a Win32 error
// code on failure, 0 on success.
std::uint32_t writeStandardOutput(const void* buffer, std::uint32_t size);
