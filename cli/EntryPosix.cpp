#include "cli/Commands.h"

int main(int argc, char** argv) {
    return runCommandLine(Arguments(argv + (argc > 0 ? 1 : 0), argv + argc));
}
