#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/OutputTarget.h"
#include "document/FileFailureText.h"
#include "library/LibraryFile.h"
#include "library/LibraryJson.h"

namespace {

// Whether the first bytes of an input can begin a text form: nothing but white space before an
// opening brace.
bool canBeginTextForm(std::string_view bytes) {
    const std::size_t first = bytes.find_first_not_of(" \t\r\n");
    return first == std::string_view::npos || bytes[first] == '{';
}

// The whole of a file, or of standard input for "-", read as a library file is; nothing (and a
// report) on failure.
std::optional<std::string> readInput(const std::string& path) {
#ifdef _WIN32
    // Standard input has no path on Windows: read through the runtime, unbounded.
    if (path == "-") {
        std::string text(std::istreambuf_iterator<char>(std::cin), {});
        if (!std::cin.good() && !std::cin.eof()) {
            reportFileFailure("<stdin>", fileFailureText(E_FAIL));
            return std::nullopt;
        }
        return text;
    }
#endif
    std::string text;
    if (const HRESULT result =
            readWholeFile(path == "-" ? "/dev/stdin" : path, text, canBeginTextForm);
        FAILED(result)) {
        reportFileFailure(path == "-" ? "<stdin>" : path, fileFailureText(result));
        return std::nullopt;
    }
    return text;
}

}  // namespace

int runBuild(const Arguments& arguments) {
    const std::string& input = arguments[0];
    if (input != "-" && refuseOutputOverInput(input, arguments[1])) {
        return kExitFileError;
    }
    const std::optional<std::string> text = readInput(input);
    if (!text) {
        return kExitFileError;
    }
    ResourceLibrary library;
    if (const std::optional<LibraryJsonError> error = libraryFromJson(*text, library)) {
        std::cerr << "tolvane-cli: " << (input == "-" ? "<stdin>" : input) << ':' << error->line
                  << ':' << error->column << ": " << error->reason << '\n';
        return kExitFileError;
    }
    if (const HRESULT result = saveLibraryFile(arguments[1], library); FAILED(result)) {
        reportFileFailure(arguments[1], fileFailureText(result));
        return kExitFileError;
    }
    return kExitSuccess;
}
