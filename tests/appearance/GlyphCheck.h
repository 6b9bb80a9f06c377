#pragma once
// What a button picture must hold after the glyphs are tinted: the sheet's
// cell at column left of the strip starting at firstRow, untinted for colour
// 0, else 60 % button colour and 40 % glyph; magenta stays magenta.
#include <gtest/gtest.h>

#include "appearance/Skin.h"
#include "viewer/MainWindow.h"

namespace lumvex::test {

inline void ExpectGlyph(TPicture& picture, int left, int width, int firstRow, TColor color) {
    const TBitmap& sheet = MainWindow->bt_big->Picture().Bitmap();
    const TBitmap& shown = picture.Bitmap();
    ASSERT_EQ(shown.Width(), width);
    ASSERT_EQ(shown.Height(), glyphsheet::StripHeight);
    auto mix = [](int c, int g) { return std::uint8_t((c * 60 + g * 40) / 100); };
    for (int y = 0; y < glyphsheet::StripHeight; ++y)
        for (int x = 0; x < width; ++x) {
            const TColor g = sheet.Pixel(left + x, firstRow + y);
            const TColor expected = g == clFuchsia || color == 0
                ? g
                : RGB(mix(GetRValue(color), GetRValue(g)), mix(GetGValue(color), GetGValue(g)),
                      mix(GetBValue(color), GetBValue(g)));
            ASSERT_EQ(shown.Pixel(x, y), expected) << "column " << left + x << ", row " << firstRow + y;
        }
}

}  // namespace lumvex::test
