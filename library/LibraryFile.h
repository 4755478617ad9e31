#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "library/uiresourcecontrol.h"
#include "persistence/hresult.h"
#include "persistence/tsStream.h"

// What a read of a library file found, beyond the result code.
enum class LibraryReadOutcome {
    Complete,            // read in full, or the open failed (the result code tells why)
    EndsEarly,           // the file ended before the library did, after bytesRead bytes
    ReadFailed,          // the file could not be read: readError says why
    NotALibrary,         // the file does not start with the library magic
    UnsupportedVersion,  // the version field holds version, which the reader does not take
};

struct LibraryReadReport {
    LibraryReadOutcome outcome = LibraryReadOutcome::Complete;
    std::uint64_t bytesRead = 0;
    std::uint32_t version = 0;
    HRESULT readError = S_OK;
};

// Reads the whole of the file at path into bytes: a regular file with one read of its size,
// anything else (a pipe, a device, standard input as /dev/stdin) with reads of growing size
// until its end, or until promising, asked after each of them, says the bytes so far cannot
// begin what the caller reads. The open's failure code, ERROR_DIRECTORY_NOT_SUPPORTED for a
// folder, the code of a read the system refused (readRefused, when given, then says so), or
// ERROR_FILE_TOO_LARGE for 4 GiB or more, or more than memory holds.
HRESULT readWholeFile(const std::string& path, std::string& bytes,
                      const std::function<bool(std::string_view)>& promising,
                      bool* readRefused = nullptr);

// Reads a library file into library as the editor opens one: the file opened for reading
// alone (other readers allowed), its whole content read by readWholeFile (stopping at once
// where the first bytes are no library magic or a version the reader does not take), then
// load from memory. readWholeFile's failure code or load's result. A file cut short still
// loads with S_OK, as far as it goes; report, when given, says where it ended.
HRESULT loadLibraryFile(const std::string& path, ResourceLibrary& library,
                        LibraryReadReport* report = nullptr);

// ERROR_BAD_FILE_TYPE when path names something other than a regular file or a folder (a
// pipe, a device, a socket), which the editor never opens: a pipe without a writer would
// block it and a device never end. S_OK otherwise, also when nothing is there.
HRESULT refuseSpecialFile(const std::string& path);

// Writes library to path in the newest version: saved into memory, then written with one
// write, synced and renamed into place. A regular file (or a link to one) is written
// beside the target under a short temporary name (created, write-only, unshared) and takes
// the target's place only when every write succeeded, keeping the target's permissions; a
// failure leaves the target untouched. Anything else that exists (a pipe, a device) is
// written straight into; a folder is ERROR_DIRECTORY_NOT_SUPPORTED.
// The failed open's code, the first failed write's code, or the system error of the
// replacement.
HRESULT saveLibraryFile(const std::string& path, const ResourceLibrary& library);

// Writes contents to a file the way saveLibraryFile does.
HRESULT saveFileSafely(const std::string& path, std::string_view contents);

// Writes the contents of a file into the stream given; its first failed write's code.
using ContentWriter = std::function<HRESULT(tsOutputStream&)>;

// Writes a file the way saveFileSafely does, with what write puts into the stream, for
// contents written piece by piece; write's failure is the save's.
HRESULT saveWrittenSafely(const std::string& path, const ContentWriter& write);

// Writes contents into stream in one write, or in writes of 4 GiB - 1 where it is larger.
HRESULT writeWhole(tsOutputStream& stream, std::string_view contents);

// Where a backup failed: the file could not be created, or not written in full.
enum class LibrarySaveFailure { None, Open, Write };

// What stands in the way of a backup: something at its path that is not a regular file.
enum class BackupObstacle { None, Link, Folder, SpecialFile };

// Writes library to path as the automatic backup of an opened library, the way
// saveLibraryFile replaces a regular file, but never through a symbolic link and never into
// anything but a regular file: a link (even to a regular file), a folder, a pipe, a device or
// a socket at path is left alone and nothing is written. obstacle, when given, says what stood
// there; the result is then ERROR_ACCESS_DENIED with failure Open.
HRESULT saveLibraryBackup(const std::string& path, const ResourceLibrary& library,
                          BackupObstacle* obstacle = nullptr,
                          LibrarySaveFailure* failure = nullptr);
