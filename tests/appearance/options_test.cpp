// The options window: colour schemes, the colour and program choosers, big
// icons, outlines and dragging.
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "appearance/ColorSchemes.h"
#include "appearance/Skin.h"
#include "GlyphCheck.h"
#include "ViewerSupport.h"
#include "platform/services/Dialogs.h"
#include "platform/services/TestInput.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

class OptionsWindowTest : public OnePictureFolderTest {
protected:
    void SetUp() override {
        StartWindows();
        OptionsWindow->CheckBox4->SetChecked(false);
        const TColorScheme& green = ColorSchemes[0];
        Viewer.co1 = green.co1, Viewer.co2 = green.co2, Viewer.coText = green.coText;
        Viewer.coSelect = green.coSelect, Viewer.ibtc = green.ibtc, Viewer.abtc = green.abtc;
        MainWindow->SetSkin();
        MainWindow->SetButtonSkin();
        OptionsWindow->SetBounds(400, 150, 260, 344);
    }

};

TEST_F(OptionsWindowTest, TheRedSchemeTintsRestingGlyphsRedAndLeavesLitGlyphsGrey) {
    OptionsWindow->ComboBox1->SetItemIndex(1);
    OptionsWindow->ComboBox1Change(OptionsWindow->ComboBox1);
    EXPECT_EQ(OptionsWindow->ComboBox1->Items()[1], "piros");
    EXPECT_EQ(Viewer.co1, 0x3F56F8u);
    EXPECT_EQ(Viewer.coText, 0xFFFFFFu);
    EXPECT_EQ(Viewer.ibtc, 0x0000FFu);
    EXPECT_EQ(Viewer.abtc, 0u);
    EXPECT_EQ(OptionsWindow->Shape11->Brush().Color, 0u);
    EXPECT_EQ(OptionsWindow->Shape1->Brush().Color, 0x3F56F8u);
    EXPECT_EQ(MainWindow->TopImage->Picture().Bitmap().Pixel(0, 9), 0x3F56F8u);
    ExpectGlyph(MainWindow->MorphButton8->MorphPic2(), 24 * 16, 24, glyphsheet::SmallLitRow, 0);
    ExpectGlyph(MainWindow->MorphButton8->MorphPic1(), 24 * 16, 24, glyphsheet::SmallRestRow, 0x0000FF);
    ExpectGlyph(OptionsWindow->MorphButton2->MorphPic2(), 68 * 5, 68, glyphsheet::WideLitRow, 0);
}

TEST_F(OptionsWindowTest, TheWideAboutButtonShowsItsWordTintedToBothButtonColours) {
    ExpectGlyph(OptionsWindow->MorphButton2->MorphPic1(), 68 * 5, 68, glyphsheet::WideRestRow, Viewer.ibtc);
    ExpectGlyph(OptionsWindow->MorphButton2->MorphPic2(), 68 * 5, 68, glyphsheet::WideLitRow, Viewer.abtc);
    ExpectGlyph(OptionsWindow->MorphButton8->MorphPic1(), 24 * 5, 24, glyphsheet::SmallRestRow, Viewer.ibtc);
    ExpectGlyph(OptionsWindow->MorphButton1->MorphPic2(), 24 * 6, 24, glyphsheet::SmallLitRow, Viewer.abtc);
}

TEST_F(OptionsWindowTest, TypingIntoTheSchemeBoxRepaintsTheSkinWithoutChangingAColour) {
    Viewer.co1 = clRed;  // changed behind the skin's back
    OptionsWindow->ComboBox1->SetItemIndex(3);
    OptionsWindow->ComboBox1->SetText("kék-zöld");  // raises the box's change as typing does
    EXPECT_EQ(OptionsWindow->ComboBox1->ItemIndex(), -1);
    EXPECT_EQ(Viewer.co1, clRed);
    EXPECT_EQ(Viewer.co2, ColorSchemes[0].co2);
    EXPECT_EQ(MainWindow->TopImage->Picture().Bitmap().Pixel(0, 9), clRed);
    EXPECT_EQ(OptionsWindow->Shape1->Brush().Color, clRed);
}

TEST_F(OptionsWindowTest, TheColourChooserSetsTheSwatchesColourAndCancellingChangesNothing) {
    ScriptedDialogs dialogs;
    dialogs.ColorAnswers = {std::nullopt, clBlue, clRed};
    test_input::SendMouseDown(*OptionsWindow->Shape1, mbLeft, 5, 5);
    EXPECT_EQ(dialogs.ColorsOffered, std::vector<TColor>{ColorSchemes[0].co1});
    EXPECT_EQ(Viewer.co1, ColorSchemes[0].co1);
    EXPECT_EQ(OptionsWindow->Shape1->Brush().Color, ColorSchemes[0].co1);
    EXPECT_FALSE(Viewer.ColorDialogOpen);

    OptionsWindow->Shape1MouseDown(OptionsWindow->Shape2, mbLeft, 0, 5, 5);
    EXPECT_EQ(Viewer.co2, clBlue);
    EXPECT_EQ(OptionsWindow->Shape2->Brush().Color, clBlue);
    EXPECT_NE(MainWindow->TopImage->Picture().Bitmap().Pixel(0, 0), 0x0F5D33u);

    // A button colour re-tints the glyphs.
    OptionsWindow->Shape1MouseDown(OptionsWindow->Shape11, mbLeft, 0, 5, 5);
    EXPECT_EQ(Viewer.abtc, clRed);
    ExpectGlyph(MainWindow->MorphButton8->MorphPic2(), 24 * 16, 24, glyphsheet::SmallLitRow, clRed);
    EXPECT_FALSE(Viewer.ColorDialogOpen);
}

TEST_F(OptionsWindowTest, BigIconsMakeEveryTitleBar26HighAndTheTitles16Points) {
    OptionsWindow->CheckBox4->SetChecked(true);
    EXPECT_EQ(Viewer.ButtonSize, 24);
    for (TImage* bar : {MainWindow->TopImage, MainWindow->BottomImage, FileWindow->TopImage, TransformationsWindow->TopImage, OptionsWindow->TopImage})
        EXPECT_EQ(bar->Height(), 26);
    for (TLabel* title : {MainWindow->TopLabel, FileWindow->TopLabel, TransformationsWindow->TopLabel, OptionsWindow->TopLabel})
        EXPECT_EQ(std::as_const(*title).Font().Size, 16);
    EXPECT_EQ(OptionsWindow->MorphButton8->Width(), 24);
    EXPECT_EQ(OptionsWindow->MorphButton8->Left(), OptionsWindow->Width() - 24 - 5);
    // The main window is laid out again for the bigger buttons.
    EXPECT_EQ(MainWindow->MorphButton6->Top(), MainWindow->Height() - 25);

    OptionsWindow->CheckBox4->SetChecked(false);
    EXPECT_EQ(Viewer.ButtonSize, 16);
    EXPECT_EQ(OptionsWindow->TopImage->Height(), 18);
    EXPECT_EQ(MainWindow->MorphButton6->Top(), MainWindow->Height() - 17);
}

TEST_F(OptionsWindowTest, OutlinesLightUpUnderTheMouseAndGoBackOverTheBackground) {
    Viewer.coSelect = clYellow, Viewer.coText = clNavy;
    test_input::SendMouseMove(*OptionsWindow->Shape3, 5, 5);
    EXPECT_EQ(OptionsWindow->Shape3->Pen().Color, clYellow);
    // Moving straight onto a box keeps the swatch lit.
    test_input::SendMouseMove(*OptionsWindow->CheckBox6, 5, 5);
    EXPECT_EQ(OptionsWindow->Shape13->Pen().Color, clYellow);
    EXPECT_EQ(OptionsWindow->Shape3->Pen().Color, clYellow);
    test_input::SendMouseMove(*OptionsWindow->Edit1, 5, 5);
    EXPECT_EQ(OptionsWindow->Shape7->Pen().Color, clYellow);
    ASSERT_TRUE(OptionsWindow->FrameHighlighted);
    test_input::SendMouseMove(*OptionsWindow->Label1, 2, 2);
    EXPECT_FALSE(OptionsWindow->FrameHighlighted);
    for (TShape* shape : {OptionsWindow->Shape1, OptionsWindow->Shape3, OptionsWindow->Shape7, OptionsWindow->Shape11, OptionsWindow->Shape13,
                          OptionsWindow->Shape15})
        EXPECT_EQ(shape->Pen().Color, clNavy);
}

TEST_F(OptionsWindowTest, DraggingTheBackgroundMovesTheWindow) {
    OptionsWindow->FormMouseMove(OptionsWindow->BackImage, ssLeft, 50, 60);
    OptionsWindow->FormMouseMove(OptionsWindow->BackImage, ssLeft, 70, 65);
    EXPECT_EQ(OptionsWindow->Left(), 420);
    EXPECT_EQ(OptionsWindow->Top(), 155);
    OptionsWindow->FormMouseMove(OptionsWindow->BackImage, 0, 0, 0);
    OptionsWindow->FormMouseMove(OptionsWindow->BackImage, ssLeft, 10, 10);
    EXPECT_EQ(OptionsWindow->Left(), 420);
}

TEST_F(OptionsWindowTest, TheBrowseButtonOffersProgramsAndPutsTheChoiceIntoTheEditorField) {
    ScriptedDialogs dialogs;
    dialogs.OpenAnswers = {std::nullopt, std::string("/usr/bin/image editor")};
    OptionsWindow->Edit1->SetText("mspaint");
    OptionsWindow->MorphButton1Click(OptionsWindow->MorphButton1);
    EXPECT_EQ(OptionsWindow->Edit1->Text(), "mspaint");
    OptionsWindow->MorphButton1Click(OptionsWindow->MorphButton1);
    EXPECT_EQ(OptionsWindow->Edit1->Text(), "/usr/bin/image editor");
    EXPECT_EQ(dialogs.OpenTitles.size(), 2u);
    EXPECT_EQ(OptionsWindow->OpenDialog.Filter, "Programok (*.exe)|*.exe|Minden fájl (*.*)|*.*");
    EXPECT_TRUE(OptionsWindow->OpenDialog.ExecutablesWithoutExtension);
    EXPECT_FALSE(Viewer.ColorDialogOpen);
}

TEST_F(OptionsWindowTest, TheCheckBoxesActAtOnce) {
    OptionsWindow->CheckBox2->SetChecked(false);
    EXPECT_FALSE(Viewer.FadeInactive);
    OptionsWindow->CheckBox2->SetChecked(true);
    EXPECT_TRUE(Viewer.FadeInactive);
    OptionsWindow->CheckBox3->SetChecked(true);
    EXPECT_TRUE(MainWindow->BackLogo->Visible());
    OptionsWindow->CheckBox3->SetChecked(false);
    EXPECT_FALSE(MainWindow->BackLogo->Visible());
}

}  // namespace
