// The about window: the glitching logo, its bursts, dragging, the web
// address, and the options window's button that opens it.
#include <gtest/gtest.h>

#include "appearance/AboutWindow.h"
#include "ViewerSupport.h"
#include "platform/services/Shell.h"
#include "platform/services/TestInput.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

class AboutWindowTest : public OnePictureFolderTest {
protected:
    void StartWindows() {
        OnePictureFolderTest::StartWindows();
        // A logo whose green rises along each row, never 0, so that every
        // pixel of a glitching row is above the first frame's threshold.
        TBitmap logo(473, 287, TPixelFormat::pf24bit);
        for (int y = 0; y < 287; ++y)
            for (int x = 0; x < 473; ++x) logo.SetPixel(x, y, RGB(std::uint8_t(y), std::uint8_t(1 + x % 255), 40));
        MainWindow->BackLogo->Picture().Assign(&logo);
    }
    void SetUp() override {
        StartWindows();
        AboutWindow->MorphButton1Click(nullptr);
        AboutWindow->SetBounds(300, 200, 478, 292);
    }
};

TEST_F(AboutWindowTest, TheFirstFrameBlackensEveryGreenPixelOfTheRowsItGlitches) {
    GlitchThreshold = 0;  // as at program start
    AboutWindow->FormActivate(AboutWindow);
    EXPECT_TRUE(AboutWindow->Timer1.Enabled());
    EXPECT_TRUE(AboutWindow->Timer2.Enabled());
    EXPECT_TRUE(AboutWindow->DoubleBuffered());
    const TBitmap& source = AboutWindow->TImg->Picture().Bitmap();
    ASSERT_EQ(source.Width(), 473);
    ASSERT_EQ(source.Height(), 171);
    EXPECT_EQ(source.Pixel(10, 170), RGB(170, 11, 40));

    AboutWindow->Timer1Timer(nullptr);
    const TBitmap& shown = AboutWindow->img->Picture().Bitmap();
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
    EXPECT_GE(AboutWindow->Label2->Left(), 208);
    EXPECT_LE(AboutWindow->Label2->Left(), 212);
    EXPECT_GE(AboutWindow->Label2->Top(), 180);
    EXPECT_LE(AboutWindow->Label2->Top(), 184);

    // Later frames blacken only the brightest green.
    AboutWindow->Timer1Timer(nullptr);
    for (int y = 0; y < 171; ++y)
        for (int x = 0; x < 473; ++x)
            if (GetGValue(source.Pixel(x, y)) <= 230) {
                ASSERT_EQ(shown.Pixel(x, y), source.Pixel(x, y));
            }
}

TEST_F(AboutWindowTest, ABurstLowersTheThresholdAndReopeningKeepsTheScheduleChosen) {
    AboutWindow->FormActivate(AboutWindow);
    AboutWindow->Timer2Timer(nullptr);
    EXPECT_EQ(GlitchThreshold, 100);
    const unsigned interval = AboutWindow->Timer2.Interval();
    EXPECT_GE(interval, 300u);
    EXPECT_LT(interval, 5300u);
    AboutWindow->MorphButton1Click(AboutWindow->MorphButton1);
    EXPECT_FALSE(AboutWindow->Visible());
    EXPECT_FALSE(AboutWindow->Timer1.Enabled());
    EXPECT_FALSE(AboutWindow->Timer2.Enabled());
    EXPECT_FALSE(AboutWindow->DoubleBuffered());
    AboutWindow->FormActivate(AboutWindow);
    EXPECT_TRUE(AboutWindow->Timer2.Enabled());
    EXPECT_EQ(AboutWindow->Timer2.Interval(), interval);
    EXPECT_EQ(GlitchThreshold, 100);
}

TEST_F(AboutWindowTest, DraggingByThePictureMovesTheWindowAndByTheCloseButtonDoesNot) {
    test_input::SendMouseMove(*AboutWindow->img, 100, 100, ssLeft);
    test_input::SendMouseMove(*AboutWindow->img, 130, 90, ssLeft);
    EXPECT_EQ(AboutWindow->Left(), 330);
    EXPECT_EQ(AboutWindow->Top(), 190);
    test_input::SendMouseMove(*AboutWindow->img, 130, 90);
    test_input::SendMouseMove(*AboutWindow->MorphButton1, 5, 5, ssLeft);
    test_input::SendMouseMove(*AboutWindow->MorphButton1, 15, 15, ssLeft);
    EXPECT_EQ(AboutWindow->Left(), 330);
    EXPECT_EQ(AboutWindow->Top(), 190);
}

TEST_F(AboutWindowTest, TheWebAddressReachesTheShell) {
    ScriptedShell shell;
    test_input::SendClick(*AboutWindow->Label3);
    EXPECT_EQ(shell.Urls, std::vector<std::string>{AboutWebAddress});
    EXPECT_EQ(AboutWindow->Label3->Caption(), AboutWebAddress);
    EXPECT_EQ(AboutWindow->Label1->Caption(), "Lumvex v2.0");
}

TEST_F(AboutWindowTest, TheOptionsWindowsWideButtonOpensItAndTheSkinFramesIt) {
    OptionsWindow->MorphButton2Click(OptionsWindow->MorphButton2);
    EXPECT_TRUE(AboutWindow->Visible());
    Viewer.co1 = clRed;
    MainWindow->SetSkin();
    EXPECT_EQ(AboutWindow->BackShape->Pen().Color, clRed);
    EXPECT_EQ(AboutWindow->MorphButton1->MorphPic1().Bitmap().Width(), 24);
}

}  // namespace
