// The yardstick of the browser over 10,000 small JPEG files: the files
// decoded as its cells decode them, by one and by two threads, with nothing
// else (no cells, no captions, no event loop). A browser build is measured
// against the two-thread figure (goal: within 1.2x).
// Counters, medians over the repetitions:
//   wall_ms            wall time for all files
//   cpu_ms             processor time of the process for all files
//   us_per_picture     wall time per file
#include <benchmark/benchmark.h>

#include "SmallJpegs.h"

namespace {

using namespace lumvex::bench;

constexpr int PictureCount = 10000;

void BM_DecodeAtAnEighth(benchmark::State& state) {
    static const std::vector<std::string> files = SmallJpegFolder(PictureCount);
    TDecodeTiming timing;
    for (auto _ : state) timing = DecodeAtAnEighth(files, int(state.range(0)));
    state.counters["wall_ms"] = timing.WallSeconds * 1000;
    state.counters["cpu_ms"] = timing.ProcessorSeconds * 1000;
    state.counters["us_per_picture"] = timing.WallSeconds * 1e6 / PictureCount;
}

}  // namespace

BENCHMARK(BM_DecodeAtAnEighth)->Arg(1)->Arg(2)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
