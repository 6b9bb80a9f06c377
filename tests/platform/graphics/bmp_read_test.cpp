#include <gtest/gtest.h>

#include <vector>

#include "platform/graphics/BmpCodec.h"
#include "platform/graphics/BmpBytes.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

// rows: the expected colours from the top row down.
void ExpectPixels(const TBitmap& bmp, const std::vector<std::vector<TColor>>& rows) {
    ASSERT_EQ(bmp.Height(), static_cast<int>(rows.size()));
    for (int y = 0; y < bmp.Height(); ++y) {
        ASSERT_EQ(bmp.Width(), static_cast<int>(rows[y].size()));
        for (int x = 0; x < bmp.Width(); ++x) EXPECT_EQ(bmp.Pixel(x, y), rows[y][x]) << "at " << x << "," << y;
    }
}

constexpr TColor A = RGB(0x10, 0x20, 0x30), B = RGB(0xFF, 0x80, 0x01), C = RGB(0x00, 0xFE, 0x7F);

}  // namespace

TEST(BmpRead, PalettedDepthsReadTheirPaletteAndBottomUpRows) {
    // 1 bit, 10 pixels a row: two bytes plus two bytes of padding.
    InfoHeader h1{.width = 10, .height = 2, .bits = 1};
    TBitmap mono = ReadBmp(BmpFile(Bytes().Raw(h1.str()).Colours({A, B}).str(),
                                   Bytes().List({0xFF, 0xC0, 0, 0, 0xA0, 0x40, 0, 0}).str()));
    EXPECT_EQ(mono.PixelFormat(), TPixelFormat::pf1bit);
    ExpectPixels(mono, {{B, A, B, A, A, A, A, A, A, B}, {B, B, B, B, B, B, B, B, B, B}});

    // 4 bits with three colours used: the palette is padded to 16 entries with black.
    InfoHeader h4{.width = 3, .height = 1, .bits = 4, .colorsUsed = 3};
    TBitmap four = ReadBmp(BmpFile(Bytes().Raw(h4.str()).Colours({A, B, C}).str(), Bytes().List({0x21, 0x00, 0, 0}).str()));
    EXPECT_EQ(four.PixelFormat(), TPixelFormat::pf4bit);
    ASSERT_EQ(four.Palette().size(), 16u);
    EXPECT_EQ(four.Palette()[2], ToRGBQuad(C));
    ExpectPixels(four, {{C, B, A}});

    // 8 bits, top-down.
    InfoHeader h8{.width = 2, .height = -2, .bits = 8, .colorsUsed = 3};
    TBitmap eight = ReadBmp(BmpFile(Bytes().Raw(h8.str()).Colours({A, B, C}).str(),
                                    Bytes().List({2, 1, 0, 0, 0, 2, 0, 0}).str()));
    EXPECT_EQ(eight.PixelFormat(), TPixelFormat::pf8bit);
    ExpectPixels(eight, {{C, B}, {A, C}});
}

TEST(BmpRead, Os2CoreHeaderUsesThreeBytePaletteEntries) {
    InfoHeader core{.size = 12, .width = 2, .height = 1, .bits = 8};
    Bytes palette;
    palette.Colours({A, B}, true).Zeros(254 * 3);
    TBitmap full = ReadBmp(BmpFile(Bytes().Raw(core.str()).Raw(palette.str()).str(), Bytes().List({1, 0, 0, 0}).str()));
    ExpectPixels(full, {{B, A}});

    // A file that stores only three entries says so with its pixel offset.
    InfoHeader core4{.size = 12, .width = 3, .height = 1, .bits = 4};
    TBitmap shortPalette =
        ReadBmp(BmpFile(Bytes().Raw(core4.str()).Colours({A, B, C}, true).str(), Bytes().List({0x12, 0x00, 0, 0}).str()));
    EXPECT_EQ(shortPalette.PixelFormat(), TPixelFormat::pf4bit);
    ExpectPixels(shortPalette, {{B, C, A}});
}

TEST(BmpRead, SixteenBitLayoutsKeepTheirWordsOrBecomeCustom) {
    // Default 5-5-5: red 31, green 0, blue 0 and white; the words are kept as stored.
    InfoHeader h{.width = 2, .height = 1, .bits = 16};
    TBitmap b555 = ReadBmp(BmpFile(h.str(), Bytes().U16(0x7C00).U16(0x7FFF).str()));
    EXPECT_EQ(b555.PixelFormat(), TPixelFormat::pf15bit);
    ExpectPixels(b555, {{RGB(255, 0, 0), RGB(255, 255, 255)}});
    EXPECT_EQ(b555.ScanLine(0)[1], 0x7C);

    // Bit fields 5-6-5 after a 40-byte header.
    InfoHeader hf{.width = 2, .height = 1, .bits = 16, .compression = 3};
    TBitmap b565 = ReadBmp(BmpFile(Bytes().Raw(hf.str()).U32(0xF800).U32(0x07E0).U32(0x001F).str(),
                                   Bytes().U16(0x07E0).U16(0x001F).str()));
    EXPECT_EQ(b565.PixelFormat(), TPixelFormat::pf16bit);
    ExpectPixels(b565, {{RGB(0, 255, 0), RGB(0, 0, 255)}});

    // 5-5-5 given as bit fields in a 108-byte header is still 15-bit.
    InfoHeader v4{.size = 108, .width = 1, .height = 1, .bits = 16, .compression = 3, .masks = {0x7C00, 0x03E0, 0x1F, 0}};
    EXPECT_EQ(ReadBmp(BmpFile(v4.str(), Bytes().U16(0x001F).U16(0).str())).PixelFormat(), TPixelFormat::pf15bit);

    // 4-4-4: each channel scaled to the full range.
    InfoHeader h444{.size = 52, .width = 2, .height = 1, .bits = 16, .compression = 3, .masks = {0x0F00, 0x00F0, 0x000F, 0}};
    TBitmap custom = ReadBmp(BmpFile(h444.str(), Bytes().U16(0x0F80).U16(0x00F1).str()));
    EXPECT_EQ(custom.PixelFormat(), TPixelFormat::pfCustom);
    EXPECT_EQ(custom.BitsPerPixel(), 32);
    ExpectPixels(custom, {{RGB(255, 136, 0), RGB(0, 255, 17)}});
}

TEST(BmpRead, TrueColourRowsAreCopiedExactly) {
    // 24 bits, 3 pixels a row (9 bytes plus 3 of padding), bottom-up.
    InfoHeader h24{.width = 3, .height = 2, .bits = 24};
    Bytes rows;
    rows.List({1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0}).List({10, 11, 12, 13, 14, 15, 16, 17, 18, 0, 0, 0});
    TBitmap b24 = ReadBmp(BmpFile(h24.str(), rows.str()));
    EXPECT_EQ(b24.PixelFormat(), TPixelFormat::pf24bit);
    ExpectPixels(b24, {{RGB(12, 11, 10), RGB(15, 14, 13), RGB(18, 17, 16)}, {RGB(3, 2, 1), RGB(6, 5, 4), RGB(9, 8, 7)}});

    // 32 bits plain, top-down, through a 64-byte OS/2 header.
    InfoHeader h32{.size = 64, .width = 2, .height = -1, .bits = 32};
    TBitmap b32 = ReadBmp(BmpFile(h32.str(), Bytes().List({1, 2, 3, 0x44, 4, 5, 6, 0}).str()));
    EXPECT_EQ(b32.PixelFormat(), TPixelFormat::pf32bit);
    ExpectPixels(b32, {{RGB(3, 2, 1), RGB(6, 5, 4)}});

    // 32-bit bit fields in the plain layout (with alpha) stay pf32bit and keep the alpha byte.
    InfoHeader v5{.size = 124, .width = 1, .height = 1, .bits = 32, .compression = 3,
                  .masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000}};
    TBitmap alpha = ReadBmp(BmpFile(v5.str(), Bytes().List({1, 2, 3, 0x80}).str()));
    EXPECT_EQ(alpha.PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_EQ(alpha.ScanLine(0)[3], 0x80);

    // Red in the low byte: custom, converted to blue, green, red, alpha.
    InfoHeader rgba{.size = 56, .width = 1, .height = 1, .bits = 32, .compression = 3,
                    .masks = {0xFF, 0xFF00, 0xFF0000, 0xFF000000}};
    TBitmap swapped = ReadBmp(BmpFile(rgba.str(), Bytes().List({1, 2, 3, 0x80}).str()));
    EXPECT_EQ(swapped.PixelFormat(), TPixelFormat::pfCustom);
    EXPECT_EQ(swapped.Pixel(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(swapped.ScanLine(0)[3], 0x80);

    // 10-bit channels keep their top 8 bits' worth.
    InfoHeader deep{.width = 1, .height = 1, .bits = 32, .compression = 3};
    TBitmap ten = ReadBmp(BmpFile(Bytes().Raw(deep.str()).U32(0x3FF00000).U32(0x000FFC00).U32(0x3FF).str(),
                                  Bytes().U32(0x3FF00000 | (512u << 10)).str()));
    EXPECT_EQ(ten.PixelFormat(), TPixelFormat::pfCustom);
    EXPECT_EQ(ten.Pixel(0, 0), RGB(255, 128, 0));
}

TEST(BmpRead, PixelOffsetZeroMeansRightAfterThePaletteAndTheLastRowMayLackPadding) {
    InfoHeader h{.width = 1, .height = 2, .bits = 24};
    std::string file = BmpFile(h.str(), Bytes().List({1, 2, 3, 0, 4, 5, 6}).str());
    TBitmap b = ReadBmp(file);
    ExpectPixels(b, {{RGB(6, 5, 4)}, {RGB(3, 2, 1)}});
    for (int i = 10; i < 14; ++i) file[i] = 0;
    ExpectPixels(ReadBmp(file), {{RGB(6, 5, 4)}, {RGB(3, 2, 1)}});
}
