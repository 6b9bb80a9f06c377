#include "platform/services/Ticks.h"

#include <chrono>

namespace lumvex {
namespace {
std::function<std::uint32_t()>& Source() {
    static std::function<std::uint32_t()> source;
    return source;
}
}  // namespace

std::uint32_t GetTickCount() {
    if (Source()) return Source()();
    using namespace std::chrono;
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SetTickSource(std::function<std::uint32_t()> source) { Source() = std::move(source); }

}  // namespace lumvex
