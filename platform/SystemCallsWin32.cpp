#include <windows.h>

#include "platform/SystemCalls.h"

namespace {

int readFile(void* file, void* buffer, unsigned long size, unsigned long* transferred) {
    return ReadFile(file, buffer, size, transferred, nullptr);
}

int writeFile(void* file, const void* buffer, unsigned long size, unsigned long* transferred) {
    return WriteFile(file, buffer, size, transferred, nullptr);
}

int flushFile(void* file) {
    return FlushFileBuffers(file);
}

int moveFile(const wchar_t* from, const wchar_t* to, unsigned long flags) {
    return MoveFileExW(from, to, flags);
}

}  // namespace

SystemCalls systemCalls = {readFile, writeFile, flushFile, moveFile};
