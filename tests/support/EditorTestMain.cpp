// The entry point of the editor's widget tests, with the editor's resource data.
#include "framework/Resources.h"
#include "support/QtTestRun.h"

int main(int argc, char** argv) {
    return runQtTests(argc, argv,
                      [] { return framework::Resources::load(QStringLiteral(":/res")); });
}
