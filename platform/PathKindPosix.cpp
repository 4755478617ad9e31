#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/PathKind.h"

PathKind pathKind(const std::string& path, std::uint64_t* size) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return PathKind::Missing;
    }
    if (size != nullptr) {
        *size = static_cast<std::uint64_t>(status.st_size);
    }
    if (S_ISDIR(status.st_mode)) {
        return PathKind::Folder;
    }
    return S_ISREG(status.st_mode) ? PathKind::Regular : PathKind::Special;
}

EntryKind entryKind(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        return EntryKind::Missing;
    }
    if (S_ISLNK(status.st_mode)) {
        return EntryKind::Link;
    }
    if (S_ISDIR(status.st_mode)) {
        return EntryKind::Folder;
    }
    return S_ISREG(status.st_mode) ? EntryKind::Regular : EntryKind::Special;
}

bool opensForReading(const std::string& path) {
    // Non-blocking, so that a named pipe cannot stall the caller.
    const int handle = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0) {
        return false;
    }
    struct stat status {};
    const bool isFile = ::fstat(handle, &status) == 0 && !S_ISDIR(status.st_mode);
    ::close(handle);
    return isFile;
}
