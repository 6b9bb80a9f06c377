// The thumbnail browser over a folder of 500 photo-like 1600 x 1200 JPEG
// files seen before: a first build fills the desktop's thumbnail cache, then
// every timed build opens the folder with numpad 0 as a user does and takes
// its cells from the cache. Two workers.
// Counters, medians over the iterations (the busy stretch: the largest):
//   all_cells_ms    numpad 0 to the last cell in the grid, from the cache (goal <= 300)
//   cpu_ms          the process's processor time meanwhile, every thread
//   first_build_ms  the build that filled the cache: numpad 0 to the last cell
//   busy_ms         the longest the message loop was busy at a stretch, numpad 0 included
//   busy_cpu_ms     the same in the thread's processor time, which a crowded machine does not stretch
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchMain.h"
#include "BrowserBench.h"
#include "navigation/BrowserWindow.h"
#include "navigation/FileWindow.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Jpeg.h"
#include "platform/services/KeyCodes.h"

namespace {

using namespace lumvex;
using namespace lumvex::bench;

constexpr int Count = 500, Distinct = 16;
constexpr int Width = 1600, Height = 1200;

// Parts of a photo-like picture, each encoded once and repeated under other names.
struct Photos {
    std::string folder = TempFolder("lumvex-browser-cached-bench");
    std::string store = TempFolder("lumvex-browser-cached-bench-store");
    Photos() {
        const TBitmap photo = PhotoLikePicture();
        for (int i = 0; i < Distinct; ++i) {
            const int left = (i * 373) % (PhotoWidth - Width), top = (i * 211) % (PhotoHeight - Height);
            TBitmap part(Width, Height, TPixelFormat::pf24bit);
            for (int y = 0; y < Height; ++y) std::copy_n(photo.ScanLine(top + y) + 3 * left, 3 * Width, part.ScanLine(y));
            TJPEGImage jpeg;
            jpeg.Assign(part);
            const std::string bytes = jpeg.SaveToBytes();
            for (int n = i; n < Count; n += Distinct) {
                char name[32];
                std::snprintf(name, sizeof name, "/photo%03d.jpg", n);
                WriteFileAtomically(folder + name, bytes);
            }
        }
    }
    ~Photos() {
        std::filesystem::remove_all(folder);
        std::filesystem::remove_all(store);
    }
};

// Numpad 0 to the last cell; the browser is closed again afterwards. False
// when a cell came without its picture.
bool OpenBrowser(LoopProbe& probe, double& seconds) {
    MainWindow->SetBounds(100, 100, 614, 403);
    Application.ProcessMessages();
    const auto start = Clock::now();
    const double threadStart = ThreadSeconds();
    PressNumpadZero(*MainWindow);
    probe.Add(Seconds(Clock::now() - start), ThreadSeconds() - threadStart);
    probe.Run([] { return BrowserWindow->Building(); });
    seconds = Seconds(Clock::now() - start);
    bool whole = BrowserWindow->Cells->Count() == Count;
    for (int i = 0; whole && i < Count; ++i) whole = BrowserWindow->Cells->Cell(i).Picture != nullptr;
    PressNumpadZero(*BrowserWindow);
    Application.ProcessMessages();
    return whole;
}

void BrowserSeenBefore(benchmark::State& state) {
    const Photos photos;
    StartWindows(photos.store);
    FileWindow->DirectoryListBox->SetDirectory(photos.folder);
    TWorkerPool pool(2);
    BrowserWindow->Workers = &pool;
    NewThumbnailCache();
    LoopProbe filling;
    double first = 0;
    if (!OpenBrowser(filling, first)) state.SkipWithError("the first build did not show every picture");
    std::vector<double> opens;
    LoopProbe probe;
    std::vector<double> cpus;
    for (auto _ : state) {
        double open = 0;
        const double cpuStart = ProcessSeconds();
        if (!OpenBrowser(probe, open)) state.SkipWithError("the browser did not show every picture");
        cpus.push_back(ProcessSeconds() - cpuStart);
        state.SetIterationTime(open);
        opens.push_back(open);
    }
    BrowserWindow->Workers = &TWorkerPool::Shared();
    state.counters["all_cells_ms"] = Median(opens) * 1e3;
    state.counters["cpu_ms"] = Median(cpus) * 1e3;
    state.counters["first_build_ms"] = first * 1e3;
    state.counters["busy_ms"] = probe.Busy * 1e3;
    state.counters["busy_cpu_ms"] = probe.BusyCpu * 1e3;
}

}  // namespace

BENCHMARK(BrowserSeenBefore)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);

int main(int argc, char** argv) { return RunToolkitBenchmarks(argc, argv, [] { DestroyWindows(); }); }
