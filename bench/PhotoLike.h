#pragma once
// A photo-like picture for the benchmarks.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/graphics/Bitmap.h"

namespace lumvex::bench {

inline constexpr int PhotoWidth = 4000, PhotoHeight = 3000;

// Smooth shading, edges between regions, fine texture and sensor noise:
// compresses at quality 90 to about as many bytes as a real photo. Other
// seeds (above the default) shift the shading: another picture of the kind.
inline TBitmap PhotoLikePicture(std::uint32_t seed = 12345) {
    TBitmap bitmap(PhotoWidth, PhotoHeight, TPixelFormat::pf24bit);
    std::vector<double> sx(PhotoWidth), tx(PhotoWidth);
    for (int x = 0; x < PhotoWidth; ++x) sx[x] = std::sin((x + (seed - 12345u) % 977u) / 410.0), tx[x] = std::sin(x * 0.21);
    for (int y = 0; y < PhotoHeight; ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        const double cy = std::cos(y / 330.0), ty = std::sin(y * 0.17);
        for (int x = 0; x < PhotoWidth; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = static_cast<int>(seed >> 28) - 8;
            const bool region = ((x / 500) + (y / 420)) % 3 == 0 || (x - 2600) * (x - 2600) + (y - 1200) * (y - 1200) < 600000;
            const double shade = 70 * sx[x] * cy + 18 * tx[x] * ty;
            const int r = static_cast<int>(region ? 150 + shade : 90 - shade * 0.5) + noise;
            const int g = static_cast<int>(region ? 110 + shade * 0.8 : 120 + shade) + noise;
            const int b = static_cast<int>(region ? 60 + shade * 0.3 : 150 + shade * 0.6) + noise;
            row[3 * x] = static_cast<std::uint8_t>(std::clamp(b, 0, 255));
            row[3 * x + 1] = static_cast<std::uint8_t>(std::clamp(g, 0, 255));
            row[3 * x + 2] = static_cast<std::uint8_t>(std::clamp(r, 0, 255));
        }
    }
    return bitmap;
}

}  // namespace lumvex::bench
