#pragma once
// Shared by the benchmarks that compare with command-line tools: a
// photo-like test picture, running a tool and timing work, all in processor
// time (user and system), so that other work on a shared machine does not
// count.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/graphics/Bitmap.h"

extern char** environ;

namespace lumvex::bench {

inline constexpr int PhotoWidth = 4000, PhotoHeight = 3000;

// Smooth shading, edges between regions, fine texture and sensor noise:
// compresses at quality 90 to about as many bytes as a real photo. Other
// seeds (above the default) shift the shading: another picture of the kind.
// A smaller size shows a part of the same scene.
inline TBitmap PhotoLikePicture(std::uint32_t seed = 12345, int width = PhotoWidth, int height = PhotoHeight) {
    TBitmap bitmap(width, height, TPixelFormat::pf24bit);
    std::vector<double> sx(width), tx(width);
    for (int x = 0; x < width; ++x)
        sx[x] = std::sin((x + (seed - 12345u) % 977u) / 410.0), tx[x] = std::sin(x * 0.21);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        const double cy = std::cos(y / 330.0), ty = std::sin(y * 0.17);
        for (int x = 0; x < width; ++x) {
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

inline double Seconds(const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) * 1e-6; }

// Processor seconds the command took, its output going to /dev/null.
inline double RunTool(std::vector<std::string> args) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start " + args[0] + " (scripts/install-deps.sh --bench installs it)");
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error(args[0] + " failed");
    return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
}

inline double CpuSeconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}
inline double ThreadSeconds() { return CpuSeconds(CLOCK_THREAD_CPUTIME_ID); }
inline double ProcessSeconds() { return CpuSeconds(CLOCK_PROCESS_CPUTIME_ID); }

// Processor seconds the work took in this thread (with CLOCK_PROCESS_CPUTIME_ID:
// in the whole process, its threads included).
template <class Work>
double Time(Work&& work, clockid_t clock = CLOCK_THREAD_CPUTIME_ID) {
    const double start = CpuSeconds(clock);
    work();
    return CpuSeconds(clock) - start;
}

// A binary PPM of a 24-bit bitmap, as the command-line tools read it.
inline std::string Ppm(const TBitmap& bitmap) {
    std::string out = "P6\n" + std::to_string(bitmap.Width()) + " " + std::to_string(bitmap.Height()) + "\n255\n";
    out.reserve(out.size() + std::size_t(bitmap.Width()) * bitmap.Height() * 3);
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x) out += {char(row[3 * x + 2]), char(row[3 * x + 1]), char(row[3 * x])};
    }
    return out;
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Sets the counter to the median of the per-iteration ratios ours / other.
inline void SetRatio(benchmark::State& state, const char* name, const std::vector<double>& ours,
                     const std::vector<double>& other) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < ours.size(); ++i) ratios.push_back(ours[i] / other[i]);
    state.counters[name] = Median(ratios);
}

}  // namespace lumvex::bench
