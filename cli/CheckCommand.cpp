#include <algorithm>
#include <iostream>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "document/LibraryCheck.h"

namespace {

// Checks one library; prefix goes before every line printed.
int checkOne(const std::string& path, const std::string& prefix) {
    ResourceLibrary library;
    if (loadLibraryOrReport(path, library) != LoadStatus::Loaded) {
        return kExitFileError;
    }
    const LibraryCheckResult result = CheckLibrary(library, path);
    for (const std::string& line : result.lines) {
        std::cout << prefix << line << '\n';
    }
    if (!std::cout.flush()) {
        return kExitFileError;
    }
    return result.errorCount == 0 ? kExitSuccess : kExitCheckFailed;
}

}  // namespace

// With several libraries every line names its library, as grep does; the status is the
// worst of all.
int runCheck(const Arguments& arguments) {
    int status = kExitSuccess;
    for (const std::string& path : arguments) {
        const std::string prefix = arguments.size() > 1 ? path + ":" : std::string();
        status = std::max(status, checkOne(path, prefix));
    }
    return status;
}
