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

class OptionsWindow : public OnePictureFolderTest {
protected:
    void SetUp() override {
        StartWindows();
        Form4->CheckBox4->SetChecked(false);
        const TColorScheme& green = ColorSchemes[0];
        Viewer.co1 = green.co1, Viewer.co2 = green.co2, Viewer.coText = green.coText;
        Viewer.coSelect = green.coSelect, Viewer.ibtc = green.ibtc, Viewer.abtc = green.abtc;
        Form1->SetSkin();
        Form1->SetButtonSkin();
        Form4->SetBounds(400, 150, 260, 344);
    }

};

TEST_F(OptionsWindow, TheRedSchemeTintsRestingGlyphsRedAndLeavesLitGlyphsGrey) {
    Form4->ComboBox1->SetItemIndex(1);
    Form4->ComboBox1Change(Form4->ComboBox1);
    EXPECT_EQ(Form4->ComboBox1->Items()[1], "piros");
    EXPECT_EQ(Viewer.co1, 0x3F56F8u);
    EXPECT_EQ(Viewer.coText, 0xFFFFFFu);
    EXPECT_EQ(Viewer.ibtc, 0x0000FFu);
    EXPECT_EQ(Viewer.abtc, 0u);
    EXPECT_EQ(Form4->Shape11->Brush().Color, 0u);
    EXPECT_EQ(Form4->Shape1->Brush().Color, 0x3F56F8u);
    EXPECT_EQ(Form1->TopImage->Picture().Bitmap().Pixel(0, 9), 0x3F56F8u);
    ExpectGlyph(Form1->MorphButton8->MorphPic2(), 24 * 16, 24, glyphsheet::SmallLitRow, 0);
    ExpectGlyph(Form1->MorphButton8->MorphPic1(), 24 * 16, 24, glyphsheet::SmallRestRow, 0x0000FF);
    ExpectGlyph(Form4->MorphButton2->MorphPic2(), 68 * 5, 68, glyphsheet::WideLitRow, 0);
}

TEST_F(OptionsWindow, TheWideAboutButtonShowsItsWordTintedToBothButtonColours) {
    ExpectGlyph(Form4->MorphButton2->MorphPic1(), 68 * 5, 68, glyphsheet::WideRestRow, Viewer.ibtc);
    ExpectGlyph(Form4->MorphButton2->MorphPic2(), 68 * 5, 68, glyphsheet::WideLitRow, Viewer.abtc);
    ExpectGlyph(Form4->MorphButton8->MorphPic1(), 24 * 5, 24, glyphsheet::SmallRestRow, Viewer.ibtc);
    ExpectGlyph(Form4->MorphButton1->MorphPic2(), 24 * 6, 24, glyphsheet::SmallLitRow, Viewer.abtc);
}

TEST_F(OptionsWindow, TypingIntoTheSchemeBoxRepaintsTheSkinWithoutChangingAColour) {
    Viewer.co1 = clRed;  // changed behind the skin's back
    Form4->ComboBox1->SetItemIndex(3);
    Form4->ComboBox1->SetText("kék-zöld");  // raises the box's change as typing does
    EXPECT_EQ(Form4->ComboBox1->ItemIndex(), -1);
    EXPECT_EQ(Viewer.co1, clRed);
    EXPECT_EQ(Viewer.co2, ColorSchemes[0].co2);
    EXPECT_EQ(Form1->TopImage->Picture().Bitmap().Pixel(0, 9), clRed);
    EXPECT_EQ(Form4->Shape1->Brush().Color, clRed);
}

TEST_F(OptionsWindow, TheColourChooserSetsTheSwatchesColourAndCancellingChangesNothing) {
    ScriptedDialogs dialogs;
    dialogs.ColorAnswers = {std::nullopt, clBlue, clRed};
    test_input::SendMouseDown(*Form4->Shape1, mbLeft, 5, 5);
    EXPECT_EQ(dialogs.ColorsOffered, std::vector<TColor>{ColorSchemes[0].co1});
    EXPECT_EQ(Viewer.co1, ColorSchemes[0].co1);
    EXPECT_EQ(Form4->Shape1->Brush().Color, ColorSchemes[0].co1);
    EXPECT_FALSE(Viewer.ColorDialogOpen);

    Form4->Shape1MouseDown(Form4->Shape2, mbLeft, 0, 5, 5);
    EXPECT_EQ(Viewer.co2, clBlue);
    EXPECT_EQ(Form4->Shape2->Brush().Color, clBlue);
    EXPECT_NE(Form1->TopImage->Picture().Bitmap().Pixel(0, 0), 0x0F5D33u);

    // A button colour re-tints the glyphs.
    Form4->Shape1MouseDown(Form4->Shape11, mbLeft, 0, 5, 5);
    EXPECT_EQ(Viewer.abtc, clRed);
    ExpectGlyph(Form1->MorphButton8->MorphPic2(), 24 * 16, 24, glyphsheet::SmallLitRow, clRed);
    EXPECT_FALSE(Viewer.ColorDialogOpen);
}

TEST_F(OptionsWindow, BigIconsMakeEveryTitleBar26HighAndTheTitles16Points) {
    Form4->CheckBox4->SetChecked(true);
    EXPECT_EQ(Viewer.ButtonSize, 24);
    for (TImage* bar : {Form1->TopImage, Form1->BottomImage, Form2->TopImage, Form3->TopImage, Form4->TopImage})
        EXPECT_EQ(bar->Height(), 26);
    for (TLabel* title : {Form1->TopLabel, Form2->TopLabel, Form3->TopLabel, Form4->TopLabel})
        EXPECT_EQ(std::as_const(*title).Font().Size, 16);
    EXPECT_EQ(Form4->MorphButton8->Width(), 24);
    EXPECT_EQ(Form4->MorphButton8->Left(), Form4->Width() - 24 - 5);
    // The main window is laid out again for the bigger buttons.
    EXPECT_EQ(Form1->MorphButton6->Top(), Form1->Height() - 25);

    Form4->CheckBox4->SetChecked(false);
    EXPECT_EQ(Viewer.ButtonSize, 16);
    EXPECT_EQ(Form4->TopImage->Height(), 18);
    EXPECT_EQ(Form1->MorphButton6->Top(), Form1->Height() - 17);
}

TEST_F(OptionsWindow, OutlinesLightUpUnderTheMouseAndGoBackOverTheBackground) {
    Viewer.coSelect = clYellow, Viewer.coText = clNavy;
    test_input::SendMouseMove(*Form4->Shape3, 5, 5);
    EXPECT_EQ(Form4->Shape3->Pen().Color, clYellow);
    // Moving straight onto a box keeps the swatch lit.
    test_input::SendMouseMove(*Form4->CheckBox6, 5, 5);
    EXPECT_EQ(Form4->Shape13->Pen().Color, clYellow);
    EXPECT_EQ(Form4->Shape3->Pen().Color, clYellow);
    test_input::SendMouseMove(*Form4->Edit1, 5, 5);
    EXPECT_EQ(Form4->Shape7->Pen().Color, clYellow);
    ASSERT_TRUE(Form4->FrameHighlighted);
    test_input::SendMouseMove(*Form4->Label1, 2, 2);
    EXPECT_FALSE(Form4->FrameHighlighted);
    for (TShape* shape : {Form4->Shape1, Form4->Shape3, Form4->Shape7, Form4->Shape11, Form4->Shape13,
                          Form4->Shape15})
        EXPECT_EQ(shape->Pen().Color, clNavy);
}

TEST_F(OptionsWindow, DraggingTheBackgroundMovesTheWindow) {
    Form4->FormMouseMove(Form4->BackImage, ssLeft, 50, 60);
    Form4->FormMouseMove(Form4->BackImage, ssLeft, 70, 65);
    EXPECT_EQ(Form4->Left(), 420);
    EXPECT_EQ(Form4->Top(), 155);
    Form4->FormMouseMove(Form4->BackImage, 0, 0, 0);
    Form4->FormMouseMove(Form4->BackImage, ssLeft, 10, 10);
    EXPECT_EQ(Form4->Left(), 420);
}

TEST_F(OptionsWindow, TheBrowseButtonOffersProgramsAndPutsTheChoiceIntoTheEditorField) {
    ScriptedDialogs dialogs;
    dialogs.OpenAnswers = {std::nullopt, std::string("/usr/bin/image editor")};
    Form4->Edit1->SetText("mspaint");
    Form4->MorphButton1Click(Form4->MorphButton1);
    EXPECT_EQ(Form4->Edit1->Text(), "mspaint");
    Form4->MorphButton1Click(Form4->MorphButton1);
    EXPECT_EQ(Form4->Edit1->Text(), "/usr/bin/image editor");
    EXPECT_EQ(dialogs.OpenTitles.size(), 2u);
    EXPECT_EQ(Form4->OpenDialog.Filter, "Programok (*.exe)|*.exe|Minden fájl (*.*)|*.*");
    EXPECT_TRUE(Form4->OpenDialog.ExecutablesWithoutExtension);
    EXPECT_FALSE(Viewer.ColorDialogOpen);
}

TEST_F(OptionsWindow, TheCheckBoxesActAtOnce) {
    Form4->CheckBox2->SetChecked(false);
    EXPECT_FALSE(Viewer.FadeInactive);
    Form4->CheckBox2->SetChecked(true);
    EXPECT_TRUE(Viewer.FadeInactive);
    Form4->CheckBox3->SetChecked(true);
    EXPECT_TRUE(Form1->BackLogo->Visible());
    Form4->CheckBox3->SetChecked(false);
    EXPECT_FALSE(Form1->BackLogo->Visible());
}

}  // namespace
