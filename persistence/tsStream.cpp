#include "persistence/tsStream.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "persistence/SystemCalls.h"
#include "persistence/systemError.h"
#include "persistence/trace.h"

namespace {

constexpr const char* kSource = "persistence\\tsStream.cpp";
constexpr int kOpenFailedLine = 82;
constexpr int kOpenAssertLine = 85;
constexpr int kReadLine = 130;
constexpr int kWriteLine = 159;
constexpr int kSeekLine = 221;
constexpr int kSkipLine = 238;

HRESULT lastSystemError() {
    return hresultFromErrno(errno);
}

// Opens the file as CreateFileA would with the access, sharing and disposition the flags
// ask for. Truncation waits until the lock is held, so a refused open changes nothing.
HRESULT openHandle(const char* fileName, std::uint32_t flags, int& handle) {
    const bool writing = (flags & TS_OPEN_WRITE) != 0;
    const bool reading = !writing || (flags & TS_OPEN_READ) != 0;
    const bool creating = (flags & TS_OPEN_CREATE) != 0;

    int mode = reading && writing ? O_RDWR : (writing ? O_WRONLY : O_RDONLY);
    mode |= O_CLOEXEC | (creating ? O_CREAT : 0);
    const int fd = ::open(fileName, mode, 0666);
    if (fd < 0) {
        return lastSystemError();
    }

    struct stat status {};
    if (::fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
        ::close(fd);
        return hresultFromWin32(ERROR_ACCESS_DENIED);
    }
    if (::flock(fd, (writing ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        const HRESULT result = lastSystemError();
        ::close(fd);
        return result;
    }
    if (creating && ::ftruncate(fd, 0) != 0) {
        const HRESULT result = lastSystemError();
        ::close(fd);
        return result;
    }
    handle = fd;
    return S_OK;
}

}  // namespace

tsFileStream::~tsFileStream() {
    close();
}

HRESULT tsFileStream::open(const char* fileName, std::uint32_t flags) {
    close();
    const HRESULT result = openHandle(fileName, flags, handle);
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
        ::close(handle);  // Like CloseHandle here, its result is not examined.
        handle = kNoHandle;
    }
    return S_OK;
}

HRESULT tsFileStream::read(void* buffer, std::uint32_t size, std::uint32_t* bytesRead) {
    HRESULT result = S_OK;
    if (handle == kNoHandle) {
        result = E_UNEXPECTED;
    } else {
        // One read() brings a whole field from a regular file; the loop only continues
        // after an interruption or a partial transfer, as ReadFile would.
        auto* target = static_cast<unsigned char*>(buffer);
        std::uint32_t transferred = 0;
        while (transferred < size) {
            const ssize_t count =
                systemCalls.read(handle, target + transferred, size - transferred);
            if (count < 0 && errno == EINTR) {
                continue;
            }
            if (count < 0) {
                result = lastSystemError();
                break;
            }
            if (count == 0) {
                break;
            }
            transferred += static_cast<std::uint32_t>(count);
        }
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
        const auto* source = static_cast<const unsigned char*>(buffer);
        std::uint32_t transferred = 0;
        while (transferred < size) {
            const ssize_t count =
                systemCalls.write(handle, source + transferred, size - transferred);
            if (count < 0 && errno == EINTR) {
                continue;
            }
            if (count <= 0) {
                result = count < 0 ? lastSystemError() : E_FAIL;
                break;
            }
            transferred += static_cast<std::uint32_t>(count);
        }
        if (transferred != size && result == S_OK) {
            result = E_FAIL;
        }
    }
    ASSERT_HRESULT(result, kSource, kWriteLine);
    return result;
}

HRESULT tsFileStream::seek(int origin, std::int32_t distance) {
    static constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    HRESULT result = S_OK;
    if (origin < TS_SEEK_BEGIN || origin > TS_SEEK_END) {
        result = E_INVALIDARG;
    } else if (handle == kNoHandle) {
        result = hresultFromWin32(ERROR_INVALID_HANDLE);
    } else if (::lseek(handle, distance, kWhence[origin]) < 0) {
        // The only way a valid origin fails on an open file is a move before its start.
        result = errno == EINVAL ? hresultFromWin32(ERROR_NEGATIVE_SEEK) : lastSystemError();
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
