#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
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

// The whole of a file, or of standard input for "-"; nothing (and a report) on failure. Read
// in blocks that the stream hands straight to the system, the first as big as the file.
std::optional<std::string> readInput(const std::string& path) {
    std::ifstream file;
    std::size_t block = std::size_t{1} << 16;
    if (path != "-") {
        const std::filesystem::path native = filePath(path);
        std::error_code unknown;  // then -1, and the first block stays as it is
        block = std::max<std::size_t>(block, std::filesystem::file_size(native, unknown) + 1);
        file.open(native, std::ios::binary);
    }
    std::istream& in = path == "-" ? std::cin : file;
    std::string text;
    for (; in; block *= 2) {
        const std::size_t done = text.size();
        text.resize(done + block);
        in.read(text.data() + done, static_cast<std::streamsize>(block));
        text.resize(done + static_cast<std::size_t>(in.gcount()));
    }
    if (!in.eof()) {
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
