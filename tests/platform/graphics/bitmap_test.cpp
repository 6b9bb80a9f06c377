#include <gtest/gtest.h>

#include "platform/SysUtils.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

using namespace lumvex;

TEST(Bitmap, RowsArePaddedAndTopDownInBlueGreenRedOrder) {
    TBitmap bmp(3, 2, TPixelFormat::pf24bit);
    EXPECT_EQ(bmp.BytesPerLine(), 12);
    bmp.SetPixel(1, 0, RGB(10, 20, 30));
    const uint8_t* row = bmp.ScanLine(0);
    EXPECT_EQ(row[3], 30);
    EXPECT_EQ(row[4], 20);
    EXPECT_EQ(row[5], 10);
    EXPECT_EQ(bmp.ScanLine(1) - bmp.ScanLine(0), 12);
    EXPECT_EQ(BytesPerLine(5, TPixelFormat::pf1bit), 4);
    EXPECT_EQ(BytesPerLine(9, TPixelFormat::pf4bit), 8);
    EXPECT_EQ(BytesPerLine(3, TPixelFormat::pf15bit), 8);
}

TEST(Bitmap, ChangingThePixelFormatConvertsThePixels) {
    TBitmap bmp(4, 1, TPixelFormat::pf24bit);
    const TColor colours[] = {clBlack, clWhite, RGB(255, 0, 0), RGB(0, 0, 255)};
    for (int x = 0; x < 4; ++x) bmp.SetPixel(x, 0, colours[x]);
    bmp.SetPixelFormat(TPixelFormat::pf32bit);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(bmp.Pixel(x, 0), colours[x]);
    bmp.SetPixelFormat(TPixelFormat::pf16bit);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(bmp.Pixel(x, 0), colours[x]);
    bmp.SetPixelFormat(TPixelFormat::pf8bit);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(bmp.Pixel(x, 0), colours[x]);
    bmp.SetPixelFormat(TPixelFormat::pf1bit);
    EXPECT_EQ(bmp.Pixel(0, 0), clBlack);
    EXPECT_EQ(bmp.Pixel(1, 0), clWhite);
}

TEST(Bitmap, RefusesPicturesOverTheSizeLimit) {
    TBitmap bmp;
    EXPECT_THROW(bmp.SetSize(1 << 16, 1 << 15), EOutOfResources);
    EXPECT_EQ(bmp.Width(), 0);
}

TEST(Canvas, StretchesByNearestNeighbourAndDrawsWithAKeyColour) {
    TBitmap src(2, 1, TPixelFormat::pf24bit);
    src.SetPixel(0, 0, clRed);
    src.SetPixel(1, 0, clFuchsia);
    TBitmap dst(4, 2, TPixelFormat::pf24bit);
    dst.Canvas().Brush.Color = clBlue;
    dst.Canvas().FillRect(Rect(0, 0, 4, 2));
    dst.Canvas().CopyRect(Rect(0, 0, 4, 2), src, Rect(0, 0, 2, 1));
    EXPECT_EQ(dst.Pixel(1, 1), clRed);
    EXPECT_EQ(dst.Pixel(2, 0), clFuchsia);

    dst.Canvas().FillRect(Rect(0, 0, 4, 2));
    dst.Canvas().DrawTransparent(Rect(0, 0, 4, 2), src, clFuchsia);
    EXPECT_EQ(dst.Pixel(0, 0), clRed);
    EXPECT_EQ(dst.Pixel(3, 1), clBlue);
}

TEST(Canvas, ExclusiveOrCombinesBytewise) {
    TBitmap a(2, 2, TPixelFormat::pf32bit), b(2, 2, TPixelFormat::pf32bit);
    a.Canvas().Brush.Color = RGB(0xF0, 0x0F, 0xFF);
    a.Canvas().FillRect(Rect(0, 0, 2, 2));
    b.Canvas().Brush.Color = RGB(0xFF, 0xFF, 0x00);
    b.Canvas().FillRect(Rect(0, 0, 2, 2));
    a.Canvas().CopyMode = TCopyMode::cmSrcInvert;
    a.Canvas().CopyRect(Rect(0, 0, 2, 2), b, Rect(0, 0, 2, 2));
    EXPECT_EQ(a.Pixel(1, 1), RGB(0x0F, 0xF0, 0xFF));
}

TEST(Bitmap, CopiesSharePixelsUntilOneIsWritten) {
    TBitmap a(4, 4, TPixelFormat::pf24bit);
    a.SetPixel(1, 1, clRed);
    TBitmap b = a;
    EXPECT_TRUE(b.SharesPixelsWith(a));
    b.SetPixel(1, 1, clBlue);
    EXPECT_FALSE(b.SharesPixelsWith(a));
    EXPECT_EQ(a.Pixel(1, 1), clRed);
    EXPECT_EQ(b.Pixel(1, 1), clBlue);

    // Drawing a whole picture onto a bitmap of its size takes its pixels.
    TBitmap c(4, 4, TPixelFormat::pf24bit);
    c.Canvas().Draw(0, 0, a);
    EXPECT_TRUE(c.SharesPixelsWith(a));
    c.Canvas().Brush.Color = clWhite;
    c.Canvas().FillRect(Rect(0, 0, 2, 2));
    EXPECT_EQ(a.Pixel(1, 1), clRed);
    EXPECT_EQ(c.Pixel(1, 1), clWhite);
}
