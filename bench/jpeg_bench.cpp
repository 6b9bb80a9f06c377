// JPEG decoding and encoding of a 4000 x 3000 photo-like picture, each
// compared in the same run with libjpeg-turbo's command-line tools on the
// same file. The tools run as processes writing to /dev/null; the cost of
// starting one (the same tool on a 1 x 1 picture) is subtracted. Each
// iteration times ours and the tool back to back; the ratio counter is the
// median of ours / tool over the iterations.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/SysUtils.h"
#include "platform/graphics/Jpeg.h"

extern char** environ;

namespace {

using namespace lumvex;
using Clock = std::chrono::steady_clock;

constexpr int PhotoWidth = 4000, PhotoHeight = 3000;

// Smooth shading, edges between regions, fine texture and sensor noise:
// compresses at quality 90 to about as many bytes as a real photo.
TBitmap PhotoLikePicture() {
    TBitmap bitmap(PhotoWidth, PhotoHeight, TPixelFormat::pf24bit);
    std::vector<double> sx(PhotoWidth), tx(PhotoWidth);
    for (int x = 0; x < PhotoWidth; ++x) sx[x] = std::sin(x / 410.0), tx[x] = std::sin(x * 0.21);
    std::uint32_t seed = 12345;
    for (int y = 0; y < PhotoHeight; ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        const double cy = std::cos(y / 330.0), ty = std::sin(y * 0.17);
        for (int x = 0; x < PhotoWidth; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = static_cast<int>(seed >> 28) - 8;
            const bool region = ((x / 500) + (y / 420)) % 3 == 0 || (x - 2600) * (x - 2600) + (y - 1200) * (y - 1200) < 600000;
            const double shade = 70 * sx[x] * cy + 18 * tx[x] * ty;
            const int r = static_cast<int>(region ? 150 + shade : 90 - shade * 0.5) + noise;
            const int g = static_cast<int>(region ? 110 + shade * 0.8 : 120 + shade) + noise;
            const int b = static_cast<int>(region ? 60 + shade * 0.3 : 150 + shade * 0.6) + noise;
            row[3 * x] = static_cast<std::uint8_t>(std::clamp(b, 0, 255));
            row[3 * x + 1] = static_cast<std::uint8_t>(std::clamp(g, 0, 255));
            row[3 * x + 2] = static_cast<std::uint8_t>(std::clamp(r, 0, 255));
        }
    }
    return bitmap;
}

// A binary PPM of the bitmap, as cjpeg reads it.
std::string Ppm(const TBitmap& bitmap) {
    std::string out = "P6\n" + IntToStr(bitmap.Width()) + " " + IntToStr(bitmap.Height()) + "\n255\n";
    out.reserve(out.size() + std::size_t(bitmap.Width()) * bitmap.Height() * 3);
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            out += static_cast<char>(row[3 * x + 2]);
            out += static_cast<char>(row[3 * x + 1]);
            out += static_cast<char>(row[3 * x]);
        }
    }
    return out;
}

struct Files {
    std::string folder;
    TBitmap photo;
    std::string photoJpeg, photoPpm, tinyJpeg, tinyPpm;

    Files() {
        folder = (std::filesystem::temp_directory_path() / "lumvex-jpeg-bench").string();
        std::filesystem::create_directories(folder);
        photo = PhotoLikePicture();
        TJPEGImage jpeg;
        jpeg.Assign(photo);
        photoJpeg = Write("photo.jpg", jpeg.SaveToBytes());
        photoPpm = Write("photo.ppm", Ppm(photo));
        TBitmap tiny(1, 1);
        jpeg.Assign(tiny);
        tinyJpeg = Write("tiny.jpg", jpeg.SaveToBytes());
        tinyPpm = Write("tiny.ppm", Ppm(tiny));
    }
    ~Files() { std::filesystem::remove_all(folder); }

    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string path = folder + "/" + name;
        WriteFileAtomically(path, bytes);
        return path;
    }
};

const Files& TheFiles() {
    static const Files files;
    return files;
}

// Seconds the command took, its output going to /dev/null.
double RunTool(std::vector<std::string> args) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start " + args[0] + " (scripts/install-deps.sh --bench installs it)");
    int status = 0;
    waitpid(pid, &status, 0);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error(args[0] + " failed");
    return seconds;
}

template <class Work>
double Time(Work&& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs ours and the tool (and the tool's start-up) once per iteration. The
// machine may be busy with other work, so each iteration's pair is compared
// and the ratio is the median of those per-iteration ratios.
template <class Ours>
void Compare(benchmark::State& state, Ours&& ours, const std::vector<std::string>& tool,
             const std::vector<std::string>& toolStartUp) {
    std::vector<double> oursTimes, toolTimes, ratios;
    for (auto _ : state) {
        const double t = Time(ours);
        state.SetIterationTime(t);
        const double startUp = RunTool(toolStartUp);
        const double toolWork = RunTool(tool) - startUp;
        oursTimes.push_back(t);
        toolTimes.push_back(toolWork);
        ratios.push_back(t / toolWork);
    }
    state.counters["ours_ms"] = Median(oursTimes) * 1e3;
    state.counters["tool_ms"] = Median(toolTimes) * 1e3;
    state.counters["ratio"] = Median(ratios);
}

void Decode(benchmark::State& state, TJPEGScale scale, const std::vector<std::string>& toolOptions) {
    const Files& f = TheFiles();
    auto tool = [&](const std::string& file) {
        std::vector<std::string> args{"djpeg"};
        args.insert(args.end(), toolOptions.begin(), toolOptions.end());
        args.push_back(file);
        return args;
    };
    Compare(
        state,
        [&] {
            TJPEGImage jpeg;
            jpeg.LoadFromFile(f.photoJpeg);
            jpeg.SetScale(scale);
            benchmark::DoNotOptimize(jpeg.Bitmap().ScanLine(jpeg.Height() - 1));
        },
        tool(f.photoJpeg), tool(f.tinyJpeg));
}

void DecodeFull(benchmark::State& state) { Decode(state, TJPEGScale::jsFullSize, {}); }
void DecodeEighth(benchmark::State& state) { Decode(state, TJPEGScale::jsEighth, {"-scale", "1/8"}); }

void EncodeQuality90(benchmark::State& state) {
    const Files& f = TheFiles();
    state.counters["jpeg_bytes"] = static_cast<double>(FileSize(f.photoJpeg));
    Compare(
        state,
        [&] {
            TJPEGImage jpeg;
            jpeg.Assign(f.photo);
            jpeg.SetCompressionQuality(90);
            benchmark::DoNotOptimize(jpeg.SaveToBytes());
        },
        {"cjpeg", "-quality", "90", f.photoPpm}, {"cjpeg", "-quality", "90", f.tinyPpm});
}

}  // namespace

BENCHMARK(DecodeFull)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(31);
BENCHMARK(DecodeEighth)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(41);
BENCHMARK(EncodeQuality90)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(31);

BENCHMARK_MAIN();
