#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>

#include "persistence/hresult.h"
#include "platform/NativeFile.h"
#include "platform/SystemCalls.h"
#include "platform/SystemError.h"

namespace {

std::uint32_t closingWith(int fd, std::uint32_t error) {
    ::close(fd);
    return error;
}

// Moves size bytes from or to bytes with transfer (read or write), again after an interruption
// or a partial transfer, until all went or the file ends; the system's error, or 0.
template <typename Byte, typename Transfer>
std::uint32_t transferAll(Byte* bytes, std::uint32_t size, std::uint32_t& transferred,
                          Transfer transfer) {
    transferred = 0;
    while (transferred < size) {
        const ssize_t count = transfer(bytes + transferred, size - transferred);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return lastSystemErrorCode();
        }
        if (count == 0) {
            break;
        }
        transferred += static_cast<std::uint32_t>(count);
    }
    return 0;
}

}  // namespace

std::uint32_t openNativeFile(const std::string& path, bool read, bool write, bool create,
                             NativeFile& file) {
    int mode = read && write ? O_RDWR : (write ? O_WRONLY : O_RDONLY);
    mode |= O_CLOEXEC | (create ? O_CREAT : 0);
    const int fd = ::open(path.c_str(), mode, 0666);
    if (fd < 0) {
        return lastSystemErrorCode();
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
        return closingWith(fd, ERROR_ACCESS_DENIED);
    }
    if (::flock(fd, (write ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        return closingWith(fd, lastSystemErrorCode());
    }
    if (create && ::ftruncate(fd, 0) != 0) {
        return closingWith(fd, lastSystemErrorCode());
    }
    file = fd;
    return 0;
}

void closeNativeFile(NativeFile file) {
    ::close(static_cast<int>(file));  // Like CloseHandle here, its result is not examined.
}

std::uint32_t readNativeFile(NativeFile file, void* buffer, std::uint32_t size,
                             std::uint32_t& transferred) {
    // One read() brings a whole field from a regular file; the loop only continues after an
    // interruption or a partial transfer, as ReadFile would.
    return transferAll(static_cast<unsigned char*>(buffer), size, transferred,
                       [file](unsigned char* at, std::size_t count) {
                           return systemCalls.read(static_cast<int>(file), at, count);
                       });
}

std::uint32_t writeNativeFile(NativeFile file, const void* buffer, std::uint32_t size,
                              std::uint32_t& transferred) {
    return transferAll(static_cast<const unsigned char*>(buffer), size, transferred,
                       [file](const unsigned char* at, std::size_t count) {
                           return systemCalls.write(static_cast<int>(file), at, count);
                       });
}

std::uint32_t seekNativeFile(NativeFile file, int origin, std::int32_t distance) {
    static constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (::lseek(static_cast<int>(file), distance, kWhence[origin]) >= 0) {
        return 0;
    }
    // The only way a valid origin fails on an open file is a move before its start.
    return errno == EINVAL ? ERROR_NEGATIVE_SEEK : lastSystemErrorCode();
}
