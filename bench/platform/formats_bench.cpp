// Decoding the kinds read through their own libraries, each compared in one
// run with its library's own decode called in a plain loop (the wrapper
// should add nothing: ratio ≤ 1.1), and PNG, WebP and TIFF also with Qt's
// image readers (qt6-image-formats-plugins for WebP and TIFF; ratio_qt ≤ 1).
// The picture is photo-like, 4000 x 3000, encoded by the formats' own tools
// as a camera or a web page would. Times are processor time of the whole
// process (libjxl decodes on threads), medians of per-iteration ratios.
// Also timed: a WebP animation of 5000 frames, which must cost little beyond
// a real photo, and stepping through a folder of 500 pictures of every kind
// once the prefetch has decoded the next one, against decoding it alone.
#include <benchmark/benchmark.h>

#include <jxl/decode.h>
#include <jxl/resizable_parallel_runner.h>
#include <libheif/heif.h>
#include <png.h>
#include <tiffio.h>
#include <webp/decode.h>

#include <QImage>
#include <QImageReader>
#include <filesystem>
#include <fstream>

#include "BenchMain.h"
#include "components/MPGifImg.h"
#include "ToolTiming.h"
#include "Program.h"
#include "navigation/FileWindow.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Jpeg.h"
#include "platform/graphics/Picture.h"
#include "platform/services/Screen.h"
#include "viewer/LateWindows.h"
#include "viewer/MainWindow.h"
#include "viewer/Prefetch.h"

namespace {

using namespace lumvex;
using namespace lumvex::bench;

template <class Work>
double ProcessTime(Work&& work) {
    return Time(work, CLOCK_PROCESS_CPUTIME_ID);
}

struct Files {
    std::string folder = (std::filesystem::temp_directory_path() / "lumvex-formats-bench").string();
    Files() {
        std::filesystem::create_directories(folder);
        WriteFileAtomically(Path("photo.ppm"), Ppm(PhotoLikePicture()));
        Make("convert photo.ppm png24:photo.png");
        Make("cwebp -quiet -q 90 photo.png -o photo.webp");
        Make("convert photo.ppm -compress lzw photo.tif");
        Make("heif-enc -q 90 photo.png -o photo.heic");
        Make("avifenc -s 8 photo.png photo.avif");
        Make("cjxl -d 1 photo.png photo.jxl");
        Make("convert -size 400x300 xc:red png24:r.png && convert -size 400x300 xc:blue png24:b.png && "
             "img2webp -lossy r.png b.png -o two.webp");
        Make("convert photo.ppm -quality 90 photo.jpg");
    }
    ~Files() { std::filesystem::remove_all(folder); }
    std::string Path(const std::string& name) const { return folder + "/" + name; }
    void Make(const std::string& command) const {
        if (std::system(("cd " + folder + " && " + command + " >/dev/null 2>&1").c_str()) != 0)
            throw std::runtime_error("failed (scripts/install-deps.sh installs the tools): " + command);
    }
};

const Files& TheFiles() {
    static const Files files;
    return files;
}

void LibPng(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    png_image_begin_read_from_memory(&image, bytes.data(), bytes.size());
    image.format = PNG_FORMAT_BGR;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
    png_image_free(&image);
    benchmark::DoNotOptimize(pixels.data());
}

void LibWebP(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    int width = 0, height = 0;
    std::uint8_t* pixels = WebPDecodeBGR(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), &width, &height);
    benchmark::DoNotOptimize(pixels);
    WebPFree(pixels);
}

void LibTiff(const std::string& path) {
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    std::uint32_t width = 0, height = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    std::vector<std::uint32_t> raster(std::size_t(width) * height);
    TIFFReadRGBAImageOriented(tiff, width, height, raster.data(), ORIENTATION_TOPLEFT, 1);
    TIFFClose(tiff);
    benchmark::DoNotOptimize(raster.data());
}

void LibHeif(const std::string& path) {
    heif_context* context = heif_context_alloc();
    heif_context_read_from_file(context, path.c_str(), nullptr);
    heif_image_handle* handle = nullptr;
    heif_context_get_primary_image_handle(context, &handle);
    heif_image* image = nullptr;
    heif_decode_image(handle, &image, heif_colorspace_RGB, heif_chroma_interleaved_RGB, nullptr);
    benchmark::DoNotOptimize(image);
    heif_image_release(image);
    heif_image_handle_release(handle);
    heif_context_free(context);
}

void LibJxl(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    JxlDecoder* decoder = JxlDecoderCreate(nullptr);
    void* runner = JxlResizableParallelRunnerCreate(nullptr);
    JxlDecoderSetParallelRunner(decoder, JxlResizableParallelRunner, runner);
    JxlDecoderSubscribeEvents(decoder, JXL_DEC_BASIC_INFO | JXL_DEC_FULL_IMAGE);
    JxlDecoderSetInput(decoder, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    JxlDecoderCloseInput(decoder);
    const JxlPixelFormat format{3, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    std::vector<std::uint8_t> pixels;
    for (JxlDecoderStatus status; (status = JxlDecoderProcessInput(decoder)) != JXL_DEC_FULL_IMAGE;) {
        if (status == JXL_DEC_BASIC_INFO) {
            JxlBasicInfo info;
            JxlDecoderGetBasicInfo(decoder, &info);
            JxlResizableParallelRunnerSetThreads(runner, JxlResizableParallelRunnerSuggestThreads(info.xsize, info.ysize));
        } else if (status == JXL_DEC_NEED_IMAGE_OUT_BUFFER) {
            std::size_t size = 0;
            JxlDecoderImageOutBufferSize(decoder, &format, &size);
            pixels.resize(size);
            JxlDecoderSetImageOutBuffer(decoder, &format, pixels.data(), size);
        } else if (status == JXL_DEC_ERROR || status == JXL_DEC_SUCCESS) {
            break;
        }
    }
    JxlResizableParallelRunnerDestroy(runner);
    JxlDecoderDestroy(decoder);
    benchmark::DoNotOptimize(pixels.data());
}

void QtReader(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    QImage image = reader.read();
    if (image.isNull()) throw std::runtime_error("Qt cannot read " + path + " (qt6-image-formats-plugins?)");
    benchmark::DoNotOptimize(image.constBits());
}

void Ours(const std::string& path) {
    std::unique_ptr<TGraphic> picture = TPicture::LoadGraphic(path);
    benchmark::DoNotOptimize(picture.get());
}

template <class Library>
void Decode(benchmark::State& state, const char* name, Library&& library, bool withQt) {
    const std::string path = TheFiles().Path(name);
    std::vector<double> ratios, qtRatios, oursTimes;
    for (auto _ : state) {
        const double ours = ProcessTime([&] { Ours(path); });
        state.SetIterationTime(ours);
        oursTimes.push_back(ours);
        ratios.push_back(ours / ProcessTime([&] { library(path); }));
        if (withQt) qtRatios.push_back(ProcessTime([&] { Ours(path); }) / ProcessTime([&] { QtReader(path); }));
    }
    state.counters["ours_ms"] = Median(oursTimes) * 1e3;
    state.counters["ratio"] = Median(ratios);
    if (withQt) state.counters["ratio_qt"] = Median(qtRatios);
    state.counters["file_bytes"] = double(FileSize(path));
}

void Png(benchmark::State& state) { Decode(state, "photo.png", LibPng, true); }
void WebP(benchmark::State& state) { Decode(state, "photo.webp", LibWebP, true); }
void Tiff(benchmark::State& state) { Decode(state, "photo.tif", LibTiff, true); }
void Heic(benchmark::State& state) { Decode(state, "photo.heic", LibHeif, false); }
void Avif(benchmark::State& state) { Decode(state, "photo.avif", LibHeif, false); }
void JpegXl(benchmark::State& state) { Decode(state, "photo.jxl", LibJxl, false); }

// The first frame of a 400 x 300 animation repeated 5000 times: loading reads
// the frame list and decodes one frame.
void ThousandsOfWebPFrames(benchmark::State& state) {
    const std::string two = ReadFileBytes(TheFiles().Path("two.webp"));
    const std::size_t first = two.find("ANMF");
    const std::size_t size = 8 + (std::uint8_t(two[first + 4]) | std::uint8_t(two[first + 5]) << 8 |
                                  std::uint8_t(two[first + 6]) << 16);
    std::string body = two.substr(8, first - 8);
    for (int i = 0; i < 5000; ++i) body += two.substr(first, size);
    std::string file = "RIFF";
    for (int shift = 0; shift < 32; shift += 8) file += char(body.size() >> shift & 0xFF);
    const std::string path = TheFiles().Path("many.webp");
    WriteFileAtomically(path, file + body);
    RegisterGIFImage();  // with it the animated WebP picture
    std::vector<double> times;
    for (auto _ : state) {
        const double t = ProcessTime([&] { Ours(path); });
        state.SetIterationTime(t);
        times.push_back(t);
    }
    state.counters["ours_ms"] = Median(times) * 1e3;
}

// 500 entries, the seven kinds in turn (links to the photos above).
void MixedFolderSteps(benchmark::State& state) {
    const std::string folder = TheFiles().Path("mixed");
    std::filesystem::create_directories(folder);
    const char* kinds[] = {"png", "webp", "tif", "heic", "avif", "jxl", "jpg"};
    for (int i = 0; i < 500; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/%03d.%s", i, kinds[i % 7]);
        std::filesystem::create_symlink(TheFiles().Path(std::string("photo.") + kinds[i % 7]), folder + name);
    }
    RegisterGIFImage();
    Screen.SetTestSize(TPoint{1920, 1080});
    if (chdir(folder.c_str()) != 0) throw std::runtime_error("cannot enter " + folder);
    CreateWindows("");
    MainWindow->DestruktorTimer();
    BuildLateWindows();  // as the first paint does
    MainWindow->nyjtas1Click(MainWindow->nyjtas1);
    std::vector<double> ratios, steps;
    for (auto _ : state) {
        const TFileListBox& list = *FileWindow->FileListBox;
        const std::string next = folder + "/" + list.Items()[std::size_t((list.ItemIndex() + 1) % list.Count())];
        const double decode = ProcessTime([&] { Ours(next); });
        Application.ProcessMessages();
        while (Prefetch.Busy()) {
            usleep(2000);
            Application.ProcessMessages();
        }
        const double step = ProcessTime([] { MainWindow->StepPicture(true); });
        state.SetIterationTime(step);
        steps.push_back(step);
        ratios.push_back(step / decode);
    }
    state.counters["step_ms"] = Median(steps) * 1e3;
    state.counters["ratio_to_decode"] = Median(ratios);
    DestroyWindows();
}

BENCHMARK(Png)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);
BENCHMARK(WebP)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);
BENCHMARK(Tiff)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);
BENCHMARK(Heic)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);
BENCHMARK(Avif)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);
BENCHMARK(JpegXl)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);
BENCHMARK(ThousandsOfWebPFrames)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(MixedFolderSteps)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(14);

}  // namespace

int main(int argc, char** argv) { return RunToolkitBenchmarks(argc, argv); }
