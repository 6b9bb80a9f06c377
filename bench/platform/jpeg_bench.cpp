// JPEG decoding and encoding of a 4000 x 3000 photo-like picture, each
// compared in the same run with libjpeg-turbo's command-line tools on the
// same file. The tools run as processes writing to /dev/null; the cost of
// starting one (the same tool on a 1 x 1 picture) is subtracted. All times
// are processor time (user and system, page faults included), so that other
// work on a shared machine does not count; wall time is not compared. Each
// iteration times ours and the tool back to back; the ratio counter is the
// median of ours / tool over the iterations. ratio_inprocess compares with
// the libjpeg calls the tool makes, run in this process: a check that does
// not depend on how a busy machine schedules new processes.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "ToolTiming.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Jpeg.h"

extern char** environ;

namespace {

using namespace lumvex;
using namespace lumvex::bench;

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

// What djpeg does: decode from a file, rows of RGB written out as a PPM.
void DjpegInProcess(const std::string& path, unsigned denominator) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    std::FILE* out = std::fopen("/dev/null", "wb");
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, in);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.scale_num = 1;
    cinfo.scale_denom = denominator;
    jpeg_start_decompress(&cinfo);
    std::fprintf(out, "P6\n%u %u\n255\n", cinfo.output_width, cinfo.output_height);
    std::vector<JSAMPLE> row(std::size_t(cinfo.output_width) * cinfo.output_components);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&cinfo, rows, 1);
        std::fwrite(row.data(), 1, row.size(), out);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(in);
    std::fclose(out);
}

// What cjpeg does: read a PPM file row by row and compress it to a file.
void CjpegInProcess(const std::string& path, int quality) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    std::FILE* out = std::fopen("/dev/null", "wb");
    unsigned width = 0, height = 0;
    if (std::fscanf(in, "P6 %u %u 255", &width, &height) != 2 || std::fgetc(in) != '\n')
        throw std::runtime_error("bad PPM");
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, out);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(std::size_t(width) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        if (std::fread(row.data(), 1, row.size(), in) != row.size()) throw std::runtime_error("short PPM");
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(in);
    std::fclose(out);
}

// Runs ours and the tool (and the tool's start-up) once per iteration. The
// machine may be busy with other work, so each iteration's pair is compared
// and the ratio is the median of those per-iteration ratios.
template <class Ours, class ToolInProcess>
void Compare(benchmark::State& state, Ours&& ours, const std::vector<std::string>& tool,
             const std::vector<std::string>& toolStartUp, ToolInProcess&& toolInProcess) {
    std::vector<double> oursTimes, toolTimes, ratios, inProcessRatios;
    for (auto _ : state) {
        const double t = Time(ours);
        state.SetIterationTime(t);
        const double startUp = RunTool(toolStartUp);
        const double toolWork = RunTool(tool) - startUp;
        oursTimes.push_back(t);
        toolTimes.push_back(toolWork);
        ratios.push_back(t / toolWork);
        inProcessRatios.push_back(Time(ours) / Time(toolInProcess));
    }
    state.counters["ours_ms"] = Median(oursTimes) * 1e3;
    state.counters["tool_ms"] = Median(toolTimes) * 1e3;
    state.counters["ratio"] = Median(ratios);
    state.counters["ratio_inprocess"] = Median(inProcessRatios);
}

void Decode(benchmark::State& state, TJPEGScale scale, const std::vector<std::string>& toolOptions,
            unsigned denominator) {
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
        tool(f.photoJpeg), tool(f.tinyJpeg), [&] { DjpegInProcess(f.photoJpeg, denominator); });
}

void DecodeFull(benchmark::State& state) { Decode(state, TJPEGScale::jsFullSize, {}, 1); }
void DecodeEighth(benchmark::State& state) { Decode(state, TJPEGScale::jsEighth, {"-scale", "1/8"}, 8); }

// Ours is SaveToBytes of a picture holding an assigned bitmap. Assign itself
// copies the bitmap (36 MB) and is reported on its own: assign_ms, and
// ratio_with_assign for both steps against the tool.
void EncodeQuality90(benchmark::State& state) {
    const Files& f = TheFiles();
    state.counters["jpeg_bytes"] = static_cast<double>(FileSize(f.photoJpeg));
    TJPEGImage jpeg;
    jpeg.Assign(f.photo);
    jpeg.SetCompressionQuality(90);
    Compare(
        state, [&] { benchmark::DoNotOptimize(jpeg.SaveToBytes()); }, {"cjpeg", "-quality", "90", f.photoPpm},
        {"cjpeg", "-quality", "90", f.tinyPpm}, [&] { CjpegInProcess(f.photoPpm, 90); });
    std::vector<double> assignTimes;
    for (int i = 0; i < 9; ++i) assignTimes.push_back(Time([&] { TJPEGImage(jpeg).Assign(f.photo); }));
    state.counters["assign_ms"] = Median(assignTimes) * 1e3;
    state.counters["ratio_with_assign"] =
        (state.counters["ours_ms"] + state.counters["assign_ms"]) / state.counters["tool_ms"];
}

}  // namespace

BENCHMARK(DecodeFull)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(31);
BENCHMARK(DecodeEighth)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(41);
BENCHMARK(EncodeQuality90)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(31);

BENCHMARK_MAIN();
