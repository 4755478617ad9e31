#include "persistence/trace.h"

#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/RuntimeFiles.h"

unsigned char traceFlags = 7;

namespace {

char ring[kTraceRingSize][kTraceBufferSize];
int ringIndex = 0;
char baseName[kTraceBufferSize];

constexpr int kNoSink = -1;
int sink = kNoSink;
bool sinkChosen = false;

void closeSink() {
    if (sink != kNoSink && sink != STDERR_FILENO) {
        ::close(sink);
    }
    sink = kNoSink;
}

int currentSink() {
    if (!sinkChosen) {
        traceOpenSink(std::getenv("TOLVANE_TRACE"));
    }
    return sink;
}

void writeToSink(const char* text, std::size_t length) {
    const int fd = currentSink();
    while (fd != kNoSink && length > 0) {
        const ssize_t written = ::write(fd, text, length);
        if (written <= 0) {
            return;  // The outcome of a trace write is ignored.
        }
        text += written;
        length -= static_cast<std::size_t>(written);
    }
}

void traceWriteV(const char* format, va_list arguments) {
    // The location text becomes the format of the message's own placeholders.
    char location[kTraceBufferSize];
    va_list locationArguments;
    va_copy(locationArguments, arguments);
    std::vsnprintf(location, sizeof location, format, locationArguments);
    va_end(locationArguments);

    // Step past the three arguments that "%s(%d) : %s" took.
    (void)va_arg(arguments, const char*);
    (void)va_arg(arguments, int);
    (void)va_arg(arguments, const char*);
    char line[kTraceBufferSize];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::vsnprintf(line, sizeof line, location, arguments);
#pragma GCC diagnostic pop

    std::size_t length = std::strlen(line);
    if (length == 0 || line[length - 1] != '\n') {
        if (length == sizeof line - 1) {
            --length;  // Make room for the line feed in a text that filled the buffer.
        }
        line[length++] = '\n';
        line[length] = '\0';
    }
    writeToSink(line, length);
}

}  // namespace

void traceOpenSink(const char* target) {
    closeSink();
    sinkChosen = true;
    if (target == nullptr || *target == '\0') {
        return;
    }
    if (std::strcmp(target, "-") == 0) {
        sink = STDERR_FILENO;
        return;
    }
    const int fd = openForAppending(target);
    sink = fd < 0 ? kNoSink : fd;
}

char* traceFormat(const char* format, ...) {
    char* buffer = ring[ringIndex];
    ringIndex = (ringIndex + 1) % kTraceRingSize;
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(buffer, kTraceBufferSize, format, arguments);
    va_end(arguments);
    return buffer;
}

char* traceBaseName(const char* path) {
    const char* separator = std::strrchr(path, '\\');
    const char* name = separator == nullptr ? "" : separator + 1;
    std::snprintf(baseName, sizeof baseName, "%s", name);
    return baseName;
}

void traceWrite(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    traceWriteV(format, arguments);
    va_end(arguments);
}

void ASSERT_HRESULT(HRESULT result, const char* sourcePath, int line) {
    if (FAILED(result)) {
        TRACE_ERROR(sourcePath, line, "Error: ASSERT_HRESULT(0x%X)\n",
                    static_cast<unsigned>(result));
    }
}
