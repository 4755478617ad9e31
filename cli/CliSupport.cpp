#include "cli/CliSupport.h"

#include <iostream>

#include "document/FileFailureText.h"
#include "library/LibraryFile.h"

void reportFileFailure(const std::string& path, const std::string& reason) {
    std::cerr << "tolvane-cli: " << path << ": " << reason << '\n';
}

LoadStatus loadLibraryOrReport(const std::string& path, ResourceLibrary& library) {
    LibraryReadReport report;
    const HRESULT result = loadLibraryFile(path, library, &report);
    const std::string reason = libraryReadText(result, report);
    if (!reason.empty()) {
        reportFileFailure(path, reason);
    }
    if (FAILED(result)) {
        return LoadStatus::Failed;
    }
    return reason.empty() ? LoadStatus::Loaded : LoadStatus::Partial;
}
