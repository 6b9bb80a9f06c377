#include "components/MorphButton.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/SysUtils.h"
#include "platform/controls/Form.h"
#include "platform/services/TestInput.h"

namespace lumvex {
namespace {

using namespace test_input;

std::unique_ptr<TBitmap> Solid(int w, int h, std::uint8_t grey) {
    auto bitmap = std::make_unique<TBitmap>(w, h, TPixelFormat::pf24bit);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) bitmap->SetPixel(x, y, RGB(grey, grey, grey));
    return bitmap;
}

class MorphButtonTest : public ::testing::Test {
protected:
    MorphButtonTest() {
        button = new TMorphButton(&form);
        button->SetBounds(0, 0, 16, 16);
        button->MorphPic1().SetGraphic(Solid(16, 16, 200));
        button->MorphPic2().SetGraphic(Solid(16, 16, 40));
        button->SetMorphStep1(15);
        button->SetMorphStep2(5);
        button->SetTransPic1(false);
        button->SetProcessMsgs(false);
    }
    // Ticks until the fade ends; returns how many ticks it took.
    int RunFade() {
        int ticks = 0;
        while (button->State() != TMorphState::Idle && ticks < 1000) {
            button->Tick();
            ++ticks;
        }
        return ticks;
    }
    std::uint8_t Shown() const { return GetRValue(button->DisplayFrame().Pixel(5, 5)); }

    TForm form;
    TMorphButton* button;
};

TEST_F(MorphButtonTest, NewButtonHasItsDesignDefaults) {
    TMorphButton fresh(&form);
    EXPECT_EQ(fresh.Width(), 89);
    EXPECT_EQ(fresh.Height(), 27);
    EXPECT_EQ(fresh.MorphStep1(), 10);
    EXPECT_EQ(fresh.MorphStep2(), 2);
    EXPECT_EQ(fresh.TransCol1(), clFuchsia);
    EXPECT_EQ(fresh.MorphColor1(), clBlack);
    EXPECT_EQ(fresh.MorphColor2(), clWhite);
    EXPECT_TRUE(fresh.StretchToFit());
    EXPECT_TRUE(fresh.ProcessMsgs());
    EXPECT_FALSE(fresh.TimerRunning());
    // Without pictures the display frame is the magenta fill colour.
    EXPECT_EQ(fresh.DisplayFrame().Pixel(0, 0), clFuchsia);
}

TEST_F(MorphButtonTest, FadeInTakesSeventeenTicksAndFadeOutFiftyOne) {
    SendMouseEnter(*button);
    EXPECT_EQ(button->State(), TMorphState::FadingIn);
    EXPECT_TRUE(button->TimerRunning());
    EXPECT_EQ(RunFade(), 17);
    EXPECT_EQ(button->Position(), 255);
    EXPECT_EQ(Shown(), 40);
    EXPECT_FALSE(button->TimerRunning());

    SendMouseLeave(*button);
    EXPECT_EQ(button->State(), TMorphState::FadingOut);
    EXPECT_TRUE(button->Swapped());
    EXPECT_EQ(RunFade(), 51);
    EXPECT_EQ(button->Position(), 0);
    EXPECT_FALSE(button->Swapped());
    EXPECT_EQ(Shown(), 200);
    EXPECT_EQ(GetRValue(button->TargetFrame().Pixel(5, 5)), 40);
    EXPECT_FALSE(button->TimerRunning());
}

TEST_F(MorphButtonTest, BlendWeighsSnapshotAgainstTargetOnAScaleOf32) {
    SendMouseEnter(*button);
    button->Tick();  // Position 15, weight 1
    EXPECT_EQ(Shown(), 195);
    button->Tick();  // 30, weight 3
    EXPECT_EQ(Shown(), 185);
    for (int i = 0; i < 6; ++i) button->Tick();  // 120, weight 15
    EXPECT_EQ(button->Position(), 120);
    EXPECT_EQ(Shown(), 125);
    RunFade();
    EXPECT_EQ(Shown(), 40);
}

TEST_F(MorphButtonTest, LeavingMidFadeContinuesFromThePositionReached) {
    SendMouseEnter(*button);
    for (int i = 0; i < 8; ++i) button->Tick();
    SendMouseLeave(*button);
    EXPECT_EQ(button->Position(), 120);
    EXPECT_EQ(button->State(), TMorphState::FadingOut);
    // While swapped the pictures read exchanged.
    EXPECT_EQ(GetRValue(button->MorphPic1().Bitmap().Pixel(0, 0)), 40);
    button->Tick();
    EXPECT_EQ(button->Position(), 115);

    SendMouseEnter(*button);
    EXPECT_EQ(button->State(), TMorphState::FadingIn);
    EXPECT_FALSE(button->Swapped());
    EXPECT_EQ(button->Position(), 115);
    EXPECT_EQ(GetRValue(button->MorphPic1().Bitmap().Pixel(0, 0)), 200);
    // (255 - 115) / 15 rounded up: 10 more ticks.
    EXPECT_EQ(RunFade(), 10);
}

TEST_F(MorphButtonTest, BlendCoversRowPaddingAndAllChannels) {
    TBitmap snapshot(3, 2, TPixelFormat::pf24bit), target(3, 2, TPixelFormat::pf24bit), display(3, 2, TPixelFormat::pf24bit);
    for (int y = 0; y < 2; ++y) {
        std::fill_n(snapshot.ScanLine(y), snapshot.BytesPerLine(), std::uint8_t{255});
        std::fill_n(target.ScanLine(y), target.BytesPerLine(), std::uint8_t{0});
    }
    BlendFrames(snapshot, target, display, 16);
    for (int y = 0; y < 2; ++y)
        for (int i = 0; i < display.BytesPerLine(); ++i) EXPECT_EQ(display.ScanLine(y)[i], 127) << y << "," << i;
    BlendFrames(snapshot, target, display, 32);
    EXPECT_EQ(display.Pixel(2, 1), RGB(0, 0, 0));
    TBitmap small(2, 2, TPixelFormat::pf24bit);
    EXPECT_THROW(BlendFrames(snapshot, target, small, 3), Exception);
}

TEST_F(MorphButtonTest, ClicksAreRaisedButNotTheStandardMouseEvents) {
    int clicks = 0, doubles = 0, standard = 0;
    button->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, button);
        ++clicks;
    };
    button->OnDblClick = [&](TObject*) { ++doubles; };
    button->OnMouseMove = [&](TObject*, TShiftState, int, int) { ++standard; };
    button->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++standard; };
    button->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++standard; };
    SendMouseMove(*button, 3, 3);
    SendClick(*button, 3, 3);
    SendDblClick(*button, 3, 3);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(standard, 0);
}

TEST_F(MorphButtonTest, PaintsTheKeyColourTransparentAndTheCaptionWithAShadow) {
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 60, 40);
    form.SetColor(clRed);
    auto glyph = Solid(16, 16, 200);
    for (int y = 0; y < 16; ++y) glyph->SetPixel(0, y, clFuchsia);
    button->MorphPic1().SetGraphic(std::move(glyph));
    button->SetTransPic1(true);
    TBitmap shot = form.GetFormImage();
    EXPECT_EQ(shot.Pixel(0, 8), clRed);
    EXPECT_EQ(shot.Pixel(8, 8), RGB(200, 200, 200));

    button->SetBounds(0, 0, 60, 40);
    button->MorphPic1().SetGraphic(Solid(4, 4, 128));
    TFont font;
    font.PixelHeight = 30;
    font.Color = clWhite;
    button->SetFont(font);
    button->SetCaption("I");
    shot = form.GetFormImage();
    int white = 0, black = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) {
            white += shot.Pixel(x, y) == clWhite;
            black += shot.Pixel(x, y) == clBlack;
        }
    EXPECT_GT(white, 10);
    EXPECT_GT(black, 0);  // the shadow shows one pixel down and right
}

TEST_F(MorphButtonTest, ResizingRendersBothFramesAtTheNewSize) {
    button->SetBounds(0, 0, 24, 24);
    EXPECT_EQ(button->DisplayFrame().Width(), 24);
    EXPECT_EQ(button->TargetFrame().Height(), 24);
    EXPECT_EQ(GetRValue(button->DisplayFrame().Pixel(23, 23)), 200);
    EXPECT_EQ(GetRValue(button->TargetFrame().Pixel(23, 23)), 40);
}

TEST_F(MorphButtonTest, DirectPixelWritesShowAfterRebuild) {
    TBitmap& glyph = button->MorphPic1().Bitmap();
    glyph.SetPixel(5, 5, RGB(10, 10, 10));
    EXPECT_EQ(Shown(), 200);
    button->Rebuild();
    EXPECT_EQ(Shown(), 10);
}

TEST_F(MorphButtonTest, TimerRunsOnlyWhileFading) {
    button->SetProcessMsgs(true);
    EXPECT_FALSE(button->TimerRunning());
    SendMouseEnter(*button);
    EXPECT_TRUE(button->TimerRunning());
    RunFade();
    EXPECT_EQ(Shown(), 40);
    EXPECT_FALSE(button->TimerRunning());
    SendMouseLeave(*button);
    EXPECT_TRUE(button->TimerRunning());
    RunFade();
    EXPECT_EQ(Shown(), 200);
    EXPECT_FALSE(button->TimerRunning());
}

}  // namespace
}  // namespace lumvex
