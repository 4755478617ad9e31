#pragma once

#include <string>
#include <vector>

// The outcome of one run of tolvane-cli.
struct CliResult {
    int exitStatus = -1;
    std::string out;  // standard output
    std::string err;  // standard error
};

// Runs the built tolvane-cli with the arguments, in workingFolder when one is given, its standard
// input the file standardInput (or the null device).
CliResult runCli(const std::vector<std::string>& arguments, const std::string& workingFolder = {},
                 const std::string& standardInput = {});

// What tolvane-cli says on standard error when path failed for reason.
inline std::string cliFailure(const std::string& path, const std::string& reason) {
    return "tolvane-cli: " + path + ": " + reason + "\n";
}
