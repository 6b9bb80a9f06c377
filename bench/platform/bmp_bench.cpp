// Reading a 4000 x 3000 24-bit bitmap file against the least any reader must
// do: copy the file's bytes into a freshly allocated buffer of the same size.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/graphics/BmpCodec.h"

namespace {

const std::string& BigBitmapFile() {
    static const std::string file = [] {
        lumvex::TBitmap bmp(4000, 3000, lumvex::TPixelFormat::pf24bit);
        for (int y = 0; y < bmp.Height(); ++y) {
            std::uint8_t* row = bmp.ScanLine(y);
            for (int i = 0; i < bmp.BytesPerLine(); ++i) row[i] = static_cast<std::uint8_t>(i * 7 + y);
        }
        return lumvex::WriteBmp(bmp);
    }();
    return file;
}

void BM_CopyFileBytes(benchmark::State& state) {
    const std::string& file = BigBitmapFile();
    for (auto _ : state) {
        auto* buffer = static_cast<char*>(std::malloc(file.size()));
        std::memcpy(buffer, file.data(), file.size());
        benchmark::DoNotOptimize(buffer);
        benchmark::ClobberMemory();
        std::free(buffer);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(file.size()));
}

void BM_ReadBmp24(benchmark::State& state) {
    const std::string& file = BigBitmapFile();
    for (auto _ : state) {
        lumvex::TBitmap bmp = lumvex::ReadBmp(file);
        benchmark::DoNotOptimize(bmp.ScanLine(0));
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(file.size()));
}

// Times both in turn and reports read time / copy time.
void BM_ReadToCopyRatio(benchmark::State& state) {
    const std::string& file = BigBitmapFile();
    double readTotal = 0, copyTotal = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        {
            lumvex::TBitmap bmp = lumvex::ReadBmp(file);
            benchmark::DoNotOptimize(bmp.ScanLine(0));
        }
        auto middle = std::chrono::steady_clock::now();
        auto* buffer = static_cast<char*>(std::malloc(file.size()));
        std::memcpy(buffer, file.data(), file.size());
        benchmark::DoNotOptimize(buffer);
        benchmark::ClobberMemory();
        std::free(buffer);
        auto end = std::chrono::steady_clock::now();
        readTotal += std::chrono::duration<double>(middle - start).count();
        copyTotal += std::chrono::duration<double>(end - middle).count();
    }
    state.counters["read_to_copy"] = copyTotal > 0 ? readTotal / copyTotal : 0;
}

}  // namespace

BENCHMARK(BM_CopyFileBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBmp24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadToCopyRatio)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
