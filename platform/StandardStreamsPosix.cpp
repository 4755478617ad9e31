#include <unistd.h>

#include <cerrno>

#include "persistence/hresult.h"
#include "platform/StandardStreams.h"
#include "platform/SystemError.h"

void useBinaryStandardStreams() {}

std::uint32_t writeStandardOutput(const void* buffer, std::uint32_t size) {
    const auto* bytes = static_cast<const char*>(buffer);
    while (size > 0) {
        const ssize_t count = ::write(STDOUT_FILENO, bytes, size);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return count < 0 ? lastSystemErrorCode() : ERROR_GEN_FAILURE;
        }
        bytes += count;
        size -= static_cast<std::uint32_t>(count);
    }
    return 0;
}
