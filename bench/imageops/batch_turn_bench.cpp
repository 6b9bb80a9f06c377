// A turn batch of the transformations window over 20 photo-like 4000 x 3000
// JPEG files, against turning the same 20 files one by one with the per-file
// step. Times are processor time; each iteration times the batch and the 20
// single turns back to back on fresh copies, and the ratio is the median of
// the per-iteration ratios (batch over singles: below 1 is faster).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "BenchMain.h"
#include "Program.h"
#include "ToolTiming.h"
#include "imageops/FileTransforms.h"
#include "imageops/TransformationsWindow.h"
#include "navigation/FileWindow.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Jpeg.h"
#include "platform/services/Dialogs.h"
#include "platform/services/Screen.h"
#include "viewer/LateWindows.h"
#include "viewer/MainWindow.h"

namespace {

using namespace lumvex;
using namespace lumvex::bench;

constexpr int FileCount = 20;

struct Photos {
    std::string folder = (std::filesystem::temp_directory_path() / "lumvex-batch-turn-bench").string();
    std::string bytes;
    Photos() {
        std::filesystem::create_directories(folder);
        TJPEGImage jpeg;
        jpeg.Assign(PhotoLikePicture());
        bytes = jpeg.SaveToBytes();
        WriteAll();
    }
    ~Photos() { std::filesystem::remove_all(folder); }
    std::string Path(int i) const { return folder + "/photo" + IntToStr(10 + i) + ".jpg"; }
    void WriteAll() const {
        for (int i = 0; i < FileCount; ++i) WriteFileAtomically(Path(i), bytes);
    }
};

// The program's windows on the photos' folder, every photo marked.
void StartWindows(const Photos& photos) {
    Screen.SetTestSize(TPoint{1920, 1080});
    if (chdir(photos.folder.c_str()) != 0) std::abort();
    CreateWindows("");
    MainWindow->DestruktorTimer();
    BuildLateWindows();  // as the first paint does
    FileWindow->DirectoryListBox->SetDirectory(photos.folder);
    TransformationsWindow->FileListBox->Update();
}

void MarkAll() {
    for (int i = 0; i < TransformationsWindow->FileListBox->Count(); ++i) TransformationsWindow->FileListBox->SetSelected(i, true);
}

void BatchTurnAgainstSingleTurns(benchmark::State& state) {
    const Photos photos;
    StartWindows(photos);
    if (TransformationsWindow->FileListBox->Count() != FileCount) std::abort();
    ScriptedDialogs dialogs;  // takes the closing message
    std::vector<double> ratios;
    for (auto _ : state) {
        photos.WriteAll();
        MarkAll();
        const double batch = Time([] { TransformationsWindow->TurnBatch(false); });
        photos.WriteAll();
        const double singles = Time([&] {
            for (int i = 0; i < FileCount; ++i) RotateFile(photos.Path(i), false, *MainWindow->TImg2, *TransformationsWindow->Gauge);
        });
        state.SetIterationTime(batch);
        ratios.push_back(batch / singles);
    }
    state.counters["to_single_turns"] = Median(ratios);
    DestroyWindows();
}

}  // namespace

BENCHMARK(BatchTurnAgainstSingleTurns)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) { return RunToolkitBenchmarks(argc, argv); }
