#include <algorithm>
#include <iostream>
#include <string>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/OutputTarget.h"
#include "document/FileFailureText.h"
#include "library/LibraryFile.h"
#include "library/LibraryJson.h"

namespace {

// The stream takes at most 4 GiB a call.
HRESULT writeText(tsOutputStream& stream, const std::string& text) {
    constexpr std::size_t kLargestWrite = std::size_t{1} << 30;
    for (std::size_t done = 0; done < text.size(); done += kLargestWrite) {
        const std::size_t size = std::min(kLargestWrite, text.size() - done);
        const HRESULT result = stream.write(text.data() + done, static_cast<std::uint32_t>(size));
        if (FAILED(result)) {
            return result;
        }
    }
    return S_OK;
}

}  // namespace

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
    const HRESULT result = saveFileSafely(
        output, [&json](tsOutputStream& stream) { return writeText(stream, json); });
    if (FAILED(result)) {
        reportFileFailure(output, fileFailureText(result));
        return kExitFileError;
    }
    return kExitSuccess;
}
