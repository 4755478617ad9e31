#include "persistence/tsStream.h"

#include "persistence/trace.h"
#include "platform/NativeFile.h"

namespace {

constexpr const char* kSource = "persistence\\tsStream.cpp";
constexpr int kOpenFailedLine = 82;
constexpr int kOpenAssertLine = 85;
constexpr int kReadLine = 130;
constexpr int kWriteLine = 159;
constexpr int kSeekLine = 221;
constexpr int kSkipLine = 238;

}  // namespace

tsFileStream::~tsFileStream() {
    close();
}

HRESULT tsFileStream::open(const char* fileName, std::uint32_t flags) {
    close();
    // Opened as CreateFileA would with the access, sharing and disposition the flags ask for.
    const bool writing = (flags & TS_OPEN_WRITE) != 0;
    const bool reading = !writing || (flags & TS_OPEN_READ) != 0;
    const HRESULT result = hresultFromWin32(
        openNativeFile(fileName, reading, writing, (flags & TS_OPEN_CREATE) != 0, handle));
    if (FAILED(result)) {
        handle = kNoHandle;
        TRACE_ERROR(kSource, kOpenFailedLine, "Error: Open file '%s' failed.\n", fileName);
        TRACE_ERROR(kSource, kOpenAssertLine, "Error: ASSERT_HRESULT(0x%X)\n",
                    static_cast<unsigned>(result));
    }
    return result;
}

HRESULT tsFileStream::close() {
    if (handle != kNoHandle) {
        closeNativeFile(handle);
        handle = kNoHandle;
    }
    return S_OK;
}

HRESULT tsFileStream::read(void* buffer, std::uint32_t size, std::uint32_t* bytesRead) {
    HRESULT result = S_OK;
    if (handle == kNoHandle) {
        result = E_UNEXPECTED;
    } else {
        std::uint32_t transferred = 0;
        result = hresultFromWin32(readNativeFile(handle, buffer, size, transferred));
        if (bytesRead != nullptr) {
            *bytesRead = transferred;
        }
        // Only the end of the file makes a short transfer E_FAIL. A failed system read keeps
        // its own code, so that no one takes an unreadable file for one that ends there.
        if (transferred != size && result == S_OK) {
            result = E_FAIL;
        }
    }
    ASSERT_HRESULT(result, kSource, kReadLine);
    return result;
}

HRESULT tsFileStream::write(const void* buffer, std::uint32_t size) {
    HRESULT result = S_OK;
    if (handle == kNoHandle) {
        result = E_UNEXPECTED;
    } else {
        std::uint32_t transferred = 0;
        result = hresultFromWin32(writeNativeFile(handle, buffer, size, transferred));
        if (transferred != size && result == S_OK) {
            result = E_FAIL;
        }
    }
    ASSERT_HRESULT(result, kSource, kWriteLine);
    return result;
}

HRESULT tsFileStream::seek(int origin, std::int32_t distance) {
    HRESULT result = S_OK;
    if (origin < TS_SEEK_BEGIN || origin > TS_SEEK_END) {
        result = E_INVALIDARG;
    } else if (handle == kNoHandle) {
        result = hresultFromWin32(ERROR_INVALID_HANDLE);
    } else {
        result = hresultFromWin32(seekNativeFile(handle, origin, distance));
    }
    ASSERT_HRESULT(result, kSource, kSeekLine);
    return result;
}

HRESULT tsFileStream::skip(std::int32_t count, std::uint32_t reserved) {
    HRESULT result = seek(TS_SEEK_CURRENT, count);
    if (reserved != 0) {
        result = E_NOTIMPL;
    }
    ASSERT_HRESULT(result, kSource, kSkipLine);
    return result;
}
