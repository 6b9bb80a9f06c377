#include <gtest/gtest.h>

#include <cstdlib>

#include "JpegSamples.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Jpeg.h"

using namespace lumvex;
using lumvex::test::JpegSample;
using lumvex::test::MakeJpeg;

namespace {

TJPEGImage Load(const std::string& bytes) {
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(bytes);
    return jpeg;
}

int ChannelDistance(TColor a, TColor b) {
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

// The largest channel difference between the decoded picture and colour(x, y).
int WorstDistance(const TBitmap& bitmap, const std::function<TColor(int, int)>& colour) {
    int worst = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) worst = std::max(worst, ChannelDistance(bitmap.Pixel(x, y), colour(x, y)));
    return worst;
}

TColor Gradient(int x, int y) { return RGB(x * 4, y * 4, 200 - x - y); }

JpegSample GradientSample(int width, int height) {
    JpegSample s;
    s.width = width;
    s.height = height;
    s.pixel = [](int x, int y) {
        TColor c = Gradient(x, y);
        return std::vector<int>{GetRValue(c), GetGValue(c), GetBValue(c)};
    };
    return s;
}

}  // namespace

TEST(JpegDecode, EachScaleGivesTheSizeRoundedUpAndDecodesToIt) {
    for (bool progressive : {false, true}) {
        JpegSample s = GradientSample(33, 17);
        s.progressive = progressive;
        TJPEGImage jpeg = Load(MakeJpeg(s));
        const struct { TJPEGScale scale; int width, height; } cases[] = {
            {TJPEGScale::jsFullSize, 33, 17}, {TJPEGScale::jsHalf, 17, 9},
            {TJPEGScale::jsQuarter, 9, 5},    {TJPEGScale::jsEighth, 5, 3}};
        for (const auto& c : cases) {
            jpeg.SetScale(c.scale);
            EXPECT_EQ(jpeg.Width(), c.width);
            EXPECT_EQ(jpeg.Height(), c.height);
            const TBitmap& bitmap = jpeg.Bitmap();
            EXPECT_EQ(bitmap.Width(), c.width);
            EXPECT_EQ(bitmap.Height(), c.height);
            EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
        }
        // An eighth is the mean of each 8 x 8 block.
        EXPECT_LE(ChannelDistance(jpeg.Bitmap().Pixel(1, 1), Gradient(11, 11)), 12);
    }
}

TEST(JpegDecode, TheScaleToCoverASizeIsTheSmallestThatStillCoversIt) {
    TJPEGImage jpeg = Load(MakeJpeg(GradientSample(33, 17)));
    // Sides at the scales: 33 x 17, 17 x 9, 9 x 5, 5 x 3.
    EXPECT_EQ(jpeg.ScaleToCover(5, 3), TJPEGScale::jsEighth);
    EXPECT_EQ(jpeg.ScaleToCover(6, 3), TJPEGScale::jsQuarter) << "the width alone needs more";
    EXPECT_EQ(jpeg.ScaleToCover(5, 4), TJPEGScale::jsQuarter) << "the height alone needs more";
    EXPECT_EQ(jpeg.ScaleToCover(17, 9), TJPEGScale::jsHalf);
    EXPECT_EQ(jpeg.ScaleToCover(18, 9), TJPEGScale::jsFullSize);
    EXPECT_EQ(jpeg.ScaleToCover(40, 20), TJPEGScale::jsFullSize) << "shown larger than the picture";
    // The scale chosen does not depend on the one set.
    jpeg.SetScale(TJPEGScale::jsEighth);
    EXPECT_EQ(jpeg.ScaleToCover(17, 9), TJPEGScale::jsHalf);
    EXPECT_FALSE(jpeg.Decoded());
    jpeg.DIBNeeded();
    EXPECT_TRUE(jpeg.Decoded());

    TJPEGImage assigned;
    assigned.Assign(jpeg.Bitmap());
    EXPECT_EQ(assigned.ScaleToCover(1, 1), TJPEGScale::jsFullSize) << "a bitmap has no reduced decoding";
}

TEST(JpegDecode, FullScaleAtQualityHundredIsCloseToTheSourceAndRowPaddingIsZero) {
    JpegSample s = GradientSample(33, 20);
    s.quality = 100;
    TJPEGImage jpeg = Load(MakeJpeg(s));
    const TBitmap& bitmap = jpeg.Bitmap();
    EXPECT_LE(WorstDistance(bitmap, Gradient), 6);
    for (int y = 0; y < bitmap.Height(); ++y) EXPECT_EQ(bitmap.ScanLine(y)[99], 0) << "row " << y;

    jpeg.SetPerformance(TJPEGPerformance::jpBestSpeed);
    EXPECT_LE(WorstDistance(jpeg.Bitmap(), Gradient), 12);
    jpeg.SetPerformance(TJPEGPerformance::jpBestQuality);
    jpeg.SetSmoothing(false);
    EXPECT_LE(WorstDistance(jpeg.Bitmap(), Gradient), 12);
}

TEST(JpegDecode, EightBitGivesAPaletteOfTheColoursOrAGreyRamp) {
    JpegSample s = GradientSample(40, 30);
    s.quality = 100;
    TJPEGImage colour = Load(MakeJpeg(s));
    colour.SetPixelFormat(TJPEGPixelFormat::jf8Bit);
    EXPECT_EQ(colour.Bitmap().PixelFormat(), TPixelFormat::pf8bit);
    EXPECT_EQ(colour.Bitmap().Palette().size(), 256u);
    EXPECT_LE(WorstDistance(colour.Bitmap(), Gradient), 40);
    colour.SetPerformance(TJPEGPerformance::jpBestSpeed);  // one pass over a fixed colour cube
    EXPECT_LE(WorstDistance(colour.Bitmap(), Gradient), 60);

    JpegSample g;
    g.input = JCS_GRAYSCALE;
    g.quality = 100;
    g.pixel = [](int x, int) { return std::vector<int>{x * 16}; };
    TJPEGImage grey = Load(MakeJpeg(g));
    EXPECT_TRUE(grey.Grayscale());
    EXPECT_FALSE(colour.Grayscale());
    grey.SetPixelFormat(TJPEGPixelFormat::jf8Bit);
    const TBitmap& bitmap = grey.Bitmap();
    ASSERT_EQ(bitmap.PixelFormat(), TPixelFormat::pf8bit);
    EXPECT_EQ(bitmap.Palette()[200].rgbRed, 200);
    EXPECT_EQ(bitmap.Palette()[200].rgbBlue, 200);
    EXPECT_NEAR(bitmap.ScanLine(5)[9], 144, 3);
}

TEST(JpegDecode, GreyCmykYcckProgressiveAndArithmeticFilesBecomeColourBitmaps) {
    JpegSample grey;
    grey.input = JCS_GRAYSCALE;
    grey.quality = 100;
    grey.pixel = [](int x, int) { return std::vector<int>{x * 16}; };
    EXPECT_LE(WorstDistance(Load(MakeJpeg(grey)).Bitmap(), [](int x, int) { return RGB(x * 16, x * 16, x * 16); }), 3);

    // Left half red, right half blue; Adobe's CMYK is stored inverted.
    auto red = [](int x, int) { return x < 8; };
    JpegSample cmyk;
    cmyk.input = JCS_CMYK;
    cmyk.quality = 100;
    cmyk.pixel = [&](int x, int y) {
        return red(x, y) ? std::vector<int>{255, 0, 0, 255} : std::vector<int>{0, 0, 255, 255};
    };
    // Colour channels are smoothed across the edge between the halves.
    auto expected = [&](int x, int y) { return red(x, y) ? RGB(255, 0, 0) : RGB(0, 0, 255); };
    auto awayFromEdge = [](const TBitmap& b, auto colour) {
        int worst = 0;
        for (int y = 0; y < b.Height(); ++y)
            for (int x : {0, 1, 2, 3, 4, 5, 10, 11, 12, 13, 14, 15}) worst = std::max(worst, ChannelDistance(b.Pixel(x, y), colour(x, y)));
        return worst;
    };
    EXPECT_LE(awayFromEdge(Load(MakeJpeg(cmyk)).Bitmap(), expected), 8);
    cmyk.stored = JCS_YCCK;
    EXPECT_LE(awayFromEdge(Load(MakeJpeg(cmyk)).Bitmap(), expected), 8);
    // Without Adobe's marker the inks are plain: 255 is full ink.
    JpegSample plain = cmyk;
    plain.stored = JCS_UNKNOWN;
    plain.adobeMarker = false;
    plain.pixel = [&](int x, int y) {
        return red(x, y) ? std::vector<int>{0, 255, 255, 0} : std::vector<int>{255, 255, 0, 0};
    };
    EXPECT_LE(awayFromEdge(Load(MakeJpeg(plain)).Bitmap(), expected), 8);
    TJPEGImage eightBit = Load(MakeJpeg(plain));
    eightBit.SetPixelFormat(TJPEGPixelFormat::jf8Bit);
    EXPECT_LE(awayFromEdge(eightBit.Bitmap(), expected), 8);

    JpegSample s = GradientSample(50, 40);
    s.quality = 100;
    s.progressive = true;
    EXPECT_LE(WorstDistance(Load(MakeJpeg(s)).Bitmap(), Gradient), 6);
    s.arithmetic = true;
    EXPECT_LE(WorstDistance(Load(MakeJpeg(s)).Bitmap(), Gradient), 6);
    s.progressive = false;
    EXPECT_LE(WorstDistance(Load(MakeJpeg(s)).Bitmap(), Gradient), 6);
}

TEST(JpegDecode, DecodesOnceUntilAnOptionChangesAndDrawsStretched) {
    TJPEGImage jpeg = Load(MakeJpeg(GradientSample(32, 32)));
    const TBitmap* first = &jpeg.Bitmap();
    EXPECT_EQ(&jpeg.Bitmap(), first);
    int changes = 0;
    jpeg.OnChange = [&](TGraphic&) { ++changes; };
    jpeg.SetSmoothing(true);  // unchanged: nothing happens
    EXPECT_EQ(changes, 0);
    jpeg.SetScale(TJPEGScale::jsHalf);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(jpeg.Bitmap().Width(), 16);

    TBitmap canvas(64, 64);
    canvas.Canvas().StretchDraw(Rect(0, 0, 64, 64), jpeg);
    EXPECT_LE(ChannelDistance(canvas.Pixel(63, 63), Gradient(31, 31)), 16);

    TBitmap copied;
    copied.Assign(jpeg);
    EXPECT_EQ(copied.Width(), 16);
    EXPECT_EQ(copied.Pixel(5, 5), jpeg.Bitmap().Pixel(5, 5));
}
