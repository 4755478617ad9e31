#include "cli/OutputTarget.h"

#include <optional>

#include "cli/CliSupport.h"
#include "platform/FileIdentity.h"
#include "platform/StandardStreams.h"

bool isStandardOutput(const std::string& path) {
    return path == kStandardOutputName;
}

bool isSameFile(const std::string& input, const std::string& output) {
    const std::optional<FileIdentity> out =
        isStandardOutput(output) ? standardOutputIdentity() : fileIdentity(output);
    return out && fileIdentity(input) == out;
}

bool refuseOutputOverInput(const std::string& input, const std::string& output) {
    if (!isSameFile(input, output)) {
        return false;
    }
    reportFileFailure(output, "ist die Eingabedatei " + input + " und wird nicht überschrieben");
    return true;
}

HRESULT StandardOutputStream::write(const void* buffer, std::uint32_t size) {
    return hresultFromWin32(writeStandardOutput(buffer, size));
}
