#include <windows.h>

#include "CliRun.h"
#include "platform/WideText.h"
#include "support/TemporaryFolder.h"

namespace {

// One argument as the C runtime's command-line parser takes it apart again: quoted, with
// backslashes doubled where a quote follows them.
std::wstring quoted(const std::wstring& argument) {
    std::wstring text = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        text.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        text += c;
    }
    text.append(backslashes * 2, L'\\');
    return text + L"\"";
}

HANDLE inheritable(const std::wstring& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &attributes,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

CliResult runCli(const std::vector<std::string>& arguments, const std::string& workingFolder,
                 const std::string& standardInput) {
    TemporaryFolder capture;
    const std::string outPath = capture.file("out");
    const std::string errPath = capture.file("err");

    const std::wstring program = wideFromUtf8(TOLVANE_CLI_PATH);
    std::wstring commandLine = quoted(program);
    for (const std::string& argument : arguments) {
        commandLine += L" " + quoted(wideFromUtf8(argument));
    }

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inheritable(standardInput.empty() ? L"NUL" : wideFromUtf8(standardInput),
                                    GENERIC_READ, OPEN_EXISTING);
    startup.hStdOutput = inheritable(wideFromUtf8(outPath), GENERIC_WRITE, CREATE_ALWAYS);
    startup.hStdError = inheritable(wideFromUtf8(errPath), GENERIC_WRITE, CREATE_ALWAYS);
    const std::wstring folder = wideFromUtf8(workingFolder);

    CliResult result;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       workingFolder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD status = 0;
        GetExitCodeProcess(process.hProcess, &status);
        result.exitStatus = static_cast<int>(status);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(startup.hStdInput);
    CloseHandle(startup.hStdOutput);
    CloseHandle(startup.hStdError);
    result.out = readFileBytes(outPath);
    result.err = readFileBytes(errPath);
    return result;
}
