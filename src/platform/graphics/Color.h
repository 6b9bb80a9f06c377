#pragma once
#include <cstdint>

namespace lumvex {

// A colour as 0x00BBGGRR: red in the low byte.
using TColor = std::uint32_t;

inline constexpr TColor RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}
inline constexpr std::uint8_t GetRValue(TColor c) { return c & 0xFF; }
inline constexpr std::uint8_t GetGValue(TColor c) { return (c >> 8) & 0xFF; }
inline constexpr std::uint8_t GetBValue(TColor c) { return (c >> 16) & 0xFF; }

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clYellow = 0x00FFFF;
// "No colour": a transparent colour that is not set.
inline constexpr TColor clNone = 0x1FFFFFFF;

// One palette entry, laid out as the desktop's bitmap files store it.
struct TRGBQuad {
    std::uint8_t rgbBlue = 0;
    std::uint8_t rgbGreen = 0;
    std::uint8_t rgbRed = 0;
    std::uint8_t rgbReserved = 0;
    friend bool operator==(const TRGBQuad&, const TRGBQuad&) = default;
};

inline constexpr TRGBQuad ToRGBQuad(TColor c) { return {GetBValue(c), GetGValue(c), GetRValue(c), 0}; }
inline constexpr TColor FromRGBQuad(TRGBQuad q) { return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue); }

}  // namespace lumvex
