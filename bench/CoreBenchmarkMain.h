#pragma once
// Benchmarks that need Qt's core application object (plug-ins, timers,
// file-system watches) but no widgets.
#include <QCoreApplication>
#include <benchmark/benchmark.h>

#define FENDLE_CORE_BENCHMARK_MAIN()              \
    int main(int argc, char** argv) {             \
        QCoreApplication application(argc, argv); \
        benchmark::Initialize(&argc, argv);       \
        benchmark::RunSpecifiedBenchmarks();      \
        benchmark::Shutdown();                    \
        return 0;                                 \
    }
