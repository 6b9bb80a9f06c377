// A phone's 12-megapixel photo (4032 x 3024, whole blocks, camera tags and a
// thumbnail written by exiftool):
// - a lossless quarter turn of the file against `jpegtran -rotate 90 -perfect
//   -copy all` on the same file (target at most 1.1x), and against the
//   decode, turn and quality-90 encode that turned files before (at most 0.3x);
//   beside them, the floor of any lossless transform by the same library: the
//   blocks read and coded again unmoved, against that decode, turn and encode;
// - the colour conversion of the photo tagged Display P3 against its decode
//   (at most 0.1x), alone and as it runs inside the decode;
// - decoding the photo stored with Orientation 6 against Orientation 1.
// Times are processor time; each iteration times ours and the yardstick back
// to back, and a ratio is the median of the per-iteration ratios.
#include <benchmark/benchmark.h>

#include <filesystem>

#include <turbojpeg.h>

#include "BenchMain.h"
#include "ToolTiming.h"
#include "imageops/PictureFiles.h"
#include "imageops/PixelTransforms.h"
#include "platform/SysUtils.h"
#include "platform/graphics/ColorProfiles.h"
#include "platform/graphics/JpegFileTransform.h"
#include "tests/platform/graphics/TestProfiles.h"

namespace {

using namespace lumvex;
using namespace lumvex::bench;
using lumvex::test::DisplayP3Profile;

void Shell(const std::string& command) {
    if (std::system(command.c_str()) != 0) throw std::runtime_error(command + " failed");
}

struct Files {
    std::string folder = (std::filesystem::temp_directory_path() / "lumvex-photo-bench").string();
    std::string photo, tagged, lying, tiny;

    Files() {
        std::filesystem::create_directories(folder);
        TBitmap picture = PhotoLikePicture();
        picture.SetSize(4032, 3024);
        WriteJpeg(picture, photo = Path("photo.jpg"));
        TBitmap small = PhotoLikePicture(777);
        small.SetSize(160, 120);
        WriteJpeg(small, Path("thumbnail.jpg"));
        WriteFileAtomically(Path("p3.icc"), DisplayP3Profile());
        Shell("exiftool -q -overwrite_original -Make=Lumvex -Model='Test Phone 7' -DateTimeOriginal='2024:05:01 "
              "10:20:30' -GPSLatitude=47.5 -GPSLatitudeRef=N -ExifImageWidth=4032 -ExifImageHeight=3024 "
              "'-ThumbnailImage<=" + Path("thumbnail.jpg") + "' " + photo);
        Shell("cp " + photo + " " + (tagged = Path("tagged.jpg")) + " && cp " + photo + " " + (lying = Path("lying.jpg")));
        Shell("exiftool -q -overwrite_original '-ICC_Profile<=" + Path("p3.icc") + "' " + tagged);
        Shell("exiftool -q -overwrite_original -Orientation#=6 " + lying);
        TBitmap one(16, 16);
        WriteJpeg(one, tiny = Path("tiny.jpg"));
    }
    ~Files() { std::filesystem::remove_all(folder); }
    std::string Path(const std::string& name) const { return folder + "/" + name; }
};

const Files& TheFiles() {
    static const Files files;
    return files;
}

std::vector<std::string> Jpegtran(const std::string& file, const std::string& out) {
    return {"jpegtran", "-rotate", "90", "-perfect", "-copy", "all", "-outfile", out, file};
}

// The file's blocks decoded from their Huffman codes and coded again where
// they are, in memory: what every lossless transform does besides moving them.
void Transcode(const std::string& bytes) {
    tjhandle handle = tjInitTransform();
    tjtransform request{};
    request.options = TJXOPT_COPYNONE;
    unsigned char* output = nullptr;
    unsigned long size = 0;
    const int result = tjTransform(handle, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 1,
                                   &output, &size, &request, 0);
    tjFree(output);
    tjDestroy(handle);
    if (result != 0) throw std::runtime_error("the photo does not transcode");
}

TBitmap Decoded(const std::string& path, TJPEGColors colors) {
    TJPEGImage jpeg;
    jpeg.SetColors(colors);
    jpeg.LoadFromFile(path);
    return jpeg.Bitmap();
}

void LosslessQuarterTurn(benchmark::State& state) {
    const Files& f = TheFiles();
    const std::string ours = f.Path("turned.jpg"), theirs = f.Path("jpegtran.jpg"), recoded = f.Path("recoded.jpg");
    Shell("cp " + f.photo + " " + ours);
    const std::string photoBytes = ReadFileBytes(f.photo);
    std::vector<double> oursTimes, jpegtranTimes, recodeTimes, transcodeTimes;
    for (auto _ : state) {
        oursTimes.push_back(Time([&] { TransformJpegFile(ours, TFlipTurn::TurnRight); }));
        state.SetIterationTime(oursTimes.back());
        jpegtranTimes.push_back(RunTool(Jpegtran(f.photo, theirs)) - RunTool(Jpegtran(f.tiny, theirs)));
        recodeTimes.push_back(Time([&] {
            TBitmap source = Decoded(f.photo, TJPEGColors::jcStored), target;
            QuarterTurn(source, target, false);
            WriteJpeg(target, recoded);
        }));
    }
    // Apart, so that what it leaves in the heap does not help the turn.
    for (std::size_t i = 0; i < oursTimes.size(); ++i) transcodeTimes.push_back(Time([&] { Transcode(photoBytes); }));
    state.counters["ours_ms"] = Median(oursTimes) * 1e3;
    state.counters["jpegtran_ms"] = Median(jpegtranTimes) * 1e3;
    state.counters["recode_ms"] = Median(recodeTimes) * 1e3;
    SetRatio(state, "to_jpegtran", oursTimes, jpegtranTimes);
    SetRatio(state, "to_recode", oursTimes, recodeTimes);
    state.counters["transcode_ms"] = Median(transcodeTimes) * 1e3;
    state.counters["transcode_to_recode"] = Median(transcodeTimes) / Median(recodeTimes);
}

void ColourConversion(benchmark::State& state) {
    const Files& f = TheFiles();
    const std::string profile = DisplayP3Profile();
    const TBitmap stored = Decoded(f.tagged, TJPEGColors::jcStored);
    std::vector<double> decode, converted, alone;
    for (auto _ : state) {
        decode.push_back(Time([&] { benchmark::DoNotOptimize(Decoded(f.tagged, TJPEGColors::jcStored).ScanLine(0)); }));
        converted.push_back(Time([&] { benchmark::DoNotOptimize(Decoded(f.tagged, TJPEGColors::jcSRGB).ScanLine(0)); }));
        TBitmap copy = stored;
        copy.ScanLine(0);  // its own pixels before the clock starts
        alone.push_back(Time([&] { ConvertColors(copy, *TColorConversion::For(profile, TColorTarget::SRGB)); }));
        state.SetIterationTime(alone.back());
    }
    std::vector<double> inDecode;
    for (std::size_t i = 0; i < decode.size(); ++i) inDecode.push_back(converted[i] - decode[i]);
    state.counters["decode_ms"] = Median(decode) * 1e3;
    state.counters["colour_ms"] = Median(alone) * 1e3;
    SetRatio(state, "alone_to_decode", alone, decode);
    SetRatio(state, "in_decode_to_decode", inDecode, decode);
    // Reading a profile never seen and preparing its conversion, once.
    const std::string other = DisplayP3Profile(2.2);
    state.counters["first_use_ms"] = Time([&] { TColorConversion::For(other, TColorTarget::SRGB); }) * 1e3;
}

void UprightDecode(benchmark::State& state) {
    const Files& f = TheFiles();
    std::vector<double> lying, upright;
    for (auto _ : state) {
        lying.push_back(Time([&] { benchmark::DoNotOptimize(Decoded(f.lying, TJPEGColors::jcScreen).ScanLine(0)); }));
        upright.push_back(Time([&] { benchmark::DoNotOptimize(Decoded(f.photo, TJPEGColors::jcScreen).ScanLine(0)); }));
        state.SetIterationTime(lying.back());
    }
    SetRatio(state, "to_orientation_1", lying, upright);
}

}  // namespace

BENCHMARK(LosslessQuarterTurn)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(11);
BENCHMARK(ColourConversion)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(11);
BENCHMARK(UprightDecode)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(11);

int main(int argc, char** argv) { return RunToolkitBenchmarks(argc, argv); }
