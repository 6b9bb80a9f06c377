// GIF decoding against giflib (when built with it), one animation tick onto a
// 640 x 480 display, and many animations on one master timer.
#include "BenchMain.h"

#include <cstdlib>
#include <cstring>
#include <random>

#include "tests/GifWriter.h"
#include "components/MPGifImg.h"
#include "platform/controls/Timer.h"
#include "platform/graphics/Canvas.h"
#include "platform/services/Application.h"

#ifdef LUMVEX_HAVE_GIFLIB
#include <gif_lib.h>
#endif

using namespace lumvex;

namespace {

std::vector<TColor> Palette() {
    std::vector<TColor> colors;
    for (int i = 0; i < 256; ++i) colors.push_back(RGB(i, (i * 7) & 255, 255 - i));
    return colors;
}

// A photograph-like picture: smooth areas with some noise.
std::vector<std::uint8_t> Pixels(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int v = (x / 3 + y / 5 + static_cast<int>(seed) * 11) & 255;
            if (random() % 8 == 0) v = (v + static_cast<int>(random() % 9)) & 255;
            pixels[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint8_t>(v);
        }
    return pixels;
}

const std::string& StillGif() {
    static const std::string bytes = test::GifWriter(2000, 2000, Palette())
                                         .Image({.width = 2000, .height = 2000, .pixels = Pixels(2000, 2000, 1)})
                                         .Bytes();
    return bytes;
}

const std::string& AnimatedGif() {
    static const std::string bytes = [] {
        test::GifWriter writer(480, 270, Palette());
        for (unsigned i = 0; i < 60; ++i)
            writer.GraphicControl(4).Image({.width = 480, .height = 270, .pixels = Pixels(480, 270, i)});
        return writer.Bytes();
    }();
    return bytes;
}

void Lumvex(benchmark::State& state, const std::string& bytes) {
    for (auto _ : state) {
        TGIFImage image;
        image.LoadFromBytes(bytes);
        benchmark::DoNotOptimize(image.FrameCount());
    }
}
BENCHMARK_CAPTURE(Lumvex, Still2000x2000, StillGif())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Lumvex, Animation480x270x60, AnimatedGif())->Unit(benchmark::kMillisecond);

#ifdef LUMVEX_HAVE_GIFLIB
struct Reader {
    const std::string* bytes;
    std::size_t position = 0;
};

int ReadFromMemory(GifFileType* file, GifByteType* dest, int count) {
    auto* reader = static_cast<Reader*>(file->UserData);
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(count), reader->bytes->size() - reader->position);
    std::memcpy(dest, reader->bytes->data() + reader->position, n);
    reader->position += n;
    return static_cast<int>(n);
}

void Giflib(benchmark::State& state, const std::string& bytes) {
    for (auto _ : state) {
        Reader reader{&bytes};
        int error = 0;
        GifFileType* file = DGifOpen(&reader, ReadFromMemory, &error);
        if (!file || DGifSlurp(file) != GIF_OK) state.SkipWithError("giflib failed");
        benchmark::DoNotOptimize(file->ImageCount);
        DGifCloseFile(file, &error);
    }
}
BENCHMARK_CAPTURE(Giflib, Still2000x2000, StillGif())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Giflib, Animation480x270x60, AnimatedGif())->Unit(benchmark::kMillisecond);
#endif

// The next frame becomes current and the display repaints it, as the viewer
// does from the image's change notification.
void RunTicks(benchmark::State& state, TGIFImage& image) {
    TBitmap display(640, 480, TPixelFormat::pf24bit);
    image.OnChange = [&](TGraphic& graphic) { graphic.Draw(display.Canvas(), Rect(0, 0, 640, 480)); };
    int frame = 0;
    for (auto _ : state) {
        frame = (frame + 1) % image.FrameCount();
        image.SetCurrentFrame(frame);
    }
    benchmark::DoNotOptimize(display.ScanLine(0));
}

void AnimationTick(benchmark::State& state) {
    TGIFImage image;
    image.LoadFromBytes(AnimatedGif());
    RunTicks(state, image);
}
BENCHMARK(AnimationTick)->Unit(benchmark::kMicrosecond);

// A small animation tiled over the display.
void TiledAnimationTick(benchmark::State& state) {
    test::GifWriter writer(16, 16, Palette());
    for (unsigned i = 0; i < 4; ++i) writer.Image({.width = 16, .height = 16, .pixels = Pixels(16, 16, i)});
    TGIFImage image;
    image.LoadFromBytes(writer.Bytes());
    image.SetTile(true);
    RunTicks(state, image);
}
BENCHMARK(TiledAnimationTick)->Unit(benchmark::kMicrosecond);

void TwentyAnimations(benchmark::State& state) {
    std::vector<std::unique_ptr<TGIFImage>> images;
    for (auto _ : state) {
        images.clear();
        for (int i = 0; i < 20; ++i) {
            images.push_back(std::make_unique<TGIFImage>());
            images.back()->SetAnimate(true);
        }
    }
    const bool shared = GIFTimerPool() && GIFTimerPool()->TriggerCount() == 20 && GIFTimerPool()->MasterTimer();
    state.counters["master_timers"] = shared ? 1 : 0;
    if (!shared) state.SkipWithError("the animations do not share one master timer");
}
BENCHMARK(TwentyAnimations)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return RunToolkitBenchmarks(argc, argv); }
