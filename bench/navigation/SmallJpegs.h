#pragma once
// A folder of many small photo-like JPEG files for the browser's benchmarks,
// made once and kept between runs, and the yardstick of a browser build: the
// same files decoded as the browser's cells decode them (at an eighth of
// their size), by a number of threads sharing the list.

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "ToolTiming.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Jpeg.h"

namespace lumvex::bench {

inline constexpr int SmallJpegWidth = 320, SmallJpegHeight = 240;

// The files of the folder <temp>/lumvex-small-jpegs-<count>, named
// "small00000.jpg" onwards; the files are written only when the folder does
// not hold them all yet (writing 10,000 takes some seconds).
inline std::vector<std::string> SmallJpegFolder(int count) {
    const std::string folder =
        (std::filesystem::temp_directory_path() / ("lumvex-small-jpegs-" + IntToStr(count))).string();
    std::vector<std::string> files;
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/small%05d.jpg", i);
        files.push_back(folder + name);
    }
    if (FileExists(files.back()) && FileSize(files.back()) > 0) return files;
    std::filesystem::create_directories(folder);
    for (int i = 0; i < count; ++i) {
        TJPEGImage jpeg;
        jpeg.Assign(PhotoLikePicture(12345 + 7919u * std::uint32_t(i), SmallJpegWidth, SmallJpegHeight));
        WriteFileAtomically(files[i], jpeg.SaveToBytes());
    }
    return files;
}

struct TDecodeTiming {
    double WallSeconds = 0;
    double ProcessorSeconds = 0;  // every thread of the process
};

// Loads every file and decodes it at an eighth of its size, the threads
// taking the next file as they finish one.
inline TDecodeTiming DecodeAtAnEighth(const std::vector<std::string>& files, int threads) {
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < files.size(); i = next++) {
            TJPEGImage jpeg;
            jpeg.LoadFromFile(files[i]);
            jpeg.SetScale(TJPEGScale::jsEighth);
            jpeg.DIBNeeded();
        }
    };
    const double processorStart = ProcessSeconds();
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::thread> workers;
    for (int i = 0; i < threads; ++i) workers.emplace_back(work);
    for (std::thread& worker : workers) worker.join();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            ProcessSeconds() - processorStart};
}

}  // namespace lumvex::bench
