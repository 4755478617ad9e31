#include "cli/CliSupport.h"

#include <iostream>

#include "document/DocumentMessages.h"
#include "library/LibraryFile.h"

bool loadLibraryOrReport(const std::string& path, ResourceLibrary& library) {
    if (FAILED(loadLibraryFile(path, library))) {
        std::cerr << kLoadFailedMessage << '\n';
        return false;
    }
    return true;
}
