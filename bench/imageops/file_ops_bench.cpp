// Turning and halving a 4000 x 3000 photo-like JPEG file, compared in the
// same run with vips and with libjpeg-turbo's tools on the same file, and a
// quarter turn in memory compared with a plain transpose of the same buffer.
// Times are processor time; each iteration times ours and the yardstick back
// to back, and a ratio is the median of the per-iteration ratios (ours over
// the yardstick: below 1 is faster).
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>

#include "BenchMain.h"
#include "ToolTiming.h"
#include "imageops/FileTransforms.h"
#include "imageops/PictureFiles.h"
#include "imageops/PixelTransforms.h"
#include "imageops/ResizeFile.h"
#include "platform/SysUtils.h"

namespace {

using namespace lumvex;
using namespace lumvex::bench;

struct Files {
    std::string folder = (std::filesystem::temp_directory_path() / "lumvex-fileops-bench").string();
    std::string photoBytes;
    Files() {
        std::filesystem::create_directories(folder);
        TJPEGImage jpeg;
        jpeg.Assign(PhotoLikePicture());
        photoBytes = jpeg.SaveToBytes();
    }
    ~Files() { std::filesystem::remove_all(folder); }
    // A fresh copy of the photo.
    std::string Photo(const std::string& name) const {
        const std::string path = folder + "/" + name;
        WriteFileAtomically(path, photoBytes);
        return path;
    }
    std::string Out(const std::string& name) const { return folder + "/" + name; }
};

const Files& TheFiles() {
    static const Files files;
    return files;
}

// The holders a file operation loads through.
struct Holders {
    TForm form;
    TImage* loader = new TImage(&form);
    TGauge* gauge = new TGauge(&form);
};

Holders& TheHolders() {
    static Holders holders;
    return holders;
}

// The least a quarter turn must do: every pixel read once and written once.
void PlainTranspose(const TBitmap& source, TBitmap& target) {
    target = TBitmap::Uninitialised(source.Height(), source.Width(), TPixelFormat::pf24bit);
    for (int y = 0; y < source.Height(); ++y) {
        const std::uint8_t* in = source.ScanLine(y);
        for (int x = 0; x < source.Width(); ++x) std::memcpy(target.ScanLine(x) + 3 * y, in + 3 * x, 3);
    }
}

void QuarterTurnInMemory(benchmark::State& state) {
    const TBitmap photo = PhotoLikePicture();
    std::vector<double> ours, plain;
    for (auto _ : state) {
        TBitmap turned, transposed;
        ours.push_back(Time([&] { QuarterTurn(photo, turned, false); }));
        plain.push_back(Time([&] { PlainTranspose(photo, transposed); }));
        state.SetIterationTime(ours.back());
        benchmark::DoNotOptimize(turned.ScanLine(0));
        benchmark::DoNotOptimize(transposed.ScanLine(0));
    }
    SetRatio(state, "to_transpose", ours, plain);
}

void TurnJpegFile(benchmark::State& state) {
    const Files& f = TheFiles();
    Holders& h = TheHolders();
    const std::string photo = f.Photo("turn.jpg");
    const std::string source = f.Photo("source.jpg");
    std::vector<double> ours, vips, pipe;
    for (auto _ : state) {
        ours.push_back(Time([&] { RotateFile(photo, false, *h.loader, *h.gauge); }));
        state.SetIterationTime(ours.back());
        f.Photo("turn.jpg");
        vips.push_back(RunTool({"vips", "rot", source, f.Out("vips.jpg[Q=90]"), "d90"}));
        pipe.push_back(RunTool({"sh", "-c", "djpeg '" + source + "' | cjpeg -quality 90 > '" + f.Out("pipe.jpg") + "'"}));
    }
    SetRatio(state, "to_vips_rot", ours, vips);
    SetRatio(state, "to_djpeg_cjpeg", ours, pipe);
}

void HalveJpegFile(benchmark::State& state) {
    const Files& f = TheFiles();
    const std::string source = f.Photo("source.jpg");
    TResizeWork work;
    const TScaleChoice half;
    std::vector<double> ours, vips;
    for (auto _ : state) {
        const std::string photo = f.Photo("halve.jpg");
        ours.push_back(Time([&] { ResizeFile(photo, half, true, work, *TheHolders().loader); }));
        state.SetIterationTime(ours.back());
        vips.push_back(RunTool({"vips", "resize", source, f.Out("vips.jpg[Q=90]"), "0.5", "--kernel", "nearest"}));
    }
    SetRatio(state, "to_vips_resize", ours, vips);
}

}  // namespace

BENCHMARK(QuarterTurnInMemory)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(11);
BENCHMARK(TurnJpegFile)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(11);
BENCHMARK(HalveJpegFile)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(11);

int main(int argc, char** argv) { return RunToolkitBenchmarks(argc, argv); }
