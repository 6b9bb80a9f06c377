#pragma once
// The sheet of button glyphs: four strips 24 pixels high. Strip 0 holds the
// 18 small glyphs (24 x 24, cell k at x = 24k) at rest, strip 1 the same
// glyphs lit; strips 2 and 3 hold the 6 wide word glyphs (68 x 24, cell k at
// x = 68k) at rest and lit. Grey shades on fuchsia.
#include <QImage>

namespace artwork {

inline constexpr int SmallGlyphCount = 18;
inline constexpr int WideGlyphCount = 6;

QImage GlyphSheet();

}  // namespace artwork
