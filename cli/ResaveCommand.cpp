#include <iostream>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "document/DocumentMessages.h"
#include "library/LibraryFile.h"

int runResave(const Arguments& arguments) {
    ResourceLibrary library;
    if (!loadLibraryOrReport(arguments[0], library)) {
        return kExitFileError;
    }
    if (FAILED(saveLibraryFile(arguments[1], library))) {
        std::cerr << kSaveFailedMessage << '\n';
        return kExitFileError;
    }
    return kExitSuccess;
}
