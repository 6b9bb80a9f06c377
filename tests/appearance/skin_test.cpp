// The skin: the gradients of bars and backgrounds, the tinted button glyphs,
// and what the windows show of both after start-up.
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "appearance/ColorText.h"
#include "appearance/Skin.h"
#include "GlyphCheck.h"
#include "ViewerSupport.h"
#include "platform/services/SystemColors.h"
#include "platform/services/TestInput.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

constexpr TColor DefaultCo1 = 0x24DB7B, DefaultCo2 = 0x0D4F2C;
const std::vector<TColor> DefaultTitleBar = {0x0F5D33, 0x116B3B, 0x137943, 0x16874B, 0x189553, 0x1AA35B,
                                             0x1DB163, 0x1FBF6B, 0x21CD73, 0x24DB7B, 0x22CD74, 0x20BF6C,
                                             0x1EB164, 0x1BA35C, 0x199554, 0x17874C, 0x147944, 0x126B3C};

std::vector<TColor> Pixels(const TBitmap& bitmap) {
    std::vector<TColor> colors;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) colors.push_back(bitmap.Pixel(x, y));
    return colors;
}

TEST(GradientFill, PaintsTheBarsAndBackgroundsOfTheDefaultColoursAndSkipsRunsOfOneColour) {
    TBitmap bar(1, 18);
    GradientFill(bar.Canvas(), 1, 18, false, 50, DefaultCo2, DefaultCo1, DefaultCo2);
    EXPECT_EQ(Pixels(bar), DefaultTitleBar);

    TBitmap background(10, 1);
    GradientFill(background.Canvas(), 10, 1, true, 0, DefaultCo2, DefaultCo1, DefaultCo2);
    EXPECT_EQ(Pixels(background), (std::vector<TColor>{0x24DB7B, 0x22CF74, 0x20C26D, 0x1EB566, 0x1CA95F,
                                                       0x1A9C58, 0x188F50, 0x168249, 0x147642, 0x12693B}));

    // Equal colours would divide by zero: that run keeps the old pixels.
    TBitmap same = SolidBitmap(1, 18, clRed);
    GradientFill(same.Canvas(), 1, 18, false, 50, clBlue, clBlue, clWhite);
    EXPECT_EQ(same.Pixel(0, 0), clRed);
    EXPECT_EQ(same.Pixel(0, 9), clBlue);
}

TEST(TintGlyphStrip, MixesSixtyPercentButtonColourIntoTheGlyphKeepsMagentaAndStaysInBounds) {
    TBitmap sheet = SolidBitmap(glyphsheet::Width, glyphsheet::Height, clFuchsia);
    const TColor shades[] = {clWhite, clBlack, clSilver};
    for (int x = 0; x < 3; ++x) sheet.SetPixel(x, 30, shades[x]);
    struct Case {
        TColor color;
        std::vector<TColor> tinted;
    };
    for (const Case& c : {Case{0x008000, {0x66B266, 0x004C00, 0x4C994C, clBlue}},
                          Case{0x00FF00, {0x66FF66, 0x009900, 0x4CE54C, clBlue}}}) {
        TBitmap target = SolidBitmap(4, 24, clBlue);
        TintGlyphStrip(sheet, 40, c.color, 24, 47, target);
        const std::vector<TColor> shown = Pixels(target);
        EXPECT_EQ(std::vector<TColor>(shown.begin() + 4 * 6, shown.begin() + 4 * 7), c.tinted);
    }
    TBitmap small = SolidBitmap(2, 2, clFuchsia);
    TintGlyphStrip(SolidBitmap(8, 4, clWhite), 40, 0x008000, -3, 100, small);
    EXPECT_EQ(Pixels(small), std::vector<TColor>(4, 0x66B266));
}

// A colour stored by its system name paints as the desktop shows that
// colour, not as the small number the name stands for (a dark red).
TEST(SystemColours, GradientsAndTintsPaintTheColourTheNameStandsFor) {
    const TColor face = StringToColor("clBtnFace");
    const TColor shown = ColorToRGB(face);
    for (int channel : {GetRValue(shown), GetGValue(shown), GetBValue(shown)}) EXPECT_GE(channel, 0x80);
    EXPECT_EQ(ColorToRGB(clNavy), clNavy);

    TBitmap bar = SolidBitmap(1, 18, clBlack);
    GradientFill(bar.Canvas(), 1, 18, false, 100, face, clWhite, clWhite);
    EXPECT_EQ(bar.Pixel(0, 0), shown);
    for (TColor pixel : Pixels(bar)) EXPECT_GE(GetRValue(pixel), GetRValue(shown)) << std::hex << pixel;
    TBitmap same = SolidBitmap(1, 4, clBlack);
    GradientFill(same.Canvas(), 1, 4, false, 100, face, shown, shown);  // one colour: nothing to paint
    EXPECT_EQ(same.Pixel(0, 0), clBlack);

    TBitmap target = SolidBitmap(2, 2, clBlue);
    TintGlyphStrip(SolidBitmap(8, 4, clBlack), 40, face, 0, 3, target);
    EXPECT_EQ(target.Pixel(0, 0), RGB(GetRValue(shown) * 60 / 100, GetGValue(shown) * 60 / 100,
                                      GetBValue(shown) * 60 / 100));
}

// Fills, pens and fonts of every canvas take a system colour the same way.
TEST(SystemColours, ACanvasPaintsTheColourTheNameStandsFor) {
    const TColor face = StringToColor("clBtnFace");
    TBitmap filled = SolidBitmap(3, 3, clBlack);
    filled.Canvas().Brush = TBrush{face, TBrushStyle::bsSolid};
    filled.Canvas().FillRect(Rect(0, 0, 3, 3));
    EXPECT_EQ(filled.Pixel(1, 1), ColorToRGB(face));
}

class SkinnedWindows : public OnePictureFolderTest {
protected:
    void SetUp() override { StartWindows(); }

    static void ExpectCell(TPicture& picture, int cell, int firstRow, TColor color) {
        ExpectGlyph(picture, glyphsheet::SmallCellWidth * cell, glyphsheet::SmallCellWidth, firstRow, color);
    }
};

TEST_F(SkinnedWindows, StartUpPaintsTheBarsAndTheBackgroundsOfTheDefaultColours) {
    for (TImage* bar : {MainWindow->TopImage, MainWindow->BottomImage, FileWindow->TopImage, TransformationsWindow->TopImage}) {
        EXPECT_EQ(Pixels(bar->Picture().Bitmap()), DefaultTitleBar);
        EXPECT_TRUE(bar->Stretch());
        EXPECT_EQ(bar->Height(), 18);
    }
    const TBitmap& background = FileWindow->BackImage->Picture().Bitmap();
    EXPECT_EQ(background.Width(), FileWindow->Width());
    EXPECT_EQ(background.Pixel(0, 0), DefaultCo1);
    EXPECT_EQ(Pixels(TransformationsWindow->BackImage->Picture().Bitmap()), Pixels(background));
}

TEST_F(SkinnedWindows, StartUpGivesEveryButtonItsOwnCellTintedToTheButtonColours) {
    const std::pair<TMorphButton*, int> cells[] = {
        {MainWindow->MorphButton12, 0}, {MainWindow->MorphButton11, 1}, {MainWindow->MorphButton5, 2}, {MainWindow->MorphButton4, 3},
        {MainWindow->MorphButton3, 4},  {MainWindow->MorphButton1, 5},  {MainWindow->MorphButton7, 6}, {MainWindow->MorphButton9, 7},
        {MainWindow->MorphButton10, 9}, {MainWindow->MorphButton6, 10}, {MainWindow->MorphButton15, 13},
        {MainWindow->MorphButton13, 14}, {MainWindow->MorphButton14, 15}, {MainWindow->MorphButton8, 16},
        {MainWindow->MorphButton2, 17}, {FileWindow->MorphButton1, 5},  {FileWindow->MorphButton2, 8}, {TransformationsWindow->MorphButton9, 5}};
    for (auto [button, cell] : cells) {
        ExpectCell(button->MorphPic1(), cell, glyphsheet::SmallRestRow, Viewer.ibtc);
        ExpectCell(button->MorphPic2(), cell, glyphsheet::SmallLitRow, Viewer.abtc);
    }
}

TEST_F(SkinnedWindows, AButtonColourOfZeroLeavesTheGlyphsInTheirOwnShades) {
    const TBitmap tintedFrame = MainWindow->MorphButton8->TargetFrame();
    Viewer.abtc = 0;
    MainWindow->SetButtonSkin();
    ExpectCell(MainWindow->MorphButton8->MorphPic2(), 16, glyphsheet::SmallLitRow, 0);
    ExpectCell(MainWindow->MorphButton8->MorphPic1(), 16, glyphsheet::SmallRestRow, Viewer.ibtc);
    // The button's frames follow the new pictures.
    EXPECT_NE(Pixels(MainWindow->MorphButton8->TargetFrame()), Pixels(tintedFrame));
}

TEST_F(SkinnedWindows, ButtonsFadingOutKeepTheirRestAndLitGlyphsApart) {
    TMorphButton* button = MainWindow->MorphButton9;
    test_input::SendMouseEnter(*button);
    test_input::SendMouseLeave(*button);
    ASSERT_TRUE(button->Swapped());
    Viewer.ibtc = clBlue, Viewer.abtc = clRed;
    MainWindow->SetButtonSkin();
    for (int tick = 0; tick < 1000 && button->State() != TMorphState::Idle; ++tick) button->Tick();
    ASSERT_EQ(button->State(), TMorphState::Idle);
    ExpectCell(button->MorphPic1(), 7, glyphsheet::SmallRestRow, clBlue);
    ExpectCell(button->MorphPic2(), 7, glyphsheet::SmallLitRow, clRed);
}

TEST_F(SkinnedWindows, ColoursReachFramesListsAndTexts) {
    Viewer.co1 = clRed, Viewer.co2 = clNavy, Viewer.coText = clYellow;
    MainWindow->SetSkin();
    EXPECT_EQ(MainWindow->TopImage->Picture().Bitmap().Pixel(0, 9), clRed);
    EXPECT_EQ(MainWindow->BackShape->Pen().Color, clRed);
    EXPECT_EQ(FileWindow->BackShape2->Brush().Color, clRed);
    for (const TControl* field : std::initializer_list<const TControl*>{FileWindow->FileListBox, TransformationsWindow->FileListBox,
                                                                        OptionsWindow->Edit1}) {
        EXPECT_EQ(field->Color(), clRed);
        EXPECT_EQ(field->Font().Color, clYellow);
    }
    for (const TLabel* text : {MainWindow->TopLabel, MainWindow->BottomLabel, FileWindow->FileName, TransformationsWindow->fileindex})
        EXPECT_EQ(text->Font().Color, clYellow) << text->Caption();
}

TEST_F(SkinnedWindows, BigIconsMakeButtonsAndBarsBiggerAndDrawTheGlyphsAtFullSize) {
    Viewer.ButtonSize = 24;
    MainWindow->SetSkin();
    for (const TControl* button : std::initializer_list<const TControl*>{MainWindow->MorphButton1, MainWindow->MorphButton14,
                                                                         FileWindow->MorphButton2, TransformationsWindow->MorphButton9}) {
        EXPECT_EQ(button->Width(), 24);
        EXPECT_EQ(button->Height(), 24);
    }
    for (TImage* bar : {MainWindow->TopImage, MainWindow->BottomImage, FileWindow->TopImage, TransformationsWindow->TopImage})
        EXPECT_EQ(bar->Height(), 26);
    EXPECT_EQ(std::as_const(*MainWindow->TopLabel).Font().Size, 16);
    EXPECT_EQ(std::as_const(*MainWindow->BottomLabel).Font().Size, 14);
    EXPECT_EQ(FileWindow->MorphButton2->Left(), FileWindow->MorphButton1->Left() - 23);
    TMorphButton* close = MainWindow->MorphButton1;
    EXPECT_EQ(Pixels(close->DisplayFrame()), Pixels(close->MorphPic1().Bitmap()));
}

}  // namespace
