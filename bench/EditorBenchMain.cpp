// The entry point of the benchmarks that drive the editor's widgets: Qt's offscreen platform
// unless another is asked for, the editor's resource data, and no message box that would
// wait for a user.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <vector>

#include "bench/EditorBench.h"

#include "framework/MessageBox.h"
#include "framework/Resources.h"

namespace {

std::vector<std::function<void()>>& cleanups() {
    static std::vector<std::function<void()>> pending;
    return pending;
}

}  // namespace

void afterBenchmarks(std::function<void()> cleanup) {
    cleanups().push_back(std::move(cleanup));
}

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
    for (const std::function<void()>& cleanup : cleanups()) {
        cleanup();
    }
    return 0;
}
