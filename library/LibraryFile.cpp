#include "library/LibraryFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "persistence/SystemCalls.h"
#include "persistence/systemError.h"
#include "persistence/tsStream.h"

namespace {

// A file name beside the target that no one else uses, created empty. The name is short
// and of fixed length, so that it fits wherever the target's name fits.
HRESULT makeSiblingTemporary(const std::string& target, std::string& temporary) {
    const std::string::size_type slash = target.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    std::string pattern = folder + ".tolvane-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        return hresultFromErrno(errno);
    }
    ::close(fd);
    temporary = pattern;
    return S_OK;
}

// The file a path finally names, so that replacing a symbolic link's target keeps the link.
std::string resolvedTarget(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
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

// Puts the written bytes on the disk before the file takes the target's place, so that a
// crash cannot leave an empty file where the library was.
HRESULT syncToDisk(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return hresultFromErrno(errno);
    }
    const HRESULT result = systemCalls.fsync(fd) == 0 ? S_OK : hresultFromErrno(errno);
    ::close(fd);
    return result;
}

// Gives the written temporary file the target's permissions and puts it in the target's place.
HRESULT replaceTarget(const std::string& temporary, const std::string& target) {
    if (const HRESULT synced = syncToDisk(temporary); FAILED(synced)) {
        return synced;
    }
    if (::chmod(temporary.c_str(), permissionsFor(target)) != 0 ||
        systemCalls.rename(temporary.c_str(), target.c_str()) != 0) {
        return hresultFromErrno(errno);
    }
    return S_OK;
}

// Writes target's new contents into a temporary file beside it and puts that in its place once
// every write succeeded; a failure leaves target untouched and no temporary file behind.
HRESULT replaceThroughTemporary(const std::string& target,
                                const std::function<HRESULT(tsOutputStream&)>& writeContents,
                                LibrarySaveFailure& failure) {
    std::string temporary;
    HRESULT result = makeSiblingTemporary(target, temporary);
    if (FAILED(result)) {
        failure = LibrarySaveFailure::Open;
        return result;
    }
    {
        tsFileStream stream;
        result = stream.open(temporary.c_str(), TS_OPEN_CREATE | TS_OPEN_WRITE);
        if (FAILED(result)) {
            std::remove(temporary.c_str());
            failure = LibrarySaveFailure::Open;
            return result;
        }
        result = writeContents(stream);
    }
    if (SUCCEEDED(result)) {
        result = replaceTarget(temporary, target);
    }
    if (FAILED(result)) {
        std::remove(temporary.c_str());
        failure = LibrarySaveFailure::Write;
        return result;
    }
    failure = LibrarySaveFailure::None;
    return S_OK;
}

constexpr HRESULT kFolderResult = hresultFromWin32(ERROR_DIRECTORY_NOT_SUPPORTED);

// How long the head of a library is: the magic and the version field.
constexpr std::size_t kHeadSize = sizeof kLibraryMagic + 4;

// Passes reads through and notes what the reader got: how many bytes arrived, the head of
// the file, and the first read that failed (short, or with a system error).
class ObservedInput : public tsInputStream {
public:
    explicit ObservedInput(tsInputStream& source) : source(source) {}

    HRESULT read(void* buffer, std::uint32_t size, std::uint32_t* bytesRead) override {
        std::uint32_t arrived = 0;
        const HRESULT result = source.read(buffer, size, &arrived);
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        for (std::uint32_t i = 0; i < arrived && total + i < kHeadSize; ++i) {
            head[total + i] = bytes[i];
        }
        total += arrived;
        if (FAILED(result) && SUCCEEDED(firstFailure)) {
            firstFailure = result;
        }
        if (bytesRead != nullptr) {
            *bytesRead = arrived;
        }
        return result;
    }

    HRESULT skip(std::int32_t count, std::uint32_t reserved) override {
        return source.skip(count, reserved);
    }

    LibraryReadReport report(HRESULT loadResult) const {
        LibraryReadReport report;
        report.bytesRead = total;
        const std::size_t headRead = std::min<std::uint64_t>(total, sizeof kLibraryMagic);
        if (std::memcmp(head.data(), kLibraryMagic, headRead) != 0) {
            report.outcome = LibraryReadOutcome::NotALibrary;
        } else if (firstFailure == E_FAIL) {  // a transfer that came up short
            report.outcome = LibraryReadOutcome::EndsEarly;
        } else if (FAILED(firstFailure)) {
            report.outcome = LibraryReadOutcome::ReadFailed;
            report.readError = firstFailure;
        } else if (FAILED(loadResult)) {
            report.outcome = LibraryReadOutcome::UnsupportedVersion;
            report.version = static_cast<std::uint32_t>(head[16]) | head[17] << 8 | head[18] << 16 |
                             static_cast<std::uint32_t>(head[19]) << 24;
        }
        return report;
    }

private:
    tsInputStream& source;
    std::uint64_t total = 0;
    std::array<std::uint8_t, kHeadSize> head{};
    HRESULT firstFailure = S_OK;
};

// What a path names once links are followed. Special files are pipes, devices and sockets.
enum class PathKind { Missing, Regular, Folder, Special };

PathKind pathKind(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return PathKind::Missing;
    }
    if (S_ISDIR(status.st_mode)) {
        return PathKind::Folder;
    }
    return S_ISREG(status.st_mode) ? PathKind::Regular : PathKind::Special;
}

}  // namespace

HRESULT loadLibraryFile(const std::string& path, ResourceLibrary& library,
                        LibraryReadReport* report) {
    if (report != nullptr) {
        *report = LibraryReadReport{};
    }
    if (pathKind(path) == PathKind::Folder) {
        return kFolderResult;
    }
    tsFileStream stream;
    HRESULT result = stream.open(path.c_str(), TS_OPEN_READ);
    if (FAILED(result)) {
        return result;
    }
    ObservedInput observed(stream);
    result = library.load(observed);
    const LibraryReadReport found = observed.report(result);
    if (report != nullptr) {
        *report = found;
    }
    // A read the system refused says nothing about where the file ends: nothing of it counts.
    return found.outcome == LibraryReadOutcome::ReadFailed ? found.readError : result;
}

HRESULT saveLibraryFile(const std::string& path, const ResourceLibrary& library) {
    return saveFileSafely(path,
                          [&library](tsOutputStream& stream) { return library.save(stream); });
}

HRESULT saveFileSafely(const std::string& path,
                       const std::function<HRESULT(tsOutputStream&)>& writeContents) {
    switch (pathKind(path)) {
        case PathKind::Folder:
            return kFolderResult;
        case PathKind::Special: {  // a pipe or a device cannot be replaced, only written
            tsFileStream stream;
            const HRESULT result = stream.open(path.c_str(), TS_OPEN_WRITE);
            return FAILED(result) ? result : writeContents(stream);
        }
        case PathKind::Missing:
        case PathKind::Regular:
            break;
    }
    LibrarySaveFailure ignored = LibrarySaveFailure::None;
    return replaceThroughTemporary(resolvedTarget(path), writeContents, ignored);
}

HRESULT saveLibraryBackup(const std::string& path, const ResourceLibrary& library,
                          BackupObstacle* obstacle, LibrarySaveFailure* failure) {
    // What stands at the path itself: a link is not followed.
    BackupObstacle found = BackupObstacle::None;
    struct stat status {};
    if (::lstat(path.c_str(), &status) == 0) {
        if (S_ISLNK(status.st_mode)) {
            found = BackupObstacle::Link;
        } else if (S_ISDIR(status.st_mode)) {
            found = BackupObstacle::Folder;
        } else if (!S_ISREG(status.st_mode)) {
            found = BackupObstacle::SpecialFile;
        }
    }
    if (obstacle != nullptr) {
        *obstacle = found;
    }
    LibrarySaveFailure what = LibrarySaveFailure::Open;
    HRESULT result = hresultFromWin32(ERROR_ACCESS_DENIED);
    if (found == BackupObstacle::None) {
        // The rename replaces whatever name stands at the path then, never what it points to.
        result = replaceThroughTemporary(
            path, [&library](tsOutputStream& stream) { return library.save(stream); }, what);
    }
    if (failure != nullptr) {
        *failure = what;
    }
    return result;
}
