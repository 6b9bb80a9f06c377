// The pixel transforms on a 4000 x 3000 24-bit picture: a quarter turn each
// way, a mirror each way and a scaling to half the size. Each is timed
// against the least a transform of the whole picture must do, copying it row
// by row into a new bitmap; "to_copy" is the transform's time over the copy's.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>

#include "imageops/PixelTransforms.h"

namespace {

using namespace lumvex;
using Clock = std::chrono::steady_clock;

const TBitmap& Picture() {
    static const TBitmap picture = [] {
        TBitmap bitmap(4000, 3000, TPixelFormat::pf24bit);
        for (int y = 0; y < bitmap.Height(); ++y) {
            std::uint8_t* row = bitmap.ScanLine(y);
            for (int i = 0; i < bitmap.Width() * 3; ++i) row[i] = static_cast<std::uint8_t>(i * 7 + y * 3);
        }
        return bitmap;
    }();
    return picture;
}

void CopyPicture(const TBitmap& picture) {
    TBitmap copy = TBitmap::Uninitialised(picture.Width(), picture.Height(), picture.PixelFormat());
    for (int y = 0; y < picture.Height(); ++y)
        std::memcpy(copy.ScanLine(y), picture.ScanLine(y), picture.BytesPerLine());
    benchmark::DoNotOptimize(copy.ScanLine(0));
    benchmark::ClobberMemory();
}

// Reports the transform's own time, and its ratio to a copy timed right after it.
template <class Transform>
void TimeAgainstCopy(benchmark::State& state, Transform transform) {
    const TBitmap& picture = Picture();
    double transformTotal = 0, copyTotal = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        transform(picture);
        const auto middle = Clock::now();
        CopyPicture(picture);
        const auto end = Clock::now();
        const double transformTime = std::chrono::duration<double>(middle - start).count();
        transformTotal += transformTime;
        copyTotal += std::chrono::duration<double>(end - middle).count();
        state.SetIterationTime(transformTime);
    }
    state.counters["to_copy"] = copyTotal > 0 ? transformTotal / copyTotal : 0;
}

void Turn(benchmark::State& state, bool left) {
    TimeAgainstCopy(state, [left](const TBitmap& picture) {
        TBitmap turned;
        QuarterTurn(picture, turned, left);
        benchmark::DoNotOptimize(turned.ScanLine(0));
    });
}

void QuarterTurnLeft(benchmark::State& state) { Turn(state, true); }
void QuarterTurnRight(benchmark::State& state) { Turn(state, false); }

// The mirrors work in place on a picture of their own, made before timing.
void Mirror(benchmark::State& state, bool vertical) {
    TBitmap mirrored = Picture();
    mirrored.ScanLine(0);  // its own pixels, so the mirror does not copy them
    TimeAgainstCopy(state, [&](const TBitmap&) {
        MirrorBitmap(mirrored, vertical);
        benchmark::DoNotOptimize(mirrored.ScanLine(0));
    });
}

void MirrorLeftRight(benchmark::State& state) { Mirror(state, false); }
void MirrorTopBottom(benchmark::State& state) { Mirror(state, true); }

void ScaleToHalf(benchmark::State& state) {
    TimeAgainstCopy(state, [](const TBitmap& picture) {
        const TScaledSize size = ScaledSize(picture.Width(), picture.Height(), {TScaleFraction::sfHalf});
        TBitmap scaled(size.Width, size.Height, TPixelFormat::pf32bit);
        StretchBitmap(picture, scaled);
        benchmark::DoNotOptimize(scaled.ScanLine(0));
    });
}

}  // namespace

BENCHMARK(QuarterTurnLeft)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(QuarterTurnRight)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(MirrorLeftRight)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(MirrorTopBottom)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ScaleToHalf)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
