#pragma once
// The main of a benchmark that needs the toolkit: Qt's offscreen platform,
// the application object, then the benchmarks; cleanup runs at the end.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <functional>

#include "platform/services/Application.h"

inline int RunToolkitBenchmarks(int argc, char** argv, const std::function<void()>& cleanup = {}) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    lumvex::Application.Initialize(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (cleanup) cleanup();
    return 0;
}
