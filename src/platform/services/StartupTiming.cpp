#include "platform/services/StartupTiming.h"

#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace lumvex {
namespace {

// Milliseconds of the monotonic clock at which the process started.
double ProcessStartMs() {
    std::ifstream stat("/proc/self/stat");
    std::string line;
    std::getline(stat, line);
    // The 22nd field, after the command name in parentheses, is the start in clock ticks.
    const auto close = line.rfind(')');
    if (close == std::string::npos) return 0;
    const char* field = line.c_str() + close + 2;
    for (int i = 3; i < 22 && field; ++i) {
        field = std::strchr(field, ' ');
        if (field) ++field;
    }
    return field ? std::strtod(field, nullptr) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK)) : 0;
}

double NowMs() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

}  // namespace

void TimingMark(const char* what) {
    static const bool on = std::getenv("LUMVEX_TIMING") != nullptr;
    if (!on) return;
    static const double start = ProcessStartMs();
    timespec cpu{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    const double cpuMs = static_cast<double>(cpu.tv_sec) * 1000.0 + static_cast<double>(cpu.tv_nsec) / 1e6;
    std::fprintf(stderr, "lumvex timing: %8.1f ms  %s (processor time so far %.1f ms)\n", NowMs() - start, what, cpuMs);
}

}  // namespace lumvex
