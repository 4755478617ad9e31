#include "cli/OutputTarget.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "cli/CliSupport.h"
#include "persistence/systemError.h"

bool isStandardOutput(const std::string& path) {
    return path == kStandardOutputName;
}

bool isSameFile(const std::string& input, const std::string& output) {
    struct stat in {};
    struct stat out {};
    const int found =
        isStandardOutput(output) ? ::fstat(STDOUT_FILENO, &out) : ::stat(output.c_str(), &out);
    return found == 0 && ::stat(input.c_str(), &in) == 0 && in.st_dev == out.st_dev &&
           in.st_ino == out.st_ino;
}

bool refuseOutputOverInput(const std::string& input, const std::string& output) {
    if (!isSameFile(input, output)) {
        return false;
    }
    reportFileFailure(output, "ist die Eingabedatei " + input + " und wird nicht überschrieben");
    return true;
}

HRESULT StandardOutputStream::write(const void* buffer, std::uint32_t size) {
    const auto* bytes = static_cast<const char*>(buffer);
    while (size > 0) {
        const ssize_t count = ::write(STDOUT_FILENO, bytes, size);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return count < 0 ? hresultFromErrno(errno) : E_FAIL;
        }
        bytes += count;
        size -= static_cast<std::uint32_t>(count);
    }
    return S_OK;
}
