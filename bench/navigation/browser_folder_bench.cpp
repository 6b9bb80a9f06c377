// The thumbnail browser over folders of 1,000, 3,000 and 10,000 small JPEG
// files (320 x 240 photo-like pictures at quality 90), two workers, opened and
// closed with numpad 0 as a user does. Beside every build, in the same run,
// the same files are decoded alone at an eighth of their size by two workers
// without the browser, and their cells' pictures are made alone by two
// workers without the browser, and the build is compared with both.
// Every build is the folder's first sight: it keeps each thumbnail in the
// desktop's thumbnail cache (keeps:1), or finds the cache unwritable and only
// looks in it (keeps:0), as the browser built before it kept thumbnails.
// Nothing is deleted until every benchmark has run: the folders of pictures
// and the caches of all builds stay until the end. ext4 without a journal (as
// on the machines we measure on) passes over the inodes freed in the last
// minute, six while their blocks wait for the disk, each time it makes a
// file, so thousands of files deleted just before a build make its cache
// entries several times dearer, which no user's first sight of a folder
// meets (a journal, as on users' disks, turns that search off). For the same
// reason let six minutes pass between two runs, or after deleting many files.
// Counters, medians over the iterations (the busy stretches and the peak: the largest):
//   build_ms        numpad 0 to the last cell in the grid
//   decode_ms       the decoding alone
//   ratio           build_ms / decode_ms                              (goal <= 1.2)
//   cpu_s           the process's processor time during the build
//   ui_cpu_s        the part of it on the user-interface thread
//   ratio_cpu       cpu_s / the processor time of the decoding alone. On a crowded
//                   machine only this ratio means much: the build's three busy threads
//                   get more of the machine than the decoding's two.
//   ratio_thumbnails, ratio_thumbnails_cpu
//                   the same against making the cells' pictures alone: what the browser adds
//   first_screen_ms numpad 0 to the first screen of cells painted      (goal <= 300)
//   busy_ms         the longest the message loop was busy at a stretch,
//                   numpad 0 included                                 (goal <= 50)
//   busy_cpu_ms     the same in the thread's processor time, which a crowded machine does not stretch
//   close_ms        numpad 0 on the filled browser until the main window is back (goal <= 100)
//   peak_mb         peak resident memory of the build above the idle program (goal <= 150)
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "BenchMain.h"
#include "BrowserBench.h"
#include "navigation/BrowserWindow.h"
#include "navigation/FileWindow.h"
#include "platform/graphics/Jpeg.h"
#include "platform/services/KeyCodes.h"

namespace {

using namespace lumvex;
using namespace lumvex::bench;

constexpr int SmallWidth = 320, SmallHeight = 240;
constexpr int Distinct = 64;  // different pictures, repeated under other names

// Parts of a photo-like picture, each encoded once.
const std::vector<std::string>& SmallJpegs() {
    static const std::vector<std::string> jpegs = [] {
        const TBitmap photo = PhotoLikePicture();
        std::vector<std::string> encoded;
        for (int i = 0; i < Distinct; ++i) {
            const int left = (i * 373) % (PhotoWidth - SmallWidth), top = (i * 211) % (PhotoHeight - SmallHeight);
            TBitmap part(SmallWidth, SmallHeight, TPixelFormat::pf24bit);
            for (int y = 0; y < SmallHeight; ++y)
                std::copy_n(photo.ScanLine(top + y) + 3 * left, 3 * SmallWidth, part.ScanLine(y));
            TJPEGImage jpeg;
            jpeg.Assign(part);
            encoded.push_back(jpeg.SaveToBytes());
        }
        return encoded;
    }();
    return jpegs;
}

struct Folder {
    std::string path;
    std::vector<std::string> files;
    explicit Folder(int count) : path(TempFolder("lumvex-browser-folder-bench-" + std::to_string(count))) {
        for (int i = 0; i < count; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "/small%05d.jpg", i);
            files.push_back(path + name);
            std::ofstream(files.back(), std::ios::binary) << SmallJpegs()[static_cast<std::size_t>(i % Distinct)];
        }
    }
};

// Made once for the run, deleted after the last benchmark.
std::map<int, Folder>& Folders() {
    static std::map<int, Folder> folders;
    return folders;
}

const Folder& FolderOf(int count) {
    auto found = Folders().find(count);
    if (found == Folders().end()) found = Folders().try_emplace(count, count).first;
    return found->second;
}

const std::string& Store() {
    static const std::string store = TempFolder("lumvex-browser-folder-bench-store");
    return store;
}

struct Timing {
    double wall = 0;
    double cpu = 0;  // the process's
};

// Two workers doing work for every file, without the browser.
template <class Work>
Timing OnTwoWorkers(const std::vector<std::string>& files, Work work) {
    TWorkerPool pool(2);
    std::mutex lock;
    std::condition_variable done;
    int left = static_cast<int>(files.size());
    const double cpuStart = ProcessSeconds();
    const auto start = Clock::now();
    for (const std::string& file : files)
        pool.Submit([&, file] {
            work(file);
            std::lock_guard guard(lock);
            if (--left == 0) done.notify_one();
        });
    std::unique_lock guard(lock);
    done.wait(guard, [&] { return left == 0; });
    return Timing{Seconds(Clock::now() - start), ProcessSeconds() - cpuStart};
}

// Read and decoded at an eighth of its size.
void Decode(const std::string& file) {
    TJPEGImage jpeg;
    jpeg.LoadFromFile(file);
    jpeg.SetScale(TJPEGScale::jsEighth);
    jpeg.DIBNeeded(TCancelToken());
}

// The picture of its cell, as the browser's workers make it.
void Thumbnail(const std::string& file) { MakeThumbnail(file, TCancelToken()); }

// The cells of the first screen: the rows the area shows, full.
int FirstScreen() {
    const int perRow = BrowserWindow->Cells->PerRow();
    const int rows = (BrowserWindow->ScrollBox1->ClientHeight() + CellHeight + 4) / (CellHeight + 5);
    return perRow * rows;
}

void BrowserFolder(benchmark::State& state) {
    StartWindows(Store());
    const Folder& folder = FolderOf(static_cast<int>(state.range(0)));
    FileWindow->DirectoryListBox->SetDirectory(folder.path);
    TWorkerPool pool(2);
    BrowserWindow->Workers = &pool;
    std::vector<double> builds, cpus, uiCpus, firsts, closes, peaks, busy, busyCpu;
    std::vector<Timing> decodes, thumbnails;
    for (auto _ : state) {
        MainWindow->SetBounds(100, 100, 614, 403);
        Application.ProcessMessages();
        NewThumbnailCache(state.range(1) != 0);  // each build a first sight of the folder
        malloc_trim(0);  // what the last build freed is not the idle program's
        const double idle = StatusBytes("VmRSS");
        ResetPeakMemory();
        const double cpuStart = ProcessSeconds();
        const auto start = Clock::now();
        const double threadStart = ThreadSeconds();
        PressNumpadZero(*MainWindow);
        LoopProbe probe;
        probe.Add(Seconds(Clock::now() - start), ThreadSeconds() - threadStart);
        double first = -1;
        probe.Run([&] {
            if (first < 0 && BrowserWindow->Cells->Count() >= std::min(FirstScreen(), int(folder.files.size()))) {
                BrowserWindow->Repaint();
                first = Seconds(Clock::now() - start);
            }
            return BrowserWindow->Building();
        });
        const double build = Seconds(Clock::now() - start);
        state.SetIterationTime(build);
        builds.push_back(build);
        cpus.push_back(ProcessSeconds() - cpuStart);
        uiCpus.push_back(ThreadSeconds() - threadStart);
        peaks.push_back(StatusBytes("VmHWM") - idle);
        firsts.push_back(first);
        busy.push_back(probe.Busy);
        busyCpu.push_back(probe.BusyCpu);
        if (BrowserWindow->Cells->Count() != static_cast<int>(folder.files.size()))
            state.SkipWithError("the browser did not show every picture");

        const auto closing = Clock::now();
        PressNumpadZero(*BrowserWindow);
        Application.ProcessMessages();
        closes.push_back(Seconds(Clock::now() - closing));
        if (!MainWindow->Visible()) state.SkipWithError("numpad 0 did not close the browser");

        decodes.push_back(OnTwoWorkers(folder.files, Decode));
        thumbnails.push_back(OnTwoWorkers(folder.files, Thumbnail));
    }
    BrowserWindow->Workers = &TWorkerPool::Shared();
    auto wall = [](const std::vector<Timing>& timings) {
        std::vector<double> values;
        for (const Timing& t : timings) values.push_back(t.wall);
        return Median(values);
    };
    auto cpu = [](const std::vector<Timing>& timings) {
        std::vector<double> values;
        for (const Timing& t : timings) values.push_back(t.cpu);
        return Median(values);
    };
    state.counters["build_ms"] = Median(builds) * 1e3;
    state.counters["decode_ms"] = wall(decodes) * 1e3;
    state.counters["ratio"] = Median(builds) / wall(decodes);
    state.counters["cpu_s"] = Median(cpus);
    state.counters["ui_cpu_s"] = Median(uiCpus);
    state.counters["ratio_cpu"] = Median(cpus) / cpu(decodes);
    state.counters["ratio_thumbnails"] = Median(builds) / wall(thumbnails);
    state.counters["ratio_thumbnails_cpu"] = Median(cpus) / cpu(thumbnails);
    state.counters["first_screen_ms"] = Median(firsts) * 1e3;
    state.counters["busy_ms"] = *std::max_element(busy.begin(), busy.end()) * 1e3;
    state.counters["busy_cpu_ms"] = *std::max_element(busyCpu.begin(), busyCpu.end()) * 1e3;
    state.counters["close_ms"] = Median(closes) * 1e3;
    state.counters["peak_mb"] = *std::max_element(peaks.begin(), peaks.end()) / (1 << 20);
}

}  // namespace

BENCHMARK(BrowserFolder)
    ->ArgNames({"pictures", "keeps"})
    ->Args({1000, 1})
    ->Args({3000, 1})
    ->Args({10000, 1})
    ->Args({10000, 0})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

int main(int argc, char** argv) {
    return RunToolkitBenchmarks(argc, argv, [] {
        DestroyWindows();
        for (const auto& [count, folder] : Folders()) std::filesystem::remove_all(folder.path);
        std::filesystem::remove_all(Store());
    });
}
