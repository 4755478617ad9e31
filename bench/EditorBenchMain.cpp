// The entry point of the benchmarks that drive the editor's widgets: Qt's offscreen platform
// unless another is asked for, the editor's resource data, and no message box that would
// wait for a user.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "framework/MessageBox.h"
#include "framework/Resources.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    framework::setMessageBoxHandler([](const QString& text, framework::MessageButtons) -> int {
        qFatal("unexpected message: %s", qPrintable(text));
    });
    if (!framework::Resources::load(QStringLiteral(":/res"))) {
        return 2;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
