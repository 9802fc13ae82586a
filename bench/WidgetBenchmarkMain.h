#pragma once
// Benchmarks of widgets run inside one QApplication, offscreen unless the
// environment names a platform.
#include <QApplication>
#include <benchmark/benchmark.h>

#define FENDLE_WIDGET_BENCHMARK_MAIN()                      \
    int main(int argc, char** argv) {                       \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))  \
            qputenv("QT_QPA_PLATFORM", "offscreen");        \
        QApplication application(argc, argv);               \
        benchmark::Initialize(&argc, argv);                 \
        benchmark::RunSpecifiedBenchmarks();                \
        benchmark::Shutdown();                              \
        return 0;                                           \
    }
