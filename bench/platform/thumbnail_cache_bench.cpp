// The shared thumbnail cache against the work it saves: a 4000 x 3000 photo
// decoded at an eighth of its size, as the browser makes a thumbnail. Over a
// folder of 500 pictures, each iteration looks up (found or missed) or stores
// one entry.
// Counters, in this thread's processor time, which a busy machine does not
// stretch:
//   us_per_entry      microseconds for one look-up or store
//   share_of_decode   that time over the eighth-size decode of one photo
//                     (a found entry is worth it far below 1; a miss and a
//                     store are what the cache adds to a picture never seen)
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ToolTiming.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Jpeg.h"
#include "platform/services/ThumbnailCache.h"

namespace {

using namespace lumvex;

constexpr int FileCount = 500;

struct Folder {
    std::string root = (std::filesystem::temp_directory_path() / "lumvex-thumbnail-cache-bench").string();
    std::string photo = root + "/photo.jpg";
    std::vector<std::string> files;
    int caches = 0;
    TThumbnailCache cache{root + "/cache-0/thumbnails"};
    TBitmap decoded;  // the photo at an eighth of its size, as the browser stores it

    Folder() {
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root + "/pictures");
        TJPEGImage jpeg;
        jpeg.Assign(bench::PhotoLikePicture());
        WriteFileAtomically(photo, jpeg.SaveToBytes());
        decoded = DecodeEighth();
        for (int i = 0; i < FileCount; ++i) {
            files.push_back(root + "/pictures/photo " + IntToStr(i) + ".jpg");
            WriteFileAtomically(files.back(), "bytes");
        }
    }
    ~Folder() { std::filesystem::remove_all(root); }

    TBitmap DecodeEighth() const {
        TJPEGImage jpeg;
        jpeg.LoadFromFile(photo);
        jpeg.SetScale(TJPEGScale::jsEighth);
        return jpeg.Bitmap();
    }
    // A cache of its own, not an emptied one: ext4 without a journal makes
    // files several times slower just after thousands were deleted, which no
    // user's cache meets. The caches are deleted at the end.
    void ClearCache() { cache = TThumbnailCache(root + "/cache-" + IntToStr(++caches) + "/thumbnails"); }
    void FillCache() const {
        for (const std::string& file : files)
            cache.Store(file, cache.LookUp(file, clWhite).Stamp, decoded, bench::PhotoWidth, bench::PhotoHeight);
    }
};

Folder& TheFolder() {
    static Folder folder;
    return folder;
}

double DecodeMicroseconds() {
    static const double microseconds = [] {
        const double seconds = bench::Time([] {
            for (int i = 0; i < 10; ++i) benchmark::DoNotOptimize(TheFolder().DecodeEighth());
        });
        return seconds * 1e6 / 10;
    }();
    return microseconds;
}

// Runs one step per iteration over the folder's files and reports the
// counters.
template <typename Step>
void PerEntry(benchmark::State& state, Step step) {
    const Folder& folder = TheFolder();
    const double decode = DecodeMicroseconds();
    std::size_t at = 0;
    const double start = bench::ThreadSeconds();
    for (auto _ : state) {
        step(folder, folder.files[at]);
        at = (at + 1) % folder.files.size();
    }
    const double each = (bench::ThreadSeconds() - start) * 1e6 /
                        double(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["us_per_entry"] = each;
    state.counters["share_of_decode"] = each / decode;
}

void BM_DecodeEighth(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(TheFolder().DecodeEighth());
    state.counters["us_per_entry"] = DecodeMicroseconds();
}

void BM_LookUpFound(benchmark::State& state) {
    TheFolder().FillCache();
    PerEntry(state, [](const Folder& folder, const std::string& file) {
        if (folder.cache.LookUp(file, clWhite).Answer != TCacheAnswer::Found) std::abort();
    });
}

void BM_LookUpMissed(benchmark::State& state) {
    TheFolder().ClearCache();
    PerEntry(state, [](const Folder& folder, const std::string& file) {
        if (folder.cache.LookUp(file, clWhite).Answer != TCacheAnswer::Miss) std::abort();
    });
}

void BM_Store(benchmark::State& state) {
    TheFolder().ClearCache();
    PerEntry(state, [](const Folder& folder, const std::string& file) {
        folder.cache.Store(file, folder.cache.LookUp(file, clWhite).Stamp, folder.decoded, bench::PhotoWidth,
                           bench::PhotoHeight);
    });
}

}  // namespace

BENCHMARK(BM_DecodeEighth)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LookUpFound)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LookUpMissed)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Store)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
