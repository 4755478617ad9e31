#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "platform/StandardStreams.h"
#include "platform/SystemError.h"

namespace {

UINT consoleCodePage = 0;

void restoreConsoleCodePage() {
    SetConsoleOutputCP(consoleCodePage);
}

}  // namespace

void useBinaryStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // The texts are UTF-8: a console shows them as such while the program runs.
    consoleCodePage = GetConsoleOutputCP();
    if (consoleCodePage != 0 && consoleCodePage != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
        std::atexit(restoreConsoleCodePage);
    }
}

std::uint32_t writeStandardOutput(const void* buffer, std::uint32_t size) {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    const auto* bytes = static_cast<const char*>(buffer);
    while (size > 0) {
        DWORD count = 0;
        if (!WriteFile(output, bytes, size, &count, nullptr)) {
            return lastSystemErrorCode();
        }
        if (count == 0) {
            return ERROR_GEN_FAILURE;
        }
        bytes += count;
        size -= count;
    }
    return 0;
}
