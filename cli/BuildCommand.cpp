#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/OutputTarget.h"
#include "document/FileFailureText.h"
#include "library/LibraryFile.h"
#include "library/LibraryJson.h"
#include "platform/RuntimeFiles.h"

namespace {

// The whole of a file, or of standard input for "-"; nothing (and a report) on failure.
std::optional<std::string> readInput(const std::string& path) {
    std::ifstream file;
    if (path != "-") {
        file.open(filePath(path), std::ios::binary);
    }
    std::istream& in = path == "-" ? std::cin : file;
    std::string text(std::istreambuf_iterator<char>(in), {});
    if (!in.good() && !in.eof()) {
        std::cerr << "tolvane-cli: " << path << ": " << std::strerror(errno) << '\n';
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
