#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/LibraryOutput.h"
#include "cli/OutputTarget.h"

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
    return saveLibraryOrReport(output, library) ? kExitSuccess : kExitFileError;
}
