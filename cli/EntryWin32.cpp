#include "cli/Commands.h"
#include "platform/WideText.h"

// The arguments come as UTF-16, so that names beyond the ANSI code page arrive whole.
int wmain(int argc, wchar_t** argv) {
    Arguments arguments;
    for (int index = 1; index < argc; ++index) {
        arguments.push_back(utf8FromWide(argv[index]));
    }
    return runCommandLine(arguments);
}
