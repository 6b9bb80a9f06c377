// The thumbnail browser's build over a folder of 40 photo-like 4000 x 3000
// JPEG files (every fourth progressive), with one and with two workers,
// compared in the same run with djpeg -scale 1/8 over the same files (one
// process per file, its start-up cost subtracted, processor time).
// Counters, medians over the iterations:
//   build_ms        wall time from opening the browser to the last cell
//   ratio           build_ms / djpeg_ms            (goal: 1 worker <= 1.1, 2 workers <= 0.6)
//   ratio_cpu       this process's processor time during the build / djpeg_ms
//   first_cell_ms   opening to the first cell shown (goal <= 100)
//   ui_block_ms     the longest the user-interface thread was busy at a stretch (goal <= 50),
//                   opening the browser included
//   ui_block_cpu_ms the same in the thread's processor time, which a busy machine does not stretch
//   peak_mb         peak resident memory during the build above the idle program (goal < 150)
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "BenchMain.h"
#include "BrowserBench.h"
#include "navigation/FileWindow.h"
#include "navigation/BrowserWindow.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Jpeg.h"
#include "platform/services/Application.h"

namespace {

using namespace lumvex;
using namespace lumvex::bench;

constexpr int PhotoCount = 40;

struct Photos {
    std::string folder = TempFolder("lumvex-browser-bench");
    std::string store = TempFolder("lumvex-browser-bench-store");
    std::vector<std::string> files;
    std::string tiny;

    Photos() {
        for (int i = 0; i < PhotoCount; ++i) {
            TJPEGImage jpeg;
            jpeg.Assign(PhotoLikePicture(12346 + 7919u * i));
            char name[32];
            std::snprintf(name, sizeof name, "photo%02d.jpg", i);
            const std::string path = folder + "/" + name;
            if (i % 4 == 3) {
                WriteFileAtomically(path + ".baseline", jpeg.SaveToBytes());
                RunTool({"jpegtran", "-progressive", "-outfile", path, path + ".baseline"});
                std::filesystem::remove(path + ".baseline");
            } else {
                WriteFileAtomically(path, jpeg.SaveToBytes());
            }
            files.push_back(path);
        }
        TJPEGImage jpeg;
        jpeg.Assign(TBitmap(1, 1));
        tiny = store + "/tiny.jpg";
        WriteFileAtomically(tiny, jpeg.SaveToBytes());
    }
    ~Photos() {
        std::filesystem::remove_all(folder);
        std::filesystem::remove_all(store);
    }
};

Photos* ThePhotos = nullptr;

// The program's windows, started in the folder of photos.
void StartInPhotos() {
    if (!ThePhotos) ThePhotos = new Photos;
    StartWindows(ThePhotos->store);
    FileWindow->DirectoryListBox->SetDirectory(ThePhotos->folder);
}

double DjpegSeconds() {
    double total = 0;
    for (const std::string& file : ThePhotos->files)
        total += RunTool({"djpeg", "-scale", "1/8", file}) - RunTool({"djpeg", "-scale", "1/8", ThePhotos->tiny});
    return total;
}

void BrowserBuild(benchmark::State& state) {
    StartInPhotos();
    TWorkerPool pool(static_cast<int>(state.range(0)));
    BrowserWindow->Workers = &pool;
    std::vector<double> builds, cpus, firsts, blocks, cpuBlocks, peaks, tools;
    for (auto _ : state) {
        NewThumbnailCache();  // each build makes and keeps every thumbnail
        Application.ProcessMessages();
        const double idle = StatusBytes("VmRSS");
        ResetPeakMemory();
        const double cpuStart = ProcessSeconds();
        const auto start = Clock::now();
        const double threadStart = ThreadSeconds();
        MainWindow->ViewCommand(16);
        double block = Seconds(Clock::now() - start), cpuBlock = ThreadSeconds() - threadStart, first = -1;
        while (BrowserWindow->Building()) {
            const auto before = Clock::now();
            const double threadBefore = ThreadSeconds();
            Application.ProcessMessages();
            const auto after = Clock::now();
            block = std::max(block, Seconds(after - before));
            cpuBlock = std::max(cpuBlock, ThreadSeconds() - threadBefore);
            if (first < 0 && BrowserWindow->Cells->Count() > 0)
                first = Seconds(after - start);
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        const double build = Seconds(Clock::now() - start);
        state.SetIterationTime(build);
        builds.push_back(build);
        cpus.push_back(ProcessSeconds() - cpuStart);
        firsts.push_back(first);
        blocks.push_back(block);
        cpuBlocks.push_back(cpuBlock);
        peaks.push_back(StatusBytes("VmHWM") - idle);
        BrowserWindow->MorphButton1Click(BrowserWindow->MorphButton1);
        tools.push_back(DjpegSeconds());
    }
    BrowserWindow->Workers = &TWorkerPool::Shared();
    const double tool = Median(tools);
    state.counters["build_ms"] = Median(builds) * 1e3;
    state.counters["djpeg_ms"] = tool * 1e3;
    state.counters["ratio"] = Median(builds) / tool;
    state.counters["ratio_cpu"] = Median(cpus) / tool;
    state.counters["first_cell_ms"] = Median(firsts) * 1e3;
    state.counters["ui_block_ms"] = *std::max_element(blocks.begin(), blocks.end()) * 1e3;
    state.counters["ui_block_cpu_ms"] = *std::max_element(cpuBlocks.begin(), cpuBlocks.end()) * 1e3;
    state.counters["peak_mb"] = *std::max_element(peaks.begin(), peaks.end()) / (1 << 20);
}

}  // namespace

BENCHMARK(BrowserBuild)->ArgName("workers")->Arg(1)->Arg(2)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) {
    return RunToolkitBenchmarks(argc, argv, [] {
        DestroyWindows();
        delete ThePhotos;
    });
}
