#pragma once
// The desktop's system colours: a colour value from 0x80000000 on names one
// (0x8000000F is the button face) rather than giving red, green and blue.
#include "platform/graphics/Color.h"

namespace lumvex {

inline constexpr TColor SystemColorBase = 0x80000000u;

// The red, green and blue a colour stands for: a system colour as the
// desktop paints it now, any other colour as it is.
TColor ColorToRGB(TColor color);

}  // namespace lumvex
