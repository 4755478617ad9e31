#include <string>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/OutputTarget.h"
#include "document/FileFailureText.h"
#include "document/HeaderExport.h"

int runHeader(const Arguments& arguments) {
    const std::string& input = arguments[0];
    const std::string& output = arguments[1];
    if (refuseOutputOverInput(input, output)) {
        return kExitFileError;
    }
    ResourceLibrary library;
    if (loadLibraryOrReport(input, library) != LoadStatus::Loaded) {
        return kExitFileError;
    }
    HRESULT result = S_OK;
    if (isStandardOutput(output)) {
        const std::string text = HeaderText(library);
        StandardOutputStream stream;
        result = stream.write(text.data(), static_cast<std::uint32_t>(text.size()));
    } else if (ExportHeader(library, output, &result) != HeaderExportResult::Ok &&
               SUCCEEDED(result)) {
        result = E_FAIL;  // a failure that left no system error
    }
    if (FAILED(result)) {
        reportFileFailure(output, fileFailureText(result));
        return kExitFileError;
    }
    return kExitSuccess;
}
