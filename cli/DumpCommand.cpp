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
    HRESULT result = S_OK;
    if (isStandardOutput(output)) {
        StandardOutputStream stream;
        result = writeLibraryJson(library, stream);
    } else {
        result = saveWrittenSafely(output, [&library](tsOutputStream& stream) {
            return writeLibraryJson(library, stream);
        });
    }
    if (FAILED(result)) {
        reportFileFailure(output, fileFailureText(result));
        return kExitFileError;
    }
    return kExitSuccess;
}
