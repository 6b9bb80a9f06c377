#pragma once
// Shared by the browser benchmarks: the program's windows started once, the
// processor time and resident memory of this process, and the message loop
// run with a probe that finds the longest stretch it was busy.

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "Program.h"
#include "ToolTiming.h"
#include "platform/controls/Timer.h"
#include "platform/services/Application.h"
#include "platform/services/KeyCodes.h"
#include "viewer/LateWindows.h"
#include "viewer/MainWindow.h"

namespace lumvex::bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// A field of /proc/self/status (VmRSS, VmHWM) in bytes.
inline double StatusBytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0) return std::stod(line.substr(field.size() + 1)) * 1024;
    return 0;
}

// VmHWM starts again from the resident memory of now.
inline void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

// An empty folder of that name in the temporary folder.
inline std::string TempFolder(const std::string& name) {
    const auto path = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path.string();
}

// Numpad 0 pressed in the window, as a user presses it.
inline void PressNumpadZero(TForm& window) {
    std::uint16_t key = VK_NUMPAD0;
    window.Activate();
    MainWindow->FormKeyDown(&window, key, 0);
}

// The program's windows, once per process, with the settings store in store
// and the desktop's thumbnail cache beside it, never the user's.
inline void StartWindows(const std::string& store) {
    if (MainWindow) return;
    setenv("LUMVEX_REGISTRY_DIR", store.c_str(), 1);
    setenv("XDG_CACHE_HOME", (store + "/cache").c_str(), 1);
    CreateWindows("");
    MainWindow->Show();
    MainWindow->DestruktorTimer();
    BuildLateWindows();  // as the first paint does
}

// A build after this sees its folder for the first time: the thumbnail cache
// is a new folder beside the settings store, not an emptied one (ext4 makes
// files slowly just after thousands were deleted, which no user's first
// sight of a folder meets).
// Unwritable, the cache is looked up and never kept: a build as before the
// browser kept its thumbnails.
inline void NewThumbnailCache(bool writable = true) {
    static int caches = 0;
    const std::string store = std::getenv("LUMVEX_REGISTRY_DIR");
    const std::string folder = store + "/cache-" + std::to_string(++caches);
    if (!writable) std::ofstream(folder) << "a file where the cache's folder would be";
    setenv("XDG_CACHE_HOME", (writable ? folder : folder + "/below-a-file").c_str(), 1);
}

// Runs the program's message loop, waiting for events as the program does,
// until step() returns false; step runs on a probe timer every few
// milliseconds. The probe's ticks are late by as long as the loop was busy:
// the longest lateness is the longest busy stretch, on the clock and in the
// thread's processor time (which a crowded machine does not stretch).
struct LoopProbe {
    double Busy = 0;
    double BusyCpu = 0;

    void Run(const std::function<bool()>& step) {
        constexpr unsigned Interval = 2;
        TTimer probe;
        probe.SetInterval(Interval);
        auto last = Clock::now();
        double lastCpu = ThreadSeconds();
        probe.OnTimer = [&](TObject*) {
            const auto now = Clock::now();
            const double cpu = ThreadSeconds();
            Busy = std::max(Busy, Seconds(now - last) - Interval * 1e-3);
            BusyCpu = std::max(BusyCpu, cpu - lastCpu);
            if (!step()) Application.Terminate();
            last = Clock::now();
            lastCpu = ThreadSeconds();
        };
        TForm* mainForm = Application.MainForm();
        Application.SetMainForm(nullptr);  // the loop must not show it
        Application.Run();
        Application.SetMainForm(mainForm);
    }
    // Work done outside the loop counts as one stretch.
    void Add(double seconds, double cpuSeconds) {
        Busy = std::max(Busy, seconds);
        BusyCpu = std::max(BusyCpu, cpuSeconds);
    }
};

}  // namespace lumvex::bench
