// The entry point of the framework's tests, with the test templates as resource data.
#include "TestDialogs.h"
#include "support/QtTestRun.h"

int main(int argc, char** argv) {
    return runQtTests(argc, argv, loadTestTemplates);
}
