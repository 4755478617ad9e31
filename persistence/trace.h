#pragma once

#include "persistence/hresult.h"

// Trace diagnostics of the persistence code: one line per failure site, naming the
// source module and line. The sink reaches nothing unless TOLVANE_TRACE names a file
// (or "-" for standard error), or traceOpenSink points it somewhere.

inline constexpr int kTraceBufferSize = 4096;
inline constexpr int kTraceRingSize = 10;

// Bit 0 switches error traces on.
extern unsigned char traceFlags;

// Formats into the next of ten ring buffers and returns it; a text stays intact until
// ten further calls have been made.
char* traceFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The part of a path after its last backslash (empty without one), in a shared buffer.
char* traceBaseName(const char* path);

// Formats "%s(%d) : %s" with its three arguments, uses the result as the format for the
// arguments that follow, ends it with a line feed and writes it to the sink.
void traceWrite(const char* format, ...);

// One trace line: "<base name>(<line>) : TRACE_ERROR: <message>", the message's own
// placeholders filled from the further arguments.
template <typename... Arguments>
void TRACE_ERROR(const char* sourcePath, int line, const char* message, Arguments... arguments) {
    if ((traceFlags & 1) == 0) {
        return;
    }
    char* text = traceFormat("TRACE_ERROR: %s", message);
    char* base = traceBaseName(sourcePath);
    traceWrite("%s(%d) : %s", base, line, text, arguments...);
}

// Traces "Error: ASSERT_HRESULT(0x%X)" when the result is a failure.
void ASSERT_HRESULT(HRESULT result, const char* sourcePath, int line);

// Points the sink at a file (appending), at standard error ("-"), or at nothing (null or
// empty). Without a call the sink follows TOLVANE_TRACE at the first trace line.
void traceOpenSink(const char* target);
