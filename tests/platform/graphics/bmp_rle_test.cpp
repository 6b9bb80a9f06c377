#include <gtest/gtest.h>

#include "platform/SysUtils.h"
#include "platform/graphics/BmpBytes.h"
#include "platform/graphics/BmpCodec.h"
#include "platform/graphics/ExpectRaises.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

constexpr TColor A = RGB(0x10, 0x20, 0x30), B = RGB(0xFF, 0x80, 0x01), C = RGB(0x00, 0xFE, 0x7F);

std::string RleFile(int width, int height, unsigned bits, std::initializer_list<unsigned> codes) {
    InfoHeader h{.width = width, .height = height, .bits = bits, .compression = bits == 8 ? 1u : 2u, .colorsUsed = 3};
    return BmpFile(Bytes().Raw(h.str()).Colours({A, B, C}).str(), Bytes().List(codes).str());
}

void ExpectRow(const TBitmap& bmp, int y, std::initializer_list<TColor> colours) {
    int x = 0;
    for (TColor c : colours) {
        EXPECT_EQ(bmp.Pixel(x, y), c) << "at " << x << "," << y;
        ++x;
    }
}

void ExpectInvalid(const std::string& file, const std::string& words) {
    ExpectRaises<EInvalidGraphic>([&] { ReadBmp(file); }, words);
}

}  // namespace

TEST(BmpRle, EightBitRunsLiteralsMovesAndLineEnds) {
    TBitmap bmp = ReadBmp(RleFile(6, 3, 8,
                          {3, 1,              // three of index 1
                           0, 3, 0, 2, 1, 0,  // three literal indices, padded to an even count
                           0, 0,              // end of line
                           0, 2, 2, 1,        // move right 2, up 1
                           2, 2,              // two of index 2
                           0, 1}));           // end of picture
    EXPECT_EQ(bmp.PixelFormat(), TPixelFormat::pf8bit);
    ExpectRow(bmp, 0, {A, A, C, C, A, A});
    ExpectRow(bmp, 1, {A, A, A, A, A, A});
    ExpectRow(bmp, 2, {B, B, B, A, C, B});
}

TEST(BmpRle, FourBitRunsAlternateTheirTwoIndices) {
    TBitmap bmp = ReadBmp(RleFile(5, 2, 4,
                          {5, 0x12,            // 1 2 1 2 1
                           0, 0,               // end of line
                           0, 5, 0x20, 0x12, 0x00, 0,  // five literal nibbles in three bytes, padded
                           0, 1}));
    EXPECT_EQ(bmp.PixelFormat(), TPixelFormat::pf4bit);
    ExpectRow(bmp, 0, {C, A, B, C, A});
    ExpectRow(bmp, 1, {B, C, B, C, B});
}

TEST(BmpRle, RunsIntoARowsPaddingAreDropped) {
    // Width 7 pads to 8 pixels; some writers fill that eighth pixel.
    TBitmap bmp = ReadBmp(RleFile(7, 2, 8, {3, 2, 4, 1, 1, 0, 0, 0, 7, 1, 1, 2, 0, 1}));
    ExpectRow(bmp, 1, {C, C, C, B, B, B, B});
    ExpectRow(bmp, 0, {B, B, B, B, B, B, B});
    ExpectInvalid(RleFile(7, 1, 8, {8, 1, 1, 1, 0, 1}), "end of a row");
    ExpectRow(ReadBmp(RleFile(3, 1, 4, {8, 0x12, 0, 1})), 0, {B, C, B});
}

TEST(BmpRle, DataThatEndsAfterTheLastRowNeedsNoEndMarker) {
    TBitmap bmp = ReadBmp(RleFile(2, 1, 8, {2, 2, 0, 0}));
    ExpectRow(bmp, 0, {C, C});
}

TEST(BmpRle, RunsOutsideThePictureAreErrors) {
    ExpectInvalid(RleFile(2, 1, 8, {5, 1, 0, 1}), "end of a row");
    ExpectInvalid(RleFile(5, 1, 4, {0, 9, 0x11, 0x11, 0x11, 0x11, 0x10, 0, 0, 1}), "end of a row");
    ExpectInvalid(RleFile(2, 1, 8, {1, 1, 0, 0, 1, 1, 0, 1}), "last row");
    ExpectInvalid(RleFile(2, 2, 8, {0, 2, 3, 0, 0, 1}), "moves past");
    ExpectInvalid(RleFile(2, 2, 8, {0, 2, 0, 3, 0, 1}), "moves past");
}

TEST(BmpRle, DataThatEndsEarlyIsAnError) {
    ExpectInvalid(RleFile(4, 1, 8, {0, 3, 1}), "ends in the middle");
    ExpectInvalid(RleFile(4, 1, 8, {1}), "ends in the middle");
    ExpectInvalid(RleFile(4, 1, 8, {0, 2, 1}), "ends in the middle");
    ExpectInvalid(RleFile(4, 2, 8, {1, 1}), "ends before");
}

TEST(BmpRle, AHugePictureFromAFewBytesIsRefusedBeforeAllocating) {
    ExpectInvalid(RleFile(11000, 11000, 8, {0, 1}), "too short");
    // A modest blank picture with only an end marker is fine.
    TBitmap blank = ReadBmp(RleFile(1000, 1000, 8, {0, 1}));
    EXPECT_EQ(blank.Pixel(999, 999), A);
}
