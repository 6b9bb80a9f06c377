#pragma once
// The millisecond tick counter, with a seam for tests to drive time.
#include <cstdint>
#include <functional>

namespace lumvex {

// Milliseconds since an arbitrary start; wraps like a 32-bit counter.
std::uint32_t GetTickCount();
// Replaces the counter (tests); an empty function restores the real clock.
void SetTickSource(std::function<std::uint32_t()> source);

}  // namespace lumvex
