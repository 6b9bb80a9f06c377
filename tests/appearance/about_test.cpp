// The about window: the glitching logo, its bursts, dragging, the web
// address, and the options window's button that opens it.
#include <gtest/gtest.h>

#include "appearance/Unit5.h"
#include "ViewerSupport.h"
#include "platform/services/Shell.h"
#include "platform/services/TestInput.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

class AboutWindow : public OnePictureFolderTest {
protected:
    void StartWindows() {
        OnePictureFolderTest::StartWindows();
        // A logo whose green rises along each row, never 0, so that every
        // pixel of a glitching row is above the first frame's threshold.
        TBitmap logo(473, 287, TPixelFormat::pf24bit);
        for (int y = 0; y < 287; ++y)
            for (int x = 0; x < 473; ++x) logo.SetPixel(x, y, RGB(std::uint8_t(y), std::uint8_t(1 + x % 255), 40));
        Form1->BackLogo->Picture().Assign(&logo);
    }
    void SetUp() override {
        StartWindows();
        Form5->MorphButton1Click(nullptr);
        Form5->SetBounds(300, 200, 478, 292);
    }
};

TEST_F(AboutWindow, TheFirstFrameBlackensEveryGreenPixelOfTheRowsItGlitches) {
    GlitchThreshold = 0;  // as at program start
    Form5->FormActivate(Form5);
    EXPECT_TRUE(Form5->Timer1.Enabled());
    EXPECT_TRUE(Form5->Timer2.Enabled());
    EXPECT_TRUE(Form5->DoubleBuffered());
    const TBitmap& source = Form5->TImg->Picture().Bitmap();
    ASSERT_EQ(source.Width(), 473);
    ASSERT_EQ(source.Height(), 171);
    EXPECT_EQ(source.Pixel(10, 170), RGB(170, 11, 40));

    Form5->Timer1Timer(nullptr);
    const TBitmap& shown = Form5->img->Picture().Bitmap();
    ASSERT_EQ(shown.Width(), 473);
    ASSERT_EQ(shown.Height(), 171);
    int black = 0, kept = 0;
    for (int y = 0; y < 171; ++y) {
        const bool rowBlack = shown.Pixel(0, y) == clBlack;
        for (int x = 0; x < 473; ++x)
            ASSERT_EQ(shown.Pixel(x, y), rowBlack ? clBlack : source.Pixel(x, y)) << x << "," << y;
        (rowBlack ? black : kept)++;
    }
    EXPECT_GT(black, 20);
    EXPECT_GT(kept, 20);
    EXPECT_EQ(GlitchThreshold, 230);
    EXPECT_GE(Form5->Label2->Left(), 208);
    EXPECT_LE(Form5->Label2->Left(), 212);
    EXPECT_GE(Form5->Label2->Top(), 180);
    EXPECT_LE(Form5->Label2->Top(), 184);

    // Later frames blacken only the brightest green.
    Form5->Timer1Timer(nullptr);
    for (int y = 0; y < 171; ++y)
        for (int x = 0; x < 473; ++x)
            if (GetGValue(source.Pixel(x, y)) <= 230) {
                ASSERT_EQ(shown.Pixel(x, y), source.Pixel(x, y));
            }
}

TEST_F(AboutWindow, ABurstLowersTheThresholdAndReopeningKeepsTheScheduleChosen) {
    Form5->FormActivate(Form5);
    Form5->Timer2Timer(nullptr);
    EXPECT_EQ(GlitchThreshold, 100);
    const unsigned interval = Form5->Timer2.Interval();
    EXPECT_GE(interval, 300u);
    EXPECT_LT(interval, 5300u);
    Form5->MorphButton1Click(Form5->MorphButton1);
    EXPECT_FALSE(Form5->Visible());
    EXPECT_FALSE(Form5->Timer1.Enabled());
    EXPECT_FALSE(Form5->Timer2.Enabled());
    EXPECT_FALSE(Form5->DoubleBuffered());
    Form5->FormActivate(Form5);
    EXPECT_TRUE(Form5->Timer2.Enabled());
    EXPECT_EQ(Form5->Timer2.Interval(), interval);
    EXPECT_EQ(GlitchThreshold, 100);
}

TEST_F(AboutWindow, DraggingByThePictureMovesTheWindowAndByTheCloseButtonDoesNot) {
    test_input::SendMouseMove(*Form5->img, 100, 100, ssLeft);
    test_input::SendMouseMove(*Form5->img, 130, 90, ssLeft);
    EXPECT_EQ(Form5->Left(), 330);
    EXPECT_EQ(Form5->Top(), 190);
    test_input::SendMouseMove(*Form5->img, 130, 90);
    test_input::SendMouseMove(*Form5->MorphButton1, 5, 5, ssLeft);
    test_input::SendMouseMove(*Form5->MorphButton1, 15, 15, ssLeft);
    EXPECT_EQ(Form5->Left(), 330);
    EXPECT_EQ(Form5->Top(), 190);
}

TEST_F(AboutWindow, TheWebAddressReachesTheShell) {
    ScriptedShell shell;
    test_input::SendClick(*Form5->Label3);
    EXPECT_EQ(shell.Urls, std::vector<std::string>{AboutWebAddress});
    EXPECT_EQ(Form5->Label3->Caption(), AboutWebAddress);
    EXPECT_EQ(Form5->Label1->Caption(), "Lumvex v2.0");
}

TEST_F(AboutWindow, TheOptionsWindowsWideButtonOpensItAndTheSkinFramesIt) {
    Form4->MorphButton2Click(Form4->MorphButton2);
    EXPECT_TRUE(Form5->Visible());
    Viewer.co1 = clRed;
    Form1->SetSkin();
    EXPECT_EQ(Form5->BackShape->Pen().Color, clRed);
    EXPECT_EQ(Form5->MorphButton1->MorphPic1().Bitmap().Width(), 24);
}

}  // namespace
