#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "imageops/PixelTransforms.h"
#include "platform/SysUtils.h"

using namespace lumvex;

namespace {

constexpr std::uint8_t PaddingMark = 0xA5;

// A 24-bit picture whose pixels all differ (for sides up to 256) and whose
// row padding carries a mark.
TBitmap Numbered(int width, int height) {
    TBitmap bitmap(width, height, TPixelFormat::pf24bit);
    const std::size_t used = std::size_t(width) * 3;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<std::uint8_t>(x);
            row[3 * x + 1] = static_cast<std::uint8_t>(y);
            row[3 * x + 2] = static_cast<std::uint8_t>(x * 7 + y * 13 + 1);
        }
        std::memset(row + used, PaddingMark, bitmap.BytesPerLine() - used);
    }
    return bitmap;
}

TBitmap Filled(int width, int height, TColor color) {
    TBitmap bitmap(width, height, TPixelFormat::pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, color);
    return bitmap;
}

void ExpectSamePixels(const TBitmap& a, const TBitmap& b) {
    ASSERT_EQ(a.Width(), b.Width());
    ASSERT_EQ(a.Height(), b.Height());
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) ASSERT_EQ(a.Pixel(x, y), b.Pixel(x, y)) << x << "," << y;
}

bool PaddingIs(const TBitmap& bitmap, std::uint8_t value) {
    const std::size_t used = std::size_t(bitmap.Width()) * bitmap.BitsPerPixel() / 8;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (std::size_t i = used; i < std::size_t(bitmap.BytesPerLine()); ++i)
            if (bitmap.ScanLine(y)[i] != value) return false;
    return true;
}

TBitmap Turned(const TBitmap& source, bool left) {
    TBitmap target;
    QuarterTurn(source, target, left);
    return target;
}

}  // namespace

TEST(QuarterTurn, MovesEveryPixelOfAPaddedPictureToItsPlace) {
    const TBitmap source = Numbered(5, 3);  // rows of 15 bytes padded to 16
    const TBitmap left = Turned(source, true), right = Turned(source, false);
    for (const TBitmap* turned : {&left, &right}) {
        EXPECT_EQ(turned->Width(), 3);
        EXPECT_EQ(turned->Height(), 5);
        EXPECT_EQ(turned->PixelFormat(), TPixelFormat::pf24bit);
        EXPECT_TRUE(PaddingIs(*turned, 0));
    }
    EXPECT_EQ(left.Pixel(0, 0), source.Pixel(4, 0));   // top-left is the source's top-right
    EXPECT_EQ(right.Pixel(0, 0), source.Pixel(0, 2));  // top-left is the source's bottom-left
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(left.Pixel(y, 4 - x), source.Pixel(x, y));
            EXPECT_EQ(right.Pixel(2 - y, x), source.Pixel(x, y));
        }
}

TEST(QuarterTurn, FourTurnsOrATurnAndItsReverseGiveBackThePicture) {
    for (auto [w, h] : {std::pair{5, 3}, {7, 4}, {1, 6}, {6, 1}, {1, 1}, {33, 70}}) {
        const TBitmap source = Numbered(w, h);
        for (bool left : {true, false}) {
            TBitmap picture = source;
            for (int i = 0; i < 4; ++i) picture = Turned(picture, left);
            ExpectSamePixels(picture, source);
            ExpectSamePixels(Turned(Turned(source, left), !left), source);
        }
        EXPECT_TRUE(PaddingIs(source, PaddingMark)) << "the source is left alone";
    }
}

TEST(QuarterTurn, HandlesEmptyPicturesOtherFormatsAndTurningIntoItself) {
    for (auto [w, h] : {std::pair{0, 0}, {0, 4}, {4, 0}}) {
        const TBitmap turned = Turned(TBitmap(w, h, TPixelFormat::pf24bit), true);
        EXPECT_EQ(turned.Width(), h);
        EXPECT_EQ(turned.Height(), w);
    }
    TBitmap none, noneTurned;
    QuarterTurn(none, noneTurned, false);
    MirrorBitmap(none, true);
    StretchBitmap(TBitmap(), noneTurned);
    EXPECT_TRUE(noneTurned.Empty());

    TBitmap wide(3, 2, TPixelFormat::pf32bit);
    wide.SetPixel(2, 0, clRed);
    const TBitmap turned = Turned(wide, true);
    EXPECT_EQ(turned.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(turned.Pixel(0, 0), clRed);
    EXPECT_EQ(wide.PixelFormat(), TPixelFormat::pf32bit);

    const TBitmap source = Numbered(5, 3);
    TBitmap same = source;
    QuarterTurn(same, same, false);
    ExpectSamePixels(same, Turned(source, false));
}

TEST(QuarterTurn, SidesBeyondTheFixedPointRangeStayExact) {
    constexpr int Long = 40000;  // x * 65536 no longer fits 32 bits
    TBitmap source(Long, 1, TPixelFormat::pf24bit);
    std::uint8_t* row = source.ScanLine(0);
    for (int x = 0; x < Long; ++x) row[3 * x] = std::uint8_t(x), row[3 * x + 1] = std::uint8_t(x >> 8);
    const TBitmap left = Turned(source, true);
    for (int x = 0; x < Long; x += 997) ASSERT_EQ(left.Pixel(0, Long - 1 - x), source.Pixel(x, 0));

    // A target one column wider takes the pixel-by-pixel placement.
    TBitmap wider(2, Long, TPixelFormat::pf24bit);
    RotateBitmap(1, Long - 1, source, wider, -1.5707963267948966);
    for (int x = 0; x < Long; x += 997) {
        ASSERT_EQ(wider.Pixel(1, Long - 1 - x), source.Pixel(x, 0));
        ASSERT_EQ(wider.Pixel(0, Long - 1 - x), source.Pixel(x, 0)) << "left-neighbour copy";
    }
}

TEST(RotateBitmap, NeighbourCopiesFillGapsButNeverReplaceAPlacedPixel) {
    const TBitmap source = Numbered(5, 3);
    // A right turn one column further right: columns 1..3 must be the exact
    // turn, column 0 the neighbour copy of column 1.
    TBitmap target(4, 5, TPixelFormat::pf24bit);
    RotateBitmap(3, 0, source, target, 1.5707963267948966);
    const TBitmap right = Turned(source, false);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ(target.Pixel(x + 1, y), right.Pixel(x, y));
        EXPECT_EQ(target.Pixel(0, y), right.Pixel(0, y));
    }

    // No turn, shifted by (2, 1): unreached pixels keep their value.
    TBitmap shifted = Filled(8, 5, clLime);
    RotateBitmap(2, 1, source, shifted, 0.0);
    for (int x = 0; x < 8; ++x) EXPECT_EQ(shifted.Pixel(x, 0), clLime);
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(shifted.Pixel(0, y + 1), clLime);
        EXPECT_EQ(shifted.Pixel(1, y + 1), source.Pixel(0, y));
        for (int x = 0; x < 5; ++x) EXPECT_EQ(shifted.Pixel(x + 2, y + 1), source.Pixel(x, y));
    }
}

TEST(RotateBitmap, ObliqueAnglesOnlyWriteSourcePixelsInsideTheTarget) {
    const TBitmap source = Numbered(20, 15);
    TBitmap target = Filled(9, 31, clLime);  // rows padded, smaller than the turned picture
    RotateBitmap(4, -3, source, target, 0.7);
    int placed = 0;
    for (int y = 0; y < 31; ++y)
        for (int x = 0; x < 9; ++x) {
            const TColor c = target.Pixel(x, y);
            if (c == clLime) continue;
            ++placed;
            const int sx = GetBValue(c), sy = GetGValue(c);
            ASSERT_TRUE(sx < 20 && sy < 15 && source.Pixel(sx, sy) == c);
        }
    EXPECT_GT(placed, 50);
    EXPECT_THROW(RotateBitmap(0, 0, source, target, std::numeric_limits<double>::quiet_NaN()),
                 EInvalidGraphicOperation);
}

TEST(MirrorBitmap, SwapsColumnsOrRowsAndKeepsTheMiddleAndThePadding) {
    const TBitmap source = Numbered(5, 3);
    TBitmap leftRight = source, topBottom = source;
    MirrorBitmap(leftRight, false);
    MirrorBitmap(topBottom, true);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(leftRight.Pixel(4 - x, y), source.Pixel(x, y));
            EXPECT_EQ(topBottom.Pixel(x, 2 - y), source.Pixel(x, y));
        }
    EXPECT_TRUE(PaddingIs(leftRight, PaddingMark));
    EXPECT_TRUE(PaddingIs(topBottom, PaddingMark));
    EXPECT_TRUE(PaddingIs(source, PaddingMark));
    MirrorBitmap(leftRight, false);
    MirrorBitmap(topBottom, true);
    ExpectSamePixels(leftRight, source);
    ExpectSamePixels(topBottom, source);

    TBitmap even = Numbered(4, 4);
    MirrorBitmap(even, true);
    EXPECT_EQ(even.Pixel(1, 1), Numbered(4, 4).Pixel(1, 2));
}

TEST(MirrorBitmap, OnePixelAndEmptyPictures) {
    const TBitmap column = Numbered(1, 4), line = Numbered(4, 1);
    TBitmap c = column, l = line;
    MirrorBitmap(c, false);
    MirrorBitmap(l, true);
    ExpectSamePixels(c, column);
    ExpectSamePixels(l, line);
    for (auto [w, h] : {std::pair{0, 0}, {0, 3}, {3, 0}})
        for (bool vertical : {true, false}) {
            TBitmap empty(w, h, TPixelFormat::pf24bit);
            MirrorBitmap(empty, vertical);
            EXPECT_EQ(empty.Width(), w);
        }
    TBitmap quads(2, 1, TPixelFormat::pf32bit);
    quads.SetPixel(0, 0, clRed);
    MirrorBitmap(quads, false);
    EXPECT_EQ(quads.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(quads.Pixel(1, 0), clRed);
}

TEST(BuildScanLineTable, GivesEveryRowAndItsOwnPixelsToWrite) {
    const TBitmap original = Numbered(5, 3);
    TBitmap copy = original;
    TScanLineTable rows;
    BuildScanLineTable(copy, rows);
    ASSERT_EQ(rows.size(), 3u);
    for (int y = 0; y < 3; ++y) EXPECT_EQ(rows[y], copy.ScanLine(y));
    rows[2][0] = 200;
    EXPECT_EQ(original.ScanLine(2)[0], 0) << "writing through the table must not change a copy";
    TConstScanLineTable empty{nullptr};
    BuildScanLineTable(TBitmap(4, 0, TPixelFormat::pf24bit), empty);
    EXPECT_TRUE(empty.empty());
}

TEST(ScaledSize, FractionsAndCustomSizes) {
    TScaleChoice quarter{TScaleFraction::sfQuarter};
    EXPECT_EQ(ScaledSize(10, 7, quarter), (TScaledSize{2, 1}));
    EXPECT_EQ(ScaledSize(9, 9, {TScaleFraction::sfHalf}), (TScaledSize{4, 4}));
    EXPECT_EQ(ScaledSize(80, 5, {TScaleFraction::sfEighth}), (TScaledSize{10, 1})) << "never a side of 0";
    EXPECT_EQ(ScaledSize(1, 1, {TScaleFraction::sfHalf}), (TScaledSize{1, 1}));

    TScaleChoice custom{TScaleFraction::sfCustom, 100, 30, false, true};
    EXPECT_EQ(ScaledSize(200, 101, custom), (TScaledSize{100, 30}));
    custom.KeepProportions = true;
    EXPECT_EQ(ScaledSize(200, 101, custom), (TScaledSize{100, 50})) << "Round(50.5) is 50";
    EXPECT_EQ(ScaledSize(200, 103, custom), (TScaledSize{100, 52})) << "Round(51.5) is 52";
    custom.LastEditedWidth = false;
    custom.Height = 100;
    EXPECT_EQ(ScaledSize(1000, 500, custom), (TScaledSize{200, 100}));
    EXPECT_EQ(ScaledSize(10000, 1, custom), (TScaledSize{1000000, 100}));
    EXPECT_EQ(ScaledSize(1, 10000, custom), (TScaledSize{1, 100})) << "0.01 becomes 1";
    EXPECT_EQ(ScaledSize(0, 0, custom), (TScaledSize{1, 100}));
    custom.Height = 10000;
    EXPECT_EQ(ScaledSize(1 << 30, 1, custom).Width, MaxPicturePixels) << "no overflow";
}

TEST(StretchBitmap, EachTargetPixelTakesTheSourcePixelUnderItsCentre) {
    const TBitmap source = Numbered(10, 7);
    TBitmap small(2, 1, TPixelFormat::pf24bit);
    StretchBitmap(source, small);
    EXPECT_EQ(small.PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_EQ(small.Pixel(0, 0), source.Pixel(2, 3));
    EXPECT_EQ(small.Pixel(1, 0), source.Pixel(7, 3));

    TBitmap half(5, 3, TPixelFormat::pf32bit);
    StretchBitmap(source, half);
    const int rows[] = {1, 3, 5};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(half.Pixel(x, y), source.Pixel(2 * x + 1, rows[y]));

    TBitmap large(20, 14, TPixelFormat::pf24bit);
    StretchBitmap(source, large);
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(large.Pixel(x, y), source.Pixel(x / 2, y / 2));
    EXPECT_EQ(large.ScanLine(13)[4 * 19 + 3], 0) << "the unused byte is cleared";

    TBitmap same(10, 7);
    StretchBitmap(source, same);
    ExpectSamePixels(same, source);
}

TEST(StretchBitmap, OtherFormatsEmptyPicturesAndItself) {
    TBitmap paletted(2, 2, TPixelFormat::pf8bit);
    paletted.SetPixel(1, 1, clWhite);
    TBitmap target(4, 4, TPixelFormat::pf24bit);
    StretchBitmap(paletted, target);
    EXPECT_EQ(target.Pixel(3, 3), clWhite);
    EXPECT_EQ(target.Pixel(0, 0), clBlack);

    TBitmap none(0, 3, TPixelFormat::pf24bit);
    StretchBitmap(paletted, none);
    EXPECT_EQ(none.PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_THROW(StretchBitmap(TBitmap(0, 0, TPixelFormat::pf24bit), target), EInvalidGraphicOperation);

    const TBitmap source = Numbered(6, 4);
    TBitmap self = source;
    StretchBitmap(self, self);
    ExpectSamePixels(self, source);
}
