#pragma once
// The eight colour schemes of the options window, in the order of its list.
#include <array>

#include "platform/graphics/Color.h"

namespace lumvex {

struct TColorScheme {
    const char* Name;
    TColor co1, co2, coText, coSelect, ibtc, abtc;
};

// A button colour of 0 leaves the glyphs in their own grey shades.
inline constexpr std::array<TColorScheme, 8> ColorSchemes{{
    {"zöld", 0x24DB7B, 0x0D4F2C, 0x000000, 0xFFFFFF, 0x008000, 0x00FF00},
    {"piros", 0x3F56F8, 0x04158E, 0xFFFFFF, 0x000000, 0x0000FF, 0x000000},
    {"világos kék", 0xFFFFFF, 0xFDD9CE, 0x000000, 0xFF0000, 0xFFFFFF, 0xFFFF00},
    {"kék", 0xFDCF82, 0x95610B, 0x800000, 0xFFFFFF, 0xFF8000, 0xFFFFFF},
    {"világos szürke", 0xFFFFFF, 0xB1B1B1, 0x232323, 0xFF8000, 0xFFB9B9, 0xFF8000},
    {"sötét szürke", 0xC0C0C0, 0x858585, 0x232323, 0xE1E1E1, 0x000000, 0x0000FF},
    {"narancs", 0x3FB1FE, 0x1A64FD, 0x232323, 0xFFFFFF, 0x0000FF, 0x00FFFF},
    {"citrom", 0x0199FE, 0x10FAFA, 0x232323, 0xFFFFFF, 0x00FF00, 0x0080FF},
}};

}  // namespace lumvex
