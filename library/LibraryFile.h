#pragma once

#include <functional>
#include <string>

#include "library/uiresourcecontrol.h"
#include "persistence/hresult.h"

// Reads a library file into library as the editor opens one: the file opened for reading
// alone (other readers allowed), then load. The open's failure code or load's result.
HRESULT loadLibraryFile(const std::string& path, ResourceLibrary& library);

// Where a save failed: the file could not be created, or not written in full.
enum class LibrarySaveFailure { None, Open, Write };

// Writes library to path in the newest version. The file is written beside the target
// (created, write-only, unshared) and takes the target's place only when every write
// succeeded, keeping the target's permissions; a failure leaves the target untouched.
// The failed open's code, the first failed write's code, or the system error of the
// replacement; failure, when given, says which step failed.
HRESULT saveLibraryFile(const std::string& path, const ResourceLibrary& library,
                        LibrarySaveFailure* failure = nullptr);

// Writes a file the way saveLibraryFile does, with writeContents filling it; writeContents
// returns its first failed write's code, or S_OK.
HRESULT saveFileSafely(const std::string& path,
                       const std::function<HRESULT(tsOutputStream&)>& writeContents,
                       LibrarySaveFailure* failure = nullptr);
