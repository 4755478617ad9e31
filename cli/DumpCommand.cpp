#include <iostream>
#include <string>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/OutputTarget.h"
#include "document/FileFailureText.h"
#include "library/LibraryFile.h"
#include "library/LibraryJson.h"

int runDump(const Arguments& arguments) {
    const std::string& input = arguments[0];
    const std::string output = arguments.size() < 2 ? kStandardOutputName : arguments[1];
    if (refuseOutputOverInput(input, output)) {
        return kExitFileError;
    }
    ResourceLibrary library;
    if (loadLibraryOrReport(input, library) != LoadStatus::Loaded) {
        return kExitFileError;
    }
    const std::string json = libraryToJson(library);
    if (isStandardOutput(output)) {
        std::cout.write(json.data(), static_cast<std::streamsize>(json.size()));
        return std::cout.flush() ? kExitSuccess : kExitFileError;
    }
    const HRESULT result = saveFileSafely(output, json);
    if (FAILED(result)) {
        reportFileFailure(output, fileFailureText(result));
        return kExitFileError;
    }
    return kExitSuccess;
}
