#include <iostream>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "document/LibraryCheck.h"

int runCheck(const Arguments& arguments) {
    ResourceLibrary library;
    if (!loadLibraryOrReport(arguments[0], library)) {
        return kExitFileError;
    }
    const LibraryCheckResult result = CheckLibrary(library);
    for (const std::string& line : result.lines) {
        std::cout << line << '\n';
    }
    if (!std::cout.flush()) {
        return kExitFileError;
    }
    return result.errorCount == 0 ? kExitSuccess : kExitCheckFailed;
}
