#include "support/QtTestRun.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>

int runQtTests(int argc, char** argv, const std::function<bool()>& loadResources) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    if (!loadResources()) {
        std::fputs("the resource data could not be loaded\n", stderr);
        return 1;
    }
    return RUN_ALL_TESTS();
}
