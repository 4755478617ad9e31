#include "cli/LibraryOutput.h"

#include "cli/CliSupport.h"
#include "cli/OutputTarget.h"
#include "document/FileFailureText.h"
#include "library/LibraryFile.h"

bool saveLibraryOrReport(const std::string& output, const ResourceLibrary& library) {
    HRESULT result = S_OK;
    if (isStandardOutput(output)) {
        StandardOutputStream stream;
        result = library.save(stream);
    } else {
        result = saveLibraryFile(output, library);
    }
    if (FAILED(result)) {
        reportFileFailure(output, fileFailureText(result));
        return false;
    }
    return true;
}
