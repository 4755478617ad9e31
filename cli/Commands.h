#pragma once

#include <string>
#include <vector>

// Exit statuses of tolvane-cli.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitCheckFailed = 1;  // the library check found errors
inline constexpr int kExitFileError = 2;
inline constexpr int kExitUsage = 64;

using Arguments = std::vector<std::string>;

// The whole program on its arguments (UTF-8, the program's name left out): its exit status.
// The system's entry point (main, or wmain on Windows) calls it.
int runCommandLine(const Arguments& arguments);

// argumentCount of a command that takes one or more arguments.
inline constexpr std::size_t kOneOrMore = static_cast<std::size_t>(-1);

// A command of tolvane-cli: its name, its arguments' synopsis, a line of help, and the
// function that runs it on `argumentCount` arguments and up to `optionalArgumentCount` more
// (or on one or more, for kOneOrMore).
struct Command {
    const char* name;
    const char* synopsis;
    const char* help;
    std::size_t argumentCount;
    int (*run)(const Arguments& arguments);
    std::size_t optionalArgumentCount = 0;
};

int runInfo(const Arguments& arguments);
int runResave(const Arguments& arguments);
int runCheck(const Arguments& arguments);
int runHeader(const Arguments& arguments);

// Slicing a texture sheet into areas.
int runSlice(const Arguments& arguments);

int runDump(const Arguments& arguments);
int runBuild(const Arguments& arguments);

// nineslice: its options are read by the command itself.
int runNineSlice(const Arguments& arguments);
