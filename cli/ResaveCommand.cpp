#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/OutputTarget.h"
#include "document/FileFailureText.h"
#include "library/LibraryFile.h"

int runResave(const Arguments& arguments) {
    const std::string& input = arguments[0];
    const std::string& output = arguments[1];
    // Onto the input's own path the save is a safe in-place rewrite; standard output open
    // on the input would only be written over.
    if (isStandardOutput(output) && refuseOutputOverInput(input, output)) {
        return kExitFileError;
    }
    ResourceLibrary library;
    if (loadLibraryOrReport(input, library) != LoadStatus::Loaded) {
        return kExitFileError;
    }
    HRESULT result = S_OK;
    if (isStandardOutput(output)) {
        StandardOutputStream stream;
        result = library.save(stream);
    } else {
        result = saveLibraryFile(output, library);
    }
    if (FAILED(result)) {
        reportFileFailure(output, fileFailureText(result));
        return kExitFileError;
    }
    return kExitSuccess;
}
