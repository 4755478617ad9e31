// The entry point of the test programs that drive widgets: a QApplication on the offscreen
// platform unless another is asked for, with the editor's resource data loaded.
#include <gtest/gtest.h>

#include <QApplication>

#include "framework/Resources.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    if (!framework::Resources::load(QStringLiteral(":/res"))) {
        return 1;
    }
    return RUN_ALL_TESTS();
}
