#include "library/LibraryFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "persistence/systemError.h"
#include "persistence/tsStream.h"

namespace {

// A file name beside the target that no one else uses, created empty.
HRESULT makeSiblingTemporary(const std::string& target, std::string& temporary) {
    std::vector<char> name(target.begin(), target.end());
    const std::string suffix = ".XXXXXX";
    name.insert(name.end(), suffix.begin(), suffix.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        return hresultFromErrno(errno);
    }
    ::close(fd);
    temporary = name.data();
    return S_OK;
}

// The file a path finally names, so that replacing a symbolic link's target keeps the link.
std::string resolvedTarget(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

// Puts the written bytes on the disk before the file takes the target's place, so that a
// crash cannot leave an empty file where the library was.
bool syncToDisk(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

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

HRESULT loadLibraryFile(const std::string& path, ResourceLibrary& library) {
    tsFileStream stream;
    const HRESULT result = stream.open(path.c_str(), TS_OPEN_READ);
    return FAILED(result) ? result : library.load(stream);
}

HRESULT saveLibraryFile(const std::string& path, const ResourceLibrary& library,
                        LibrarySaveFailure* failure) {
    return saveFileSafely(
        path, [&library](tsOutputStream& stream) { return library.save(stream); }, failure);
}

HRESULT saveFileSafely(const std::string& path,
                       const std::function<HRESULT(tsOutputStream&)>& writeContents,
                       LibrarySaveFailure* failure) {
    const auto report = [failure](LibrarySaveFailure what, HRESULT result) {
        if (failure != nullptr) {
            *failure = what;
        }
        return result;
    };
    const std::string target = resolvedTarget(path);
    std::string temporary;
    HRESULT result = makeSiblingTemporary(target, temporary);
    if (FAILED(result)) {
        return report(LibrarySaveFailure::Open, result);
    }
    {
        tsFileStream stream;
        result = stream.open(temporary.c_str(), TS_OPEN_CREATE | TS_OPEN_WRITE);
        if (FAILED(result)) {
            std::remove(temporary.c_str());
            return report(LibrarySaveFailure::Open, result);
        }
        result = writeContents(stream);
    }
    if (SUCCEEDED(result) &&
        (!syncToDisk(temporary) || ::chmod(temporary.c_str(), permissionsFor(target)) != 0 ||
         std::rename(temporary.c_str(), target.c_str()) != 0)) {
        result = hresultFromErrno(errno);
    }
    if (FAILED(result)) {
        std::remove(temporary.c_str());
        return report(LibrarySaveFailure::Write, result);
    }
    return report(LibrarySaveFailure::None, S_OK);
}
