// The main of the benchmarks that drive Qt widgets: one QApplication,
// offscreen, before any benchmark runs.

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdlib>

#include "ui/desktop.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    hq::ui::QuietQtMessages();
    QApplication application(argc, argv);
    hq::ui::PrepareApplication();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
