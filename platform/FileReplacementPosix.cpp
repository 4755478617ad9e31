#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>

#include "platform/FileReplacement.h"
#include "platform/SystemCalls.h"
#include "platform/SystemError.h"

namespace {

mode_t permissionsFor(const std::string& target) {
    struct stat status {};
    if (::stat(target.c_str(), &status) == 0) {
        return status.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

std::uint32_t createTemporaryBeside(const std::string& target, std::string& temporary) {
    const std::string::size_type slash = target.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    std::string pattern = folder + ".tolvane-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        return lastSystemErrorCode();
    }
    ::close(fd);
    temporary = pattern;
    return 0;
}

std::uint32_t syncFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return lastSystemErrorCode();
    }
    const std::uint32_t result = systemCalls.fsync(fd) == 0 ? 0 : lastSystemErrorCode();
    ::close(fd);
    return result;
}

std::uint32_t replaceFile(const std::string& temporary, const std::string& target) {
    if (::chmod(temporary.c_str(), permissionsFor(target)) != 0 ||
        systemCalls.rename(temporary.c_str(), target.c_str()) != 0) {
        return lastSystemErrorCode();
    }
    return 0;
}

void removeFile(const std::string& path) {
    std::remove(path.c_str());
}

std::string resolvedPath(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}
