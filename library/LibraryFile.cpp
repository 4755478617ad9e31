#include "library/LibraryFile.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <new>
#include <optional>
#include <string_view>

#include "persistence/MemoryStreams.h"
#include "persistence/tsStream.h"
#include "platform/FileReplacement.h"
#include "platform/PathKind.h"

namespace {

constexpr HRESULT kTooLarge = hresultFromWin32(ERROR_FILE_TOO_LARGE);

// The most one read or write of the stream moves: its count is 32 bits wide.
constexpr std::uint64_t kLargestTransfer = 0xFFFFFFFFu;

// The first read of a file whose size is unknown (a pipe); each further one is twice as large.
constexpr std::uint32_t kFirstUnsizedRead = 1u << 16;

// Reads what the open stream holds to its end into bytes: one read of size when the size is
// known (a file that shrank meanwhile ends where it ends), else reads of growing size until
// one comes up short or promising turns down what came so far. The code of a read the system
// refused; ERROR_FILE_TOO_LARGE for a file of 4 GiB or more, or one that memory cannot hold.
HRESULT readOpenFile(tsFileStream& stream, std::optional<std::uint64_t> size, std::string& bytes,
                     const std::function<bool(std::string_view)>& promising) {
    if (size && *size > kLargestTransfer) {
        return kTooLarge;
    }
    try {
        std::uint64_t step = size ? *size : kFirstUnsizedRead;
        for (;;) {
            const std::size_t done = bytes.size();
            step = std::min(step, kLargestTransfer - done);
            bytes.resize(done + step);
            std::uint32_t arrived = 0;
            const HRESULT result =
                stream.read(bytes.data() + done, static_cast<std::uint32_t>(step), &arrived);
            bytes.resize(done + arrived);
            if (FAILED(result)) {
                return result == E_FAIL ? S_OK : result;  // E_FAIL: the end of the file
            }
            if (size || (promising && !promising(bytes))) {
                return S_OK;
            }
            if (bytes.size() == kLargestTransfer) {
                return kTooLarge;
            }
            step *= 2;
        }
    } catch (const std::bad_alloc&) {
        bytes = std::string();
        return kTooLarge;
    }
}

// Puts the written temporary file on the disk, so that a crash cannot leave an empty file
// where the library was, and then in the target's place.
HRESULT replaceTarget(const std::string& temporary, const std::string& target) {
    if (const std::uint32_t error = syncFile(temporary); error != 0) {
        return hresultFromWin32(error);
    }
    return hresultFromWin32(replaceFile(temporary, target));
}

// Writes target's new contents into a temporary file beside it and puts that in its place once
// every write succeeded; a failure leaves target untouched and no temporary file behind.
HRESULT replaceThroughTemporary(const std::string& target, const ContentWriter& write,
                                LibrarySaveFailure& failure) {
    std::string temporary;
    HRESULT result = hresultFromWin32(createTemporaryBeside(target, temporary));
    if (FAILED(result)) {
        failure = LibrarySaveFailure::Open;
        return result;
    }
    {
        tsFileStream stream;
        result = stream.open(temporary.c_str(), TS_OPEN_CREATE | TS_OPEN_WRITE);
        if (FAILED(result)) {
            removeFile(temporary);
            failure = LibrarySaveFailure::Open;
            return result;
        }
        result = write(stream);
    }
    if (SUCCEEDED(result)) {
        result = replaceTarget(temporary, target);
    }
    if (FAILED(result)) {
        removeFile(temporary);
        failure = LibrarySaveFailure::Write;
        return result;
    }
    failure = LibrarySaveFailure::None;
    return S_OK;
}

constexpr HRESULT kFolderResult = hresultFromWin32(ERROR_DIRECTORY_NOT_SUPPORTED);

// The version field after the magic, little-endian; bytes must hold it.
std::uint32_t versionIn(std::string_view bytes) {
    const auto* version = reinterpret_cast<const std::uint8_t*>(bytes.data()) + 16;
    return static_cast<std::uint32_t>(version[0]) | version[1] << 8 | version[2] << 16 |
           static_cast<std::uint32_t>(version[3]) << 24;
}

// Whether the first bytes of a file, as far as they go, can begin a library the reader takes.
bool canBeginLibrary(std::string_view bytes) {
    if (std::memcmp(bytes.data(), kLibraryMagic, std::min(bytes.size(), sizeof kLibraryMagic)) !=
        0) {
        return false;
    }
    if (bytes.size() < sizeof kLibraryMagic + 4) {
        return true;
    }
    const std::uint32_t version = versionIn(bytes);
    return version >= kOldestLibraryVersion && version <= kLibraryVersion;
}

// What load found in a file's bytes, from how far it read them and whether a read came up
// short.
LibraryReadReport readReport(const MemoryInputStream& memory, HRESULT loadResult) {
    LibraryReadReport report;
    report.bytesRead = memory.consumed();
    const std::string& bytes = memory.data();
    const std::size_t headRead = std::min(memory.consumed(), sizeof kLibraryMagic);
    if (std::memcmp(bytes.data(), kLibraryMagic, headRead) != 0) {
        report.outcome = LibraryReadOutcome::NotALibrary;
    } else if (memory.cameUpShort()) {
        report.outcome = LibraryReadOutcome::EndsEarly;
    } else if (FAILED(loadResult)) {
        report.outcome = LibraryReadOutcome::UnsupportedVersion;
        report.version = versionIn(bytes);
    }
    return report;
}

}  // namespace

HRESULT readWholeFile(const std::string& path, std::string& bytes,
                      const std::function<bool(std::string_view)>& promising, bool* readRefused) {
    if (readRefused != nullptr) {
        *readRefused = false;
    }
    if (pathKind(path) == PathKind::Folder) {
        return kFolderResult;
    }
    tsFileStream stream;
    HRESULT result = stream.open(path.c_str(), TS_OPEN_READ);
    if (FAILED(result)) {
        return result;
    }
    std::uint64_t size = 0;
    const bool sized = pathKind(path, &size) == PathKind::Regular;
    result = readOpenFile(stream, sized ? std::optional(size) : std::nullopt, bytes, promising);
    if (FAILED(result) && readRefused != nullptr) {
        *readRefused = true;
    }
    return result;
}

HRESULT writeWhole(tsOutputStream& stream, std::string_view contents) {
    std::size_t done = 0;
    do {
        const auto size = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(contents.size() - done, kLargestTransfer));
        if (const HRESULT result = stream.write(contents.data() + done, size); FAILED(result)) {
            return result;
        }
        done += size;
    } while (done < contents.size());
    return S_OK;
}

HRESULT loadLibraryFile(const std::string& path, ResourceLibrary& library,
                        LibraryReadReport* report) {
    if (report != nullptr) {
        *report = LibraryReadReport{};
    }
    std::string bytes;
    bool readRefused = false;
    if (const HRESULT result = readWholeFile(path, bytes, canBeginLibrary, &readRefused);
        FAILED(result)) {
        // A read the system refused says nothing about where the file ends: none of it
        // counts.
        if (readRefused && report != nullptr) {
            report->outcome = LibraryReadOutcome::ReadFailed;
            report->readError = result;
        }
        return result;
    }
    MemoryInputStream memory(std::move(bytes));
    const HRESULT result = library.load(memory);
    if (report != nullptr) {
        *report = readReport(memory, result);
    }
    return result;
}

HRESULT refuseSpecialFile(const std::string& path) {
    return pathKind(path) == PathKind::Special ? hresultFromWin32(ERROR_BAD_FILE_TYPE) : S_OK;
}

HRESULT saveLibraryFile(const std::string& path, const ResourceLibrary& library) {
    MemoryOutputStream bytes;
    const HRESULT result = library.save(bytes);
    return FAILED(result) ? result : saveFileSafely(path, bytes.view());
}

HRESULT saveFileSafely(const std::string& path, std::string_view contents) {
    return saveWrittenSafely(
        path, [contents](tsOutputStream& stream) { return writeWhole(stream, contents); });
}

HRESULT saveWrittenSafely(const std::string& path, const ContentWriter& write) {
    switch (pathKind(path)) {
        case PathKind::Folder:
            return kFolderResult;
        case PathKind::Special: {  // a pipe or a device cannot be replaced, only written
            tsFileStream stream;
            const HRESULT result = stream.open(path.c_str(), TS_OPEN_WRITE);
            return FAILED(result) ? result : write(stream);
        }
        case PathKind::Missing:
        case PathKind::Regular:
            break;
    }
    LibrarySaveFailure ignored = LibrarySaveFailure::None;
    return replaceThroughTemporary(resolvedPath(path), write, ignored);
}

HRESULT saveLibraryBackup(const std::string& path, const ResourceLibrary& library,
                          BackupObstacle* obstacle, LibrarySaveFailure* failure) {
    // What stands at the path itself: a link is not followed.
    BackupObstacle found = BackupObstacle::None;
    switch (entryKind(path)) {
        case EntryKind::Link:
            found = BackupObstacle::Link;
            break;
        case EntryKind::Folder:
            found = BackupObstacle::Folder;
            break;
        case EntryKind::Special:
            found = BackupObstacle::SpecialFile;
            break;
        case EntryKind::Missing:
        case EntryKind::Regular:
            break;
    }
    if (obstacle != nullptr) {
        *obstacle = found;
    }
    LibrarySaveFailure what = LibrarySaveFailure::Open;
    HRESULT result = hresultFromWin32(ERROR_ACCESS_DENIED);
    MemoryOutputStream bytes;
    if (found == BackupObstacle::None && SUCCEEDED(result = library.save(bytes))) {
        // The rename replaces whatever name stands at the path then, never what it points to.
        result = replaceThroughTemporary(
            path, [&bytes](tsOutputStream& stream) { return writeWhole(stream, bytes.view()); },
            what);
    }
    if (failure != nullptr) {
        *failure = what;
    }
    return result;
}
