// The viewer's own costs, each measured against the JPEG decode it cannot
// avoid or against its time budget: loading and showing a 4000 x 3000 photo,
// stepping to the next one, a zoom step, a panning tick on an 8000 x 6000
// picture and tiling a 64 x 64 picture over a 1920 x 1080 screen.
#include "BenchMain.h"
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <string>

#include "Program.h"
#include "viewer/Prefetch.h"
#include "viewer/LateWindows.h"
#include "viewer/MainWindow.h"
#include "navigation/FileWindow.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Jpeg.h"
#include "platform/services/Application.h"
#include "platform/services/KeyCodes.h"
#include "platform/services/Screen.h"
#include "platform/services/TestInput.h"

namespace {

namespace fs = std::filesystem;
using namespace lumvex;
using Clock = std::chrono::steady_clock;

// A photo-like picture: smooth gradients with some fine detail.
TBitmap PhotoLike(int width, int height) {
    TBitmap bitmap(width, height, TPixelFormat::pf24bit);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<std::uint8_t>(x * 255 / width);
            row[3 * x + 1] = static_cast<std::uint8_t>(y * 255 / height);
            row[3 * x + 2] = static_cast<std::uint8_t>(128 + 100 * std::sin((x + y) / 37.0) + (x * y) % 7);
        }
    }
    return bitmap;
}

void WriteJpeg(const std::string& path, int width, int height) {
    TJPEGImage jpeg;
    jpeg.Assign(PhotoLike(width, height));
    jpeg.SaveToFile(path);
}

const std::string& Folder() {
    static const std::string folder = [] {
        std::string pattern = (fs::temp_directory_path() / "lumvex-viewer-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        WriteJpeg(pattern + "/photo1.jpg", 4000, 3000);
        WriteJpeg(pattern + "/photo2.jpg", 4000, 3000);
        WriteJpeg(pattern + "/photo3.jpg", 4000, 3000);
        return pattern;
    }();
    return folder;
}

void StartViewer() {
    static bool started = false;
    if (started) return;
    started = true;
    Screen.SetTestSize(TPoint{1920, 1080});
    if (chdir(Folder().c_str()) != 0) std::abort();
    CreateWindows("");
    MainWindow->DestruktorTimer();
    BuildLateWindows();  // as the first paint does
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

double DecodeSeconds(const std::string& bytes) {
    const auto start = Clock::now();
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(bytes);
    benchmark::DoNotOptimize(jpeg.Bitmap().ScanLine(0));
    return Seconds(Clock::now() - start);
}

// LoadImage and the proportional placement of a 4000 x 3000 JPEG, against
// decoding the same file alone (the ratio counter).
void BM_LoadImageAgainstDecode(benchmark::State& state) {
    StartViewer();
    const std::string file = Folder() + "/photo1.jpg";
    const std::string bytes = ReadFileBytes(file);
    double viewer = 0, decode = 0;
    for (auto _ : state) {
        decode += DecodeSeconds(bytes);
        const auto start = Clock::now();
        MainWindow->LoadImage(file, MainWindow->Image, MainWindow->TImg);
        MainWindow->ResizeImage(MainWindow->Image, MainWindow->TImg);
        const double took = Seconds(Clock::now() - start);
        viewer += took;
        state.SetIterationTime(took);
    }
    state.counters["ratio_to_decode"] = viewer / decode;
}
BENCHMARK(BM_LoadImageAgainstDecode)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(8);

// Lets the message loop run until the neighbours of the picture on view are decoded.
void WaitForPrefetch() {
    Application.ProcessMessages();
    while (Prefetch.Busy()) {
        usleep(2000);
        Application.ProcessMessages();
    }
}

// Space: the next picture of a folder of 4000 x 3000 JPEGs, placed in
// proportional mode, once the prefetch has decoded it, against decoding that
// picture alone.
void BM_NextPictureAgainstDecode(benchmark::State& state) {
    StartViewer();
    MainWindow->nyjtas1Click(MainWindow->nyjtas1);
    double viewer = 0, decode = 0;
    for (auto _ : state) {
        const int next = (FileWindow->FileListBox->ItemIndex() + 1) % FileWindow->FileListBox->Count();
        decode += DecodeSeconds(ReadFileBytes(Folder() + "/" + FileWindow->FileListBox->Items()[next]));
        WaitForPrefetch();
        const auto start = Clock::now();
        MainWindow->StepPicture(true);
        const double took = Seconds(Clock::now() - start);
        viewer += took;
        state.SetIterationTime(took);
    }
    state.counters["ratio_to_decode"] = viewer / decode;
}
BENCHMARK(BM_NextPictureAgainstDecode)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(8);

// One zoom step in and one out on a 4000 x 3000 picture (budget: 30 ms a step).
void BM_ZoomStep(benchmark::State& state) {
    StartViewer();
    MainWindow->LoadImage(Folder() + "/photo1.jpg", MainWindow->Image, MainWindow->TImg);
    MainWindow->nyjtas1Click(MainWindow->nyjtas1);
    for (auto _ : state) {
        MainWindow->Zoom(MainWindow->Image, MainWindow->TImg, true);
        MainWindow->Zoom(MainWindow->Image, MainWindow->TImg, false);
        Application.ProcessMessages();  // the repaint belongs to the step
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_ZoomStep)->Unit(benchmark::kMillisecond);

// One 10 ms timer tick while an arrow key pans an 8000 x 6000 picture
// (budget: 5 ms of work a tick).
void BM_PanTick(benchmark::State& state) {
    StartViewer();
    const std::string file = Folder() + "/big.bmp";
    if (!FileExists(file)) PhotoLike(8000, 6000).SaveToFile(file);
    MainWindow->LoadImage(file, MainWindow->Image, MainWindow->TImg);
    MainWindow->nyjtas1Click(MainWindow->nyjtas1);
    MainWindow->Zoom(MainWindow->Image, MainWindow->TImg, true);
    bool right = true;
    for (auto _ : state) {
        Viewer.KeyHeld[VK_RIGHT] = right;
        Viewer.KeyHeld[VK_LEFT] = !right;
        MainWindow->TimerTimer(nullptr);
        Application.ProcessMessages();
        if (Viewer.ViewCenterX >= 8000 * 1.5 - Viewer.AreaWidth / 2 - 1 || Viewer.ViewCenterX <= Viewer.AreaWidth / 2 + 1) right = !right;
    }
    Viewer.KeyHeld.fill(false);
}
BENCHMARK(BM_PanTick)->Unit(benchmark::kMillisecond);

// Tiling a 64 x 64 picture over a 1920 x 1080 screen (budget: 20 ms).
void BM_Tile64OverScreen(benchmark::State& state) {
    StartViewer();
    const std::string file = Folder() + "/tile.bmp";
    if (!FileExists(file)) PhotoLike(64, 64).SaveToFile(file);
    MainWindow->LoadImage(file, MainWindow->Image, MainWindow->TImg);
    for (auto _ : state) {
        Viewer.TiledBitmap = false;
        Viewer.FitMode = 3;
        MainWindow->ResizeImage(MainWindow->Image, MainWindow->TImg);
    }
}
BENCHMARK(BM_Tile64OverScreen)->Unit(benchmark::kMillisecond);

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The shown main window with its fifteen buttons and its 10 ms timer, left
// alone for two seconds (budget: under 2% of one core).
void BM_IdleMainWindow(benchmark::State& state) {
    StartViewer();
    MainWindow->Show();
    MainWindow->nyjtas1Click(MainWindow->nyjtas1);
    test_input::ProcessEventsFor(200);
    for (auto _ : state) {
        const double cpu = ProcessCpuSeconds();
        const auto start = Clock::now();
        test_input::ProcessEventsFor(2000);
        state.counters["cpu_share_percent"] = 100 * (ProcessCpuSeconds() - cpu) / Seconds(Clock::now() - start);
    }
}
BENCHMARK(BM_IdleMainWindow)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    return RunToolkitBenchmarks(argc, argv, [] {
        std::error_code ignored;
        fs::remove_all(Folder(), ignored);
    });
}
