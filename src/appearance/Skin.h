#pragma once
// The skin's two painters: the colour gradients of bars and backgrounds, and
// the tinting of the glyph sheet to a button colour.
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace lumvex {

// The glyph sheet: four strips of 24 rows (small glyphs at rest, small glyphs
// lit, wide glyphs at rest, wide glyphs lit); small cells are 24 wide, wide
// cells 68. Magenta pixels are transparent.
namespace glyphsheet {
inline constexpr int Width = 432;
inline constexpr int Height = 96;
inline constexpr int StripHeight = 24;
inline constexpr int SmallCellWidth = 24;
inline constexpr int WideCellWidth = 68;
inline constexpr int SmallRestRow = 0;
inline constexpr int SmallLitRow = 24;
inline constexpr int WideRestRow = 48;
inline constexpr int WideLitRow = 72;
}  // namespace glyphsheet

// Paints the area (-1, -1) to (width, height), one pixel past every edge of a
// width x height picture, in bands that run from k1 to k2 over the first
// percent % of the area's length (at least one pixel) and from k2 to k3 over
// the rest; percent 100 runs from k1 to k2 over the whole length. The colour
// changes along x when alongX is set, else along y. A run between two equal
// colours paints nothing, so the area keeps its pixels there. System colours
// (a stored "clBtnFace") paint as the desktop shows them.
void GradientFill(TCanvas& canvas, int width, int height, bool alongX, int percent, TColor k1, TColor k2,
                  TColor k3);

// Writes the sheet's rows firstRow..lastRow (kept within the sheet) into the
// target from its row 0 on: each channel becomes
// (color · (100 − amount) + glyph · amount) div 100, amount being a
// percentage. The sheet's magenta pixels leave the target's pixels as they
// are. The target becomes 24-bit; rows and columns past its size are skipped.
// A system colour tints as the desktop shows it.
void TintGlyphStrip(const TBitmap& sheet, int amount, TColor color, int firstRow, int lastRow, TBitmap& target);

}  // namespace lumvex
