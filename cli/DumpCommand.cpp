#include <algorithm>
#include <iostream>
#include <string>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "document/DocumentMessages.h"
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
    ResourceLibrary library;
    if (!loadLibraryOrReport(arguments[0], library)) {
        return kExitFileError;
    }
    const std::string json = libraryToJson(library);
    if (arguments.size() < 2 || arguments[1] == "-") {
        std::cout.write(json.data(), static_cast<std::streamsize>(json.size()));
        return std::cout.flush() ? kExitSuccess : kExitFileError;
    }
    if (FAILED(saveFileSafely(
            arguments[1], [&json](tsOutputStream& stream) { return writeText(stream, json); }))) {
        std::cerr << kSaveFailedMessage << '\n';
        return kExitFileError;
    }
    return kExitSuccess;
}
