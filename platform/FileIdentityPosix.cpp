#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileIdentity.h"

namespace {

FileIdentity identityOf(const struct stat& status) {
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

}  // namespace

std::optional<FileIdentity> fileIdentity(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? std::optional(identityOf(status)) : std::nullopt;
}

std::optional<FileIdentity> standardOutputIdentity() {
    struct stat status {};
    return ::fstat(STDOUT_FILENO, &status) == 0 ? std::optional(identityOf(status)) : std::nullopt;
}
