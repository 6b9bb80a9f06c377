#include "components/Gauges.h"

#include <gtest/gtest.h>

#include "platform/controls/Form.h"
#include "platform/services/TestInput.h"

namespace lumvex {
namespace {

constexpr TColor kBar = RGB(0x20, 0x40, 0x80);
constexpr TColor kBack = RGB(0xF0, 0xE0, 0xD0);

class GaugeTest : public ::testing::Test {
protected:
    GaugeTest() {
        gauge = new TGauge(&form);
        gauge->SetBounds(8, 2, 100, 12);
        gauge->SetForeColor(kBar);
        gauge->SetBackColor(kBack);
    }
    void SetRange(int minValue, int maxValue, int progress) {
        gauge->SetMaxValue(maxValue);
        gauge->SetMinValue(minValue);
        gauge->SetProgress(progress);
    }
    // How many pixels of row y, counted from x = 1, have the bar's colour.
    int BarLength(const TBitmap& image, int y) const {
        int length = 0;
        while (1 + length < image.Width() && image.Pixel(1 + length, y) == kBar) ++length;
        return length;
    }
    TBitmap WithoutText() {
        gauge->SetShowText(false);
        TBitmap image = gauge->PaintImage();
        gauge->SetShowText(true);
        return image;
    }

    TForm form;
    TGauge* gauge;
};

TEST_F(GaugeTest, NewGaugeHasItsDefaults) {
    TGauge fresh(&form);
    EXPECT_EQ(fresh.Width(), 100);
    EXPECT_EQ(fresh.Height(), 100);
    EXPECT_EQ(fresh.MinValue(), 0);
    EXPECT_EQ(fresh.MaxValue(), 100);
    EXPECT_EQ(fresh.Progress(), 0);
    EXPECT_EQ(fresh.Kind(), gkHorizontalBar);
    EXPECT_TRUE(fresh.ShowText());
    EXPECT_EQ(fresh.BorderStyle(), bsSingle);
    EXPECT_EQ(fresh.ForeColor(), clBlack);
    EXPECT_EQ(fresh.BackColor(), clWhite);
}

TEST_F(GaugeTest, ThreeOfNineFillsThirtyTwoPixelsInsideTheBorder) {
    SetRange(0, 9, 3);
    EXPECT_EQ(gauge->PercentDone(), 33);
    const TBitmap image = WithoutText();
    ASSERT_EQ(image.Width(), 100);
    ASSERT_EQ(image.Height(), 12);
    for (int y = 1; y < 11; ++y) {
        EXPECT_EQ(image.Pixel(0, y), clBlack) << y;
        EXPECT_EQ(BarLength(image, y), 32) << y;
        for (int x = 33; x < 99; ++x) ASSERT_EQ(image.Pixel(x, y), kBack) << x << "," << y;
        EXPECT_EQ(image.Pixel(99, y), clBlack) << y;
    }
    for (int x = 0; x < 100; ++x) {
        EXPECT_EQ(image.Pixel(x, 0), clBlack) << x;
        EXPECT_EQ(image.Pixel(x, 11), clBlack) << x;
    }
    // 99 x 67% = 66.33, where a width of 98 would give 65.
    SetRange(0, 100, 67);
    EXPECT_EQ(BarLength(WithoutText(), 5), 66);
}

bool StrongGrey(TColor c) { return GetRValue(c) >= 0xC0 && GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c); }

TEST_F(GaugeTest, TextIsTheInverseOfWhatLiesBeneathIt) {
    gauge->SetHeight(20);
    SetRange(0, 100, 50);  // the bar ends under the middle of "50%"
    const TBitmap plain = WithoutText();
    const TBitmap image = gauge->PaintImage();
    const int barEnd = 1 + BarLength(plain, 10);
    ASSERT_EQ(barEnd, 50);
    // White text combined by exclusive-or: whatever lies beneath, the change
    // is the same shade of grey in every channel, the core of a stroke turning
    // the bar and the background into their inverses.
    bool overBar = false, overBack = false;
    int changed = 0;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const TColor change = image.Pixel(x, y) ^ plain.Pixel(x, y);
            if (change == 0) continue;
            ++changed;
            ASSERT_TRUE(x >= 1 && x < 99 && y >= 1 && y < 19) << "text outside the frame at " << x << "," << y;
            ASSERT_TRUE(GetRValue(change) == GetGValue(change) && GetGValue(change) == GetBValue(change))
                << "not an inversion at " << x << "," << y;
            if (StrongGrey(change)) (x < barEnd ? overBar : overBack) = true;
        }
    EXPECT_GT(changed, 20);
    EXPECT_TRUE(overBar);
    EXPECT_TRUE(overBack);
}

TEST_F(GaugeTest, EmptyRangeReadsZeroWithAnEmptyBar) {
    SetRange(0, 0, 0);
    EXPECT_EQ(gauge->PercentDone(), 0);
    SetRange(5, 5, 7);
    EXPECT_EQ(gauge->Progress(), 5);
    EXPECT_EQ(gauge->PercentDone(), 0);
    const TBitmap image = WithoutText();
    for (int x = 1; x < 99; ++x) EXPECT_EQ(image.Pixel(x, 5), kBack) << x;
}

TEST_F(GaugeTest, ProgressPastTheMaximumReadsFullAndKeepsTheFrame) {
    SetRange(0, 9, 50);
    EXPECT_EQ(gauge->Progress(), 9);
    EXPECT_EQ(gauge->PercentDone(), 100);
    gauge->SetProgress(-4);
    EXPECT_EQ(gauge->Progress(), 0);
    gauge->SetProgress(1000);
    const TBitmap image = WithoutText();
    EXPECT_EQ(BarLength(image, 5), 98);
    EXPECT_EQ(image.Pixel(99, 5), clBlack);

    SetRange(0, 2147483647, 1073741824);  // (progress - min) x 100 needs more than 32 bits
    EXPECT_EQ(gauge->PercentDone(), 50);
}

TEST_F(GaugeTest, RangeThatWouldInvertIsRefusedWithTheBounds) {
    SetRange(0, 9, 4);
    try {
        gauge->SetMinValue(10);
        FAIL() << "no error";
    } catch (const EGaugeRangeError& e) {
        EXPECT_EQ(e.Message(), "Value must be between -2147483647 and 8");
    }
    try {
        gauge->SetMaxValue(-1);  // deleting with no file marked
        FAIL() << "no error";
    } catch (const EGaugeRangeError& e) {
        EXPECT_EQ(e.Message(), "Value must be between 1 and 2147483647");
    }
    EXPECT_EQ(gauge->MinValue(), 0);
    EXPECT_EQ(gauge->MaxValue(), 9);
    EXPECT_EQ(gauge->Progress(), 4);

    // The extremes do not overflow the message's numbers.
    gauge->SetMinValue(-2147483647 - 1);
    try {
        gauge->SetMaxValue(-2147483647 - 1);
        gauge->SetMinValue(0);
        FAIL() << "no error";
    } catch (const EGaugeRangeError& e) {
        EXPECT_EQ(e.Message(), "Value must be between -2147483647 and -2147483649");
    }
}

TEST_F(GaugeTest, RangeChangesDragTheProgressAlong) {
    SetRange(0, 100, 50);
    gauge->SetMinValue(60);
    EXPECT_EQ(gauge->Progress(), 60);
    gauge->SetMaxValue(70);
    gauge->SetProgress(70);
    gauge->SetMaxValue(65);
    EXPECT_EQ(gauge->Progress(), 65);
}

TEST_F(GaugeTest, LoadingMayPassThroughAnInvertedRange) {
    gauge->SetLoading(true);
    EXPECT_NO_THROW(gauge->SetMinValue(200));
    EXPECT_EQ(gauge->Progress(), 200);
    gauge->SetMaxValue(300);
    gauge->SetProgress(250);
    gauge->SetLoading(false);
    EXPECT_EQ(gauge->PercentDone(), 50);
    EXPECT_THROW(gauge->SetMinValue(301), EGaugeRangeError);
}

TEST_F(GaugeTest, RepaintsOnlyWhenThePercentChanges) {
    form.SetBounds(0, 0, 200, 40);
    form.Show();
    SetRange(0, 1000, 0);
    int paints = 0;
    gauge->OnPaint = [&](TObject*) { ++paints; };
    test_input::ProcessEventsFor(50);
    paints = 0;

    gauge->SetProgress(331);
    test_input::ProcessEventsFor(50);
    EXPECT_GE(paints, 1);
    paints = 0;
    gauge->SetProgress(335);  // still 33%
    test_input::ProcessEventsFor(50);
    EXPECT_EQ(paints, 0);
    gauge->SetProgress(340);
    test_input::ProcessEventsFor(50);
    EXPECT_GE(paints, 1);

    // What reaches the screen is the painted image.
    const TBitmap screen = form.GetFormImage();
    const TBitmap image = gauge->PaintImage();
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            ASSERT_EQ(screen.Pixel(8 + x, 2 + y), image.Pixel(x, y)) << x << "," << y;
}

TEST_F(GaugeTest, OtherKindsFillTheirShapes) {
    gauge->SetBounds(0, 0, 41, 41);
    gauge->SetShowText(false);
    gauge->SetBorderStyle(bsNone);
    SetRange(0, 4, 1);

    gauge->SetKind(gkVerticalBar);
    TBitmap image = gauge->PaintImage();
    EXPECT_EQ(image.Pixel(20, 40), kBar);  // no frame: the bar reaches the edge
    EXPECT_EQ(image.Pixel(20, 31), kBar);
    EXPECT_EQ(image.Pixel(20, 29), kBack);

    gauge->SetKind(gkPie);  // a quarter from twelve o'clock, clockwise
    image = gauge->PaintImage();
    EXPECT_EQ(image.Pixel(28, 12), kBar);
    EXPECT_EQ(image.Pixel(12, 12), kBack);
    EXPECT_EQ(image.Pixel(28, 28), kBack);
}

TEST(BltBitmap, MakeLikeTakesTheSizeAndFillsWithTheFrameColour) {
    TBitmap templ(7, 5, TPixelFormat::pf24bit);
    TBltBitmap work(2, 2, TPixelFormat::pf24bit);
    work.SetPixel(0, 0, clWhite);
    work.MakeLike(templ);
    ASSERT_EQ(work.Width(), 7);
    ASSERT_EQ(work.Height(), 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) EXPECT_EQ(work.Pixel(x, y), TBltBitmap::WindowFrameColor);
}

}  // namespace
}  // namespace lumvex
