#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

// The main of a benchmark program that needs widgets: an application on the
// offscreen platform around Google Benchmark's own run.
inline int runWidgetBenchmarks(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
